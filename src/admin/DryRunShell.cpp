#include "admin/DryRunShell.h"

#include "platform/CommandLine.h"
#include "platform/ErrorInfo.h"

namespace zelwiz {
namespace {

constexpr std::int32_t kFileNotFound = 2;  // ENOENT, and ERROR_FILE_NOT_FOUND on Windows

}  // namespace

std::string DryRunShell::Shown(std::string text) const {
    if (standIn_.empty())
        return text;
    for (auto at = text.find(standIn_); at != std::string::npos;
         at = text.find(standIn_, at + programFolder_.size())) {
        text.replace(at, standIn_.size(), programFolder_);
    }
    return text;
}

bool DryRunShell::PathExists(const std::string& path) {
    return made_.count(path) != 0 || real_.PathExists(path) || real_.PathExists(Shown(path));
}

std::string DryRunShell::AppDataFolder(bool create) {
    const std::string folder = real_.AppDataFolder(false);
    if (create && !folder.empty())
        CreateFolder(folder, false);
    return folder;
}

std::int32_t DryRunShell::CreateFolder(const std::string& path, bool /*everyoneFullAccess*/) {
    if (!PathExists(path)) {
        folders.push_back(Shown(path));
        made_.insert(path);
    }
    return 0;
}

std::uint32_t DryRunShell::StartProgram(const std::string& commandLine) {
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || !PathExists(args[0])) {
        SetLastDllError(kFileNotFound);
        return 0;
    }
    started.push_back(Shown(commandLine));
    return static_cast<std::uint32_t>(started.size());
}

Shell::ProcessHandle DryRunShell::OpenProcess(std::uint32_t processId) {
    return processId >= 1 && processId <= started.size() ? processId : 0;
}

bool DryRunShell::GetExitCode(ProcessHandle /*process*/, std::uint32_t* code) {
    *code = 0;
    return true;
}

}  // namespace zelwiz
