#pragma once
// The error log. Every error trap, and a few checks that are not failures of a statement, add one
// line to <data folder>/error_<login user>.log, its five fields separated by TABs and ended by
// CR LF:
//   time    the caller's date text, or the current "dd/mm/yyyy hh:mm:ss"
//   where   "Err: " + the pending error's source (the product name when empty)
//           [+ "." + the window's caption] + " - " + Source [+ " line " + the failing line]
//   message the caller's message, "-" when empty
//   error   "<description> - <number> (0x<HEX>)" of the pending error, "-" when there is none
//   system  "<system text> - <code> (0x<HEX>)" of the last system error, "-" when there is none
// The file's path is fixed by the first call of the run. A failure to write is sent to the
// debugger output and never reaches the caller.

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace zelwiz {

class Form;

// Reads the pending error information first and leaves it cleared, as the classic procedure did
// by installing its own trap. An empty Msg becomes "-" and an empty DateText the time stamp used,
// in the caller's variables.
void LogError(const std::string& Source, const Form* Frm, std::string& Msg, std::string& DateText);
// The same with a message and a date the caller does not keep, e.g.
// LogError("frmWizard.SetStep", this).
void LogError(const std::string& Source, const Form* Frm = nullptr, std::string_view Msg = {},
              std::string_view DateText = {});

// The log file of this run: <data folder>/error_<login user>.log, fixed by the first call.
std::string ErrorLogPath();

// Gives every line written to `echo` as well (without its CR LF); an empty function stops it.
// The program prints the lines of a run that shows no window, which has no other way to tell.
void SetLogEcho(std::function<void(const std::string& line)> echo);

// The system's text for an error code without its trailing line break; "Unknown Error." when the
// system has none.
std::string ErrorText(std::int32_t code);

// Where the lines go: by default appended to the log file. A run that must write nothing (a
// prediction of what the program would do) passes a writer that keeps them; it is given the
// file's path and the line without its CR LF. Answers the writer it replaces (empty: the file).
using LogLineWriter = std::function<void(const std::string& path, const std::string& line)>;
LogLineWriter SetLogLineWriter(LogLineWriter writer);

// Forgets the log file's path (the next call computes it again), the echo and the test clock.
void ResetLogForTests();
// The time stamps read this clock instead of the system's until the next reset.
void SetLogClockForTests(std::function<std::time_t()> clock);

}  // namespace zelwiz
