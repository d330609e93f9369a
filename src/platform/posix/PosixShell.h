#pragma once
// The shell services on Linux: the folder of the running executable, the XDG data folder, the
// login name of the process owner, folders with modes, programs started with posix_spawn without
// a shell, stderr as the debugger channel (when ZELWIZ_DEBUG=1) and the C library's error texts.

#include <cstdint>
#include <map>
#include <string>

#include "platform/Shell.h"

namespace zelwiz {

class PosixShell : public Shell {
  public:
    PosixShell() = default;
    PosixShell(const PosixShell&) = delete;
    PosixShell& operator=(const PosixShell&) = delete;

    // /proc/self/exe without its file name; the working folder when that link cannot be read.
    std::string ProgramFolder() override;
    // $XDG_DATA_HOME when it is an absolute path, else ~/.local/share; missing levels are
    // created with mode 0700 when `create` is set. Empty when the user has no home folder.
    std::string AppDataFolder(bool create) override;
    // The login name of the effective user, else $USER.
    std::string LoginUserName() override;
    bool PathExists(const std::string& path) override;
    // mkdir; for everyone the mode is then set to 0777 whatever the umask. Answers 0 or errno.
    std::int32_t CreateFolder(const std::string& path, bool everyoneFullAccess) override;
    // Splits the line by SplitCommandLine and starts argv[0] (searched in PATH when it holds no
    // "/"). Answers the child's pid, or 0 with the error recorded by SetLastDllError.
    std::uint32_t StartProgram(const std::string& commandLine) override;
    // Only the children started here can be opened; any other pid answers 0.
    ProcessHandle OpenProcess(std::uint32_t processId) override;
    bool WaitForProcess(ProcessHandle process) override;
    // STILL_ACTIVE while the child runs; its exit status once it ended (128 + the signal number
    // for a child ended by a signal).
    bool GetExitCode(ProcessHandle process, std::uint32_t* code) override;
    void CloseProcess(ProcessHandle process) override;
    // One line on stderr when ZELWIZ_DEBUG is 1, nothing otherwise (a trailing CR LF is dropped;
    // inner line breaks become blanks).
    void DebugOutput(const std::string& text) override;
    // strerror's text in the C locale; "Unknown Error." for a code the library does not know.
    std::string SystemErrorText(std::int32_t code) override;
    // This build's own reader (PrivateProfile.h): Linux has none.
    std::string PrivateProfileString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, std::size_t bufferChars,
                                     const std::string& fileName) override;

  private:
    struct Child {
        bool ended = false;
        std::uint32_t exitCode = 0;
    };
    Child* FindChild(ProcessHandle process);
    // Collects the child's status when it ended; false when waitpid fails.
    bool Reap(std::uint32_t pid, Child& child, bool block);

    std::map<std::uint32_t, Child> children_;
    std::map<ProcessHandle, std::uint32_t> handles_;
    ProcessHandle nextHandle_ = 0x10;
};

}  // namespace zelwiz
