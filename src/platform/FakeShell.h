#pragma once
// The shell of the tests: folders and user name are settable, folders are real (under a folder
// the test owns) so that files can be written in them, started programs are recorded and their
// exit codes scripted, debug output is kept, and system error texts come from a small table.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace zelwiz {

class FakeShell : public Shell {
  public:
    std::string ProgramFolder() override;
    std::string AppDataFolder(bool create) override;
    std::string LoginUserName() override;
    bool PathExists(const std::string& path) override;
    std::int32_t CreateFolder(const std::string& path, bool everyoneFullAccess) override;
    std::uint32_t StartProgram(const std::string& commandLine) override;
    ProcessHandle OpenProcess(std::uint32_t processId) override;
    bool WaitForProcess(ProcessHandle process) override;
    bool GetExitCode(ProcessHandle process, std::uint32_t* code) override;
    void CloseProcess(ProcessHandle process) override;
    void DebugOutput(const std::string& text) override;
    std::string SystemErrorText(std::int32_t code) override;
    // This build's own reader (PrivateProfile.h).
    std::string PrivateProfileString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, std::size_t bufferChars,
                                     const std::string& fileName) override;

    // Folders and user.
    std::string programFolder = "/opt/zelwiz";
    std::string appDataFolder;  // empty: the user has none
    std::string userName = "agent7";

    // Every CreateFolder call, in order.
    struct FolderCall {
        std::string path;
        bool everyoneFullAccess;
    };
    std::vector<FolderCall> folderCalls;
    // Folders whose creation fails with the given code (nothing is created).
    std::map<std::string, std::int32_t> createFailures;

    // A process the program may open: its exit code, and how many exit-code reads still answer
    // STILL_ACTIVE before it ends (WaitForProcess ends it at once).
    struct Process {
        std::uint32_t exitCode = 0;
        int stillActiveReads = 0;
        bool waitFails = false;
    };
    std::map<std::uint32_t, Process> processes;
    // Started command lines; each start gets the next identifier and a process that has ended
    // with code 0 (a test changes `processes` to script it). A non-zero `startFailure` makes
    // StartProgram fail with that system error.
    std::vector<std::string> started;
    std::uint32_t nextProcessId = 4000;
    std::int32_t startFailure = 0;
    size_t OpenProcessCount() const { return handles_.size(); }

    std::vector<std::string> debugOutput;
    std::map<std::int32_t, std::string> errorTexts = {{2, "No such file or directory"},
                                                      {5, "Input/output error"},
                                                      {13, "Permission denied"},
                                                      {17, "File exists"},
                                                      {28, "No space left on device"}};

  private:
    std::map<ProcessHandle, std::uint32_t> handles_;
    ProcessHandle nextHandle_ = 0x40;
};

}  // namespace zelwiz
