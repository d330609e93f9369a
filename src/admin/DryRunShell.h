#pragma once
// The shell of a run that must change nothing: it answers from the real shell what the program
// only reads (folders, the user, which files exist, error texts) and records, instead of doing
// them, what would change the machine: folders created and programs started. A program that is
// there "starts" and ends at once with exit code 0; one that is not fails as the real start would.
// A folder it "makes" exists for the rest of the run.
//
// The predicted run may look for its files in a stand-in folder (holding the INI file to try
// under the name the program looks for): every other path in it is answered from the folder the
// program really is in, and Shown() gives a path as the real program would see it.

#include <set>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace zelwiz {

class DryRunShell : public Shell {
  public:
    DryRunShell(Shell& real, std::string programFolder, std::string standIn = {})
        : real_(real), programFolder_(std::move(programFolder)), standIn_(std::move(standIn)) {}

    std::string ProgramFolder() override { return standIn_.empty() ? programFolder_ : standIn_; }
    std::string AppDataFolder(bool create) override;
    std::string LoginUserName() override { return real_.LoginUserName(); }
    bool PathExists(const std::string& path) override;
    std::int32_t CreateFolder(const std::string& path, bool everyoneFullAccess) override;
    std::uint32_t StartProgram(const std::string& commandLine) override;
    ProcessHandle OpenProcess(std::uint32_t processId) override;
    bool WaitForProcess(ProcessHandle) override { return true; }
    bool GetExitCode(ProcessHandle process, std::uint32_t* code) override;
    void CloseProcess(ProcessHandle) override {}
    void DebugOutput(const std::string&) override {}
    std::string SystemErrorText(std::int32_t code) override { return real_.SystemErrorText(code); }
    std::string PrivateProfileString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, std::size_t bufferChars,
                                     const std::string& fileName) override {
        return real_.PrivateProfileString(section, key, defaultValue, bufferChars, fileName);
    }

    // The text with the stand-in folder replaced by the program's real folder.
    std::string Shown(std::string text) const;

    std::vector<std::string> started;  // command lines, in order
    std::vector<std::string> folders;  // folders that would be created

  private:
    Shell& real_;
    std::string programFolder_;
    std::string standIn_;
    std::set<std::string> made_;  // folders the run has made, as far as it can tell
};

}  // namespace zelwiz
