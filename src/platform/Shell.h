#pragma once
// The operating-system services other than the registry: folders, the user, processes, the
// debugger channel and the system's error texts.

#include <cstddef>
#include <cstdint>
#include <string>

namespace zelwiz {

inline constexpr std::uint32_t STILL_ACTIVE = 259;

class Shell {
  public:
    using ProcessHandle = std::uintptr_t;

    virtual ~Shell() = default;

    // The folder of the running executable, without a trailing separator.
    virtual std::string ProgramFolder() = 0;
    // The user's application-data folder; created when `create` is true. Empty when there is none.
    virtual std::string AppDataFolder(bool create) = 0;
    // The login name of the user running the program; empty when it cannot be told.
    virtual std::string LoginUserName() = 0;
    // Whether a file or folder of that name exists.
    virtual bool PathExists(const std::string& path) = 0;
    // Creates one folder: open to everyone (whatever the umask) or with default rights.
    // Answers 0 or the system error code.
    virtual std::int32_t CreateFolder(const std::string& path, bool everyoneFullAccess) = 0;
    // Starts a program from a command line split as Windows splits one (double quotes group),
    // without a shell. Answers the process identifier, or 0 with the system error recorded.
    virtual std::uint32_t StartProgram(const std::string& commandLine) = 0;
    // Process handles for waiting: 0 when the process cannot be opened.
    virtual ProcessHandle OpenProcess(std::uint32_t processId) = 0;
    virtual bool WaitForProcess(ProcessHandle process) = 0;  // waits without a time limit
    // The exit code, or STILL_ACTIVE while the process runs. False when it cannot be read.
    virtual bool GetExitCode(ProcessHandle process, std::uint32_t* code) = 0;
    virtual void CloseProcess(ProcessHandle process) = 0;
    // The debugger channel (one line).
    virtual void DebugOutput(const std::string& text) = 0;
    // The system's text for an error code, without a trailing line break; "Unknown Error." when
    // the system has none.
    virtual std::string SystemErrorText(std::int32_t code) = 0;
    // GetPrivateProfileString: the value of `key` in `section` of the INI file `fileName`, cut to
    // `bufferChars` - 1 characters; `defaultValue` when the file or the key is missing.
    virtual std::string PrivateProfileString(const std::string& section, const std::string& key,
                                             const std::string& defaultValue,
                                             std::size_t bufferChars,
                                             const std::string& fileName) = 0;
};

}  // namespace zelwiz
