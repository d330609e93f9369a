#pragma once
// The shell services on Windows: the program's folder (GetModuleFileNameW), the user's
// application data (SHGetFolderPathW), the network user (WNetGetUserW), folders open to everyone
// through a null DACL, programs started with CreateProcessW, the debugger channel
// (OutputDebugStringA), the system's error texts (FormatMessageW) and the system's INI reader
// (GetPrivateProfileStringW). Paths and texts are UTF-8 here and UTF-16 at the call.

#include <cstdint>
#include <map>
#include <string>

#include "platform/Shell.h"

namespace zelwiz {

class Win32Shell : public Shell {
  public:
    Win32Shell() = default;
    ~Win32Shell() override;  // lets go of the programs it started
    Win32Shell(const Win32Shell&) = delete;
    Win32Shell& operator=(const Win32Shell&) = delete;

    // Without a trailing "\" except for a drive root ("C:\").
    std::string ProgramFolder() override;
    // CSIDL_APPDATA, with CSIDL_FLAG_CREATE when `create` is set.
    std::string AppDataFolder(bool create) override;
    std::string LoginUserName() override;
    bool PathExists(const std::string& path) override;
    // For everyone: a security descriptor whose DACL is present and null. Answers 0 or the
    // system error code.
    std::int32_t CreateFolder(const std::string& path, bool everyoneFullAccess) override;
    // CreateProcessW with the command line as given, in a normal window that gets the focus.
    std::uint32_t StartProgram(const std::string& commandLine) override;
    // OpenProcess with all access rights.
    ProcessHandle OpenProcess(std::uint32_t processId) override;
    bool WaitForProcess(ProcessHandle process) override;
    bool GetExitCode(ProcessHandle process, std::uint32_t* code) override;
    void CloseProcess(ProcessHandle process) override;
    void DebugOutput(const std::string& text) override;
    std::string SystemErrorText(std::int32_t code) override;
    std::string PrivateProfileString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, std::size_t bufferChars,
                                     const std::string& fileName) override;

  private:
    // The handles of the programs started here, kept so that a started program's exit code can
    // still be read once it has ended.
    std::map<std::uint32_t, void*> started_;
};

}  // namespace zelwiz
