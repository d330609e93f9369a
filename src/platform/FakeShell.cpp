#include "platform/FakeShell.h"

#include <filesystem>
#include <system_error>

#include "platform/ErrorInfo.h"
#include "platform/PrivateProfile.h"

namespace zelwiz {

namespace fs = std::filesystem;

std::string FakeShell::ProgramFolder() {
    return programFolder;
}

std::string FakeShell::AppDataFolder(bool create) {
    if (create && !appDataFolder.empty()) {
        std::error_code ec;
        fs::create_directories(appDataFolder, ec);
    }
    return appDataFolder;
}

std::string FakeShell::LoginUserName() {
    return userName;
}

bool FakeShell::PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::int32_t FakeShell::CreateFolder(const std::string& path, bool everyoneFullAccess) {
    folderCalls.push_back(FolderCall{path, everyoneFullAccess});
    if (auto it = createFailures.find(path); it != createFailures.end())
        return it->second;
    std::error_code ec;
    if (!fs::create_directory(path, ec))
        return ec ? ec.value() : static_cast<std::int32_t>(std::errc::file_exists);
    if (everyoneFullAccess)
        fs::permissions(path, fs::perms::all, ec);
    return ec ? ec.value() : 0;
}

std::uint32_t FakeShell::StartProgram(const std::string& commandLine) {
    started.push_back(commandLine);
    if (startFailure != 0) {
        SetLastDllError(startFailure);
        return 0;
    }
    const std::uint32_t id = nextProcessId++;
    processes[id] = Process{};
    return id;
}

Shell::ProcessHandle FakeShell::OpenProcess(std::uint32_t processId) {
    if (processes.count(processId) == 0)
        return 0;
    const ProcessHandle handle = nextHandle_++;
    handles_[handle] = processId;
    return handle;
}

bool FakeShell::WaitForProcess(ProcessHandle process) {
    auto it = handles_.find(process);
    if (it == handles_.end())
        return false;
    Process& p = processes[it->second];
    if (p.waitFails)
        return false;
    p.stillActiveReads = 0;
    return true;
}

bool FakeShell::GetExitCode(ProcessHandle process, std::uint32_t* code) {
    auto it = handles_.find(process);
    if (it == handles_.end())
        return false;
    Process& p = processes[it->second];
    if (p.stillActiveReads > 0) {
        --p.stillActiveReads;
        *code = STILL_ACTIVE;
    } else {
        *code = p.exitCode;
    }
    return true;
}

void FakeShell::CloseProcess(ProcessHandle process) {
    handles_.erase(process);
}

void FakeShell::DebugOutput(const std::string& text) {
    debugOutput.push_back(text);
}

std::string FakeShell::SystemErrorText(std::int32_t code) {
    auto it = errorTexts.find(code);
    return it == errorTexts.end() ? "Unknown Error." : it->second;
}

std::string FakeShell::PrivateProfileString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue,
                                            std::size_t bufferChars, const std::string& fileName) {
    return GetPrivateProfileString(section, key, defaultValue, bufferChars, fileName);
}

}  // namespace zelwiz
