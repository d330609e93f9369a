#include "platform/posix/PosixShell.h"

#include <errno.h>
#include <locale.h>
#include <pwd.h>
#include <spawn.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/CommandLine.h"
#include "platform/ErrorInfo.h"
#include "platform/PrivateProfile.h"

extern char** environ;

namespace zelwiz {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// The passwd entry of the effective user: its login name or its home folder.
std::string PasswdField(bool home) {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr)
        return {};
    const char* field = home ? found->pw_dir : found->pw_name;
    return field == nullptr ? std::string() : std::string(field);
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// mkdir -p with `mode` for the levels it creates.
void MakeLevels(const std::string& path, mode_t mode) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (mkdir(level.c_str(), mode) != 0 && errno != EEXIST)
            return;
        if (slash == std::string::npos)
            return;
    }
}

}  // namespace

std::string PosixShell::ProgramFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        exe = std::filesystem::current_path(ec) / "program";
    return WithoutTrailingSlash(exe.parent_path().string());
}

std::string PosixShell::AppDataFolder(bool create) {
    std::string folder = Env("XDG_DATA_HOME");
    if (folder.empty() || folder[0] != '/') {  // a relative value is ignored, as XDG says
        std::string home = Env("HOME");
        if (home.empty())
            home = PasswdField(true);
        if (home.empty())
            return {};
        folder = WithoutTrailingSlash(home) + "/.local/share";
    }
    folder = WithoutTrailingSlash(folder);
    if (create)
        MakeLevels(folder, 0700);
    return folder;
}

std::string PosixShell::LoginUserName() {
    std::string name = PasswdField(false);
    return name.empty() ? Env("USER") : name;
}

bool PosixShell::PathExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

std::int32_t PosixShell::CreateFolder(const std::string& path, bool everyoneFullAccess) {
    if (mkdir(path.c_str(), 0777) != 0)
        return errno;
    // mkdir's mode passes through the umask; full access for everyone must not.
    if (everyoneFullAccess && chmod(path.c_str(), 0777) != 0)
        return errno;
    return 0;
}

std::uint32_t PosixShell::StartProgram(const std::string& commandLine) {
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || args[0].empty()) {
        SetLastDllError(ENOENT);
        return 0;
    }
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (rc != 0) {
        SetLastDllError(rc);
        return 0;
    }
    children_[static_cast<std::uint32_t>(pid)] = Child{};
    return static_cast<std::uint32_t>(pid);
}

Shell::ProcessHandle PosixShell::OpenProcess(std::uint32_t processId) {
    if (children_.count(processId) == 0)
        return 0;
    const ProcessHandle handle = nextHandle_++;
    handles_[handle] = processId;
    return handle;
}

PosixShell::Child* PosixShell::FindChild(ProcessHandle process) {
    auto it = handles_.find(process);
    if (it == handles_.end())
        return nullptr;
    return &children_[it->second];
}

bool PosixShell::Reap(std::uint32_t pid, Child& child, bool block) {
    int status = 0;
    pid_t r;
    do {
        r = waitpid(static_cast<pid_t>(pid), &status, block ? 0 : WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r < 0) {
        SetLastDllError(errno);  // the status is lost (the child was reaped elsewhere)
        return false;
    }
    if (r == static_cast<pid_t>(pid)) {
        child.ended = true;
        if (WIFEXITED(status))
            child.exitCode = static_cast<std::uint32_t>(WEXITSTATUS(status));
        else if (WIFSIGNALED(status))
            child.exitCode = 128u + static_cast<std::uint32_t>(WTERMSIG(status));
    }
    return true;
}

bool PosixShell::WaitForProcess(ProcessHandle process) {
    Child* child = FindChild(process);
    if (child == nullptr)
        return false;
    if (!child->ended && !Reap(handles_[process], *child, true))
        return false;
    return child->ended;
}

bool PosixShell::GetExitCode(ProcessHandle process, std::uint32_t* code) {
    Child* child = FindChild(process);
    if (child == nullptr || code == nullptr)
        return false;
    if (!child->ended && !Reap(handles_[process], *child, false))
        return false;
    *code = child->ended ? child->exitCode : STILL_ACTIVE;
    return true;
}

void PosixShell::CloseProcess(ProcessHandle process) {
    handles_.erase(process);
}

void PosixShell::DebugOutput(const std::string& text) {
    // The debugger channel is silent unless asked for, as no debugger listens by default.
    const char* wanted = std::getenv("ZELWIZ_DEBUG");
    if (wanted == nullptr || std::string_view(wanted) != "1")
        return;
    std::string line = text;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    for (char& c : line) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

std::string PosixShell::SystemErrorText(std::int32_t code) {
    // The C locale keeps the text plain ASCII for the log and makes the library's "unknown"
    // answers recognisable ("Unknown error N" in glibc, "No error information" in musl).
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const char* text = cLocale != locale_t{} ? strerror_l(code, cLocale) : strerror(code);
    const std::string s = text == nullptr ? std::string() : std::string(text);
    if (s.empty() || s.rfind("Unknown error", 0) == 0 || s == "No error information")
        return "Unknown Error.";
    return s;
}

std::string PosixShell::PrivateProfileString(const std::string& section, const std::string& key,
                                             const std::string& defaultValue,
                                             std::size_t bufferChars, const std::string& fileName) {
    return GetPrivateProfileString(section, key, defaultValue, bufferChars, fileName);
}

}  // namespace zelwiz
