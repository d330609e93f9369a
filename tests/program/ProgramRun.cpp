#include "program/ProgramRun.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/RegFile.h"

namespace zelwiz::test {
namespace fs = std::filesystem;
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

constexpr uid_t kNobody = 65534;

}  // namespace

ProgramFolder::ProgramFolder() {
    for (const char* dir : {"program", "registry", "data", "runtime", "config"}) {
        fs::create_directories(root_.path() / dir);
        fs::permissions(root_.path() / dir, fs::perms::all);
    }
    // The runtime folder must be the user's own, as a login session makes it.
    fs::permissions(root_.path() / "runtime", fs::perms::owner_all);
    fs::permissions(root_.path(), fs::perms::all);
    fs::copy_file(ZELWIZ_BINARY, root_.path() / "program" / "zelwiz");
}

void ProgramFolder::WriteProgramFile(const std::string& name, const std::string& text,
                                     bool executable) {
    const std::string path = root_ / ("program/" + name);
    std::ofstream(path, std::ios::binary) << text;
    fs::permissions(path, executable ? fs::perms::all
                                     : fs::perms::owner_read | fs::perms::owner_write |
                                           fs::perms::group_read | fs::perms::others_read);
}

void ProgramFolder::InstallRecordingTool(const std::string& name) {
    WriteProgramFile(name, "#!/bin/sh\necho \"$*\" >> \"$(dirname \"$0\")/" + name + ".ran\"\n",
                     true);
}

std::vector<std::string> ProgramFolder::ToolRuns(const std::string& name, size_t atLeast) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (true) {
        std::vector<std::string> runs;
        std::istringstream in(ReadAll(root_ / ("program/" + name + ".ran")));
        for (std::string line; std::getline(in, line);)
            runs.push_back(line);
        if (runs.size() >= atLeast || std::chrono::steady_clock::now() > deadline)
            return runs;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string ProgramFolder::HivePath(HKEY hive) const {
    return root_ / (hive == HKEY_LOCAL_MACHINE ? "registry/HKEY_LOCAL_MACHINE.reg"
                                               : "registry/HKEY_CURRENT_USER.reg");
}

void ProgramFolder::SeedHive(HKEY hive, const std::string& regText) {
    std::ofstream(HivePath(hive), std::ios::binary) << regText;
    fs::permissions(HivePath(hive), fs::perms::owner_read | fs::perms::owner_write |
                                        fs::perms::group_read | fs::perms::others_read |
                                        fs::perms::others_write);
}

void ProgramFolder::RemoveDataFolder() {
    fs::remove_all(root_.path() / "data");
}

void ProgramFolder::ProtectMachineHive() {
    if (!fs::exists(HivePath(HKEY_LOCAL_MACHINE))) {
        SeedHive(HKEY_LOCAL_MACHINE, "Windows Registry Editor Version 5.00\n");
    }
    fs::permissions(HivePath(HKEY_LOCAL_MACHINE),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // Root may write any file: the runs then go as a user who may not.
    asNobody_ = ::geteuid() == 0;
    if (asNobody_ && ::chown((root_ / "runtime").c_str(), kNobody, kNobody) != 0)
        throw std::runtime_error("cannot give the runtime folder to nobody");
}

std::vector<std::string> ProgramFolder::Environment(bool display) const {
    std::vector<std::string> env = {
        "PATH=/usr/bin:/bin",
        "HOME=" + (root_ / "config"),
        "ZELWIZ_REGISTRY=" + RegistryDir(),
        "XDG_DATA_HOME=" + (root_ / "data"),
        "XDG_RUNTIME_DIR=" + (root_ / "runtime"),
        "XDG_CONFIG_HOME=" + (root_ / "config"),
    };
    if (display)
        env.push_back("QT_QPA_PLATFORM=offscreen");
    env.insert(env.end(), extraEnvironment.begin(), extraEnvironment.end());
    return env;
}

pid_t ProgramFolder::Start(const std::vector<std::string>& args, bool display,
                           const std::string& binary) {
    const int run = runs_++;
    const std::string out = root_ / ("out" + std::to_string(run));
    const std::vector<std::string> env = Environment(display);
    const std::string program = binary.empty() ? ProgramDir() + "/zelwiz" : binary;
    pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        int o = ::open((out + ".stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        int e = ::open((out + ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        int in = ::open("/dev/null", O_RDONLY);
        ::dup2(in, 0);
        ::dup2(o, 1);
        ::dup2(e, 2);
        if (asNobody_ && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (const auto& v : env)
            envp.push_back(const_cast<char*>(v.c_str()));
        envp.push_back(nullptr);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    runOf_[pid] = run;
    return pid;
}

RunResult ProgramFolder::Wait(pid_t pid, int seconds) {
    RunResult result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (status != -1 && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    if (status != -1 && WIFSIGNALED(status))
        result.exitCode = 128 + WTERMSIG(status);
    const std::string out = root_ / ("out" + std::to_string(runOf_[pid]));
    result.out = ReadAll(out + ".stdout");
    result.err = ReadAll(out + ".stderr");
    return result;
}

bool ProgramFolder::WaitForRunningCopy(int seconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        for (const auto& entry : fs::directory_iterator(root_.path() / "runtime")) {
            if (entry.path().extension() == ".sock")
                return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

RunResult ProgramFolder::Run(const std::vector<std::string>& args, bool display, int seconds) {
    return Wait(Start(args, display), seconds);
}

RunResult ProgramFolder::RunTool(const std::string& binary, const std::vector<std::string>& args) {
    return Wait(Start(args, false, binary), 30);
}

std::string ProgramFolder::HiveText(HKEY hive) const {
    return ReadAll(HivePath(hive));
}

std::optional<std::string> ProgramFolder::Value(HKEY hive, const std::string& keyPath,
                                                const std::string& name) const {
    RegNode root;
    RegFileError error;
    if (!ParseRegFile(HiveText(hive), hive, &root, &error))
        return std::nullopt;
    std::vector<std::string> levels;
    SplitKeyPath(keyPath, &levels);
    const RegNode* node = &root;
    for (const auto& level : levels) {
        node = node->Find(level);
        if (node == nullptr)
            return std::nullopt;
    }
    const RegValueData* value = node->FindValue(name);
    if (value == nullptr)
        return std::nullopt;
    std::string text(value->data.begin(), value->data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

bool ProgramFolder::KeyExists(HKEY hive, const std::string& keyPath) const {
    RegNode root;
    RegFileError error;
    if (!ParseRegFile(HiveText(hive), hive, &root, &error))
        return false;
    std::vector<std::string> levels;
    SplitKeyPath(keyPath, &levels);
    const RegNode* node = &root;
    for (const auto& level : levels) {
        node = node->Find(level);
        if (node == nullptr)
            return false;
    }
    return true;
}

std::vector<std::string> ProgramFolder::LogLines() const {
    const passwd* user = ::getpwuid(asNobody_ ? kNobody : ::geteuid());
    const std::string name = user != nullptr ? user->pw_name : "";
    std::istringstream in(ReadAll(root_ / ("data/Korvane Parlova/error_" + name + ".log")));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace zelwiz::test
