#include "environment/mLogError.h"

#include <ctime>
#include <fstream>
#include "FolderSeparator.h"  // the build's platform/posix or platform/win32

#include "environment/VersionInfo.h"
#include "environment/modMultiUser.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/Utf8Path.h"

namespace zelwiz {
namespace {

constexpr std::int32_t kErrPathNotFound = 76;

std::string LogFilePath;
LogLineWriter LineWriter;
std::function<void(const std::string&)> LogEcho;
std::function<std::time_t()> LogClock;

// "dd/mm/yyyy hh:mm:ss". The classic program took the separators from the user's locale; they
// are "/" and ":" wherever the log is read, so they are fixed here.
std::string NowText() {
    const std::time_t now = LogClock ? LogClock() : std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[32] = {};
    if (local == nullptr || std::strftime(text, sizeof text, "%d/%m/%Y %H:%M:%S", local) == 0)
        return "00/00/0000 00:00:00";
    return text;
}

std::string CodeText(const std::string& text, std::int32_t code) {
    return text + " - " + std::to_string(code) + " (0x" + Hex(code) + ")";
}

}  // namespace

void LogError(const std::string& Source, const Form* Frm, std::string& Msg, std::string& DateText) {
    const ErrorRecord pending = Err();
    ClearErr();
    OnErrorExit(
        [&] {
            if (DateText.empty())
                DateText = NowText();
            const std::string error =
                pending.Number != 0 ? CodeText(pending.Description, pending.Number) : "-";
            const std::string system =
                pending.LastDllError != 0
                    ? CodeText(ErrorText(pending.LastDllError), pending.LastDllError)
                    : "-";
            std::string where = "Err: ";
            where += pending.Source.empty() ? VersionInfo::ProductName() : pending.Source;
            if (Frm != nullptr)
                where += "." + Frm->Caption();
            where += " - " + Source;
            if (pending.Erl != 0)
                where += " line " + std::to_string(pending.Erl);
            if (Msg.empty())
                Msg = "-";

            ErrorLogPath();
            const std::string line =
                DateText + '\t' + where + '\t' + Msg + '\t' + error + '\t' + system;
            if (LogEcho)
                LogEcho(line);
            if (LineWriter) {
                LineWriter(LogFilePath, line);
                return;
            }
            std::ofstream out(Utf8Path(LogFilePath), std::ios::binary | std::ios::app);
            if (!out) {
                const std::string folder =
                    LogFilePath.substr(0, LogFilePath.rfind(kFolderSeparator));
                Raise(TheShell().PathExists(folder) ? kErrPathFileAccess : kErrPathNotFound,
                      "mLogError");
            }
            out << line << "\r\n";
            out.close();
            if (!out)
                Raise(kErrPathFileAccess, "mLogError");
        },
        [] { TheShell().DebugOutput("mLogError.LogError - " + Err().Description + "\r\n"); });
}

void LogError(const std::string& Source, const Form* Frm, std::string_view Msg,
              std::string_view DateText) {
    std::string message(Msg);
    std::string date(DateText);
    LogError(Source, Frm, message, date);
}

void SetLogEcho(std::function<void(const std::string& line)> echo) {
    LogEcho = std::move(echo);
}

std::string ErrorText(std::int32_t code) {
    std::string text = TheShell().SystemErrorText(code);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::string ErrorLogPath() {
    if (LogFilePath.empty())
        LogFilePath = DataPath() + kFolderSeparator + "error_" + GetNetUserName() + ".log";
    return LogFilePath;
}

LogLineWriter SetLogLineWriter(LogLineWriter writer) {
    std::swap(writer, LineWriter);
    return writer;
}

void ResetLogForTests() {
    LogFilePath.clear();
    LogEcho = nullptr;
    LogClock = nullptr;
}

void SetLogClockForTests(std::function<std::time_t()> clock) {
    LogClock = std::move(clock);
}

}  // namespace zelwiz
