#include "program/ProgramRun.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

std::vector<std::string> Lines(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

constexpr uid_t kNobody = 65534;

}  // namespace

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string InstalledMachine(const std::string& ccc, bool provider) {
    std::string text = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Korvane\7316\Install]
"CCC"=")" + ccc + R"("
"7316Name"="Korvane Parlova"
"7316ShortName"="Parlova"
)";
    if (provider)
        text += "\n[HKEY_LOCAL_MACHINE\\Software\\Korvane\\TSpi_CSTA]\n\"PbxPrefix\"=\"0\"\n";
    return text;
}

std::string UserInstall(const std::string& values) {
    return "Windows Registry Editor Version 5.00\n\n"
           "[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\n" +
           values;
}

bool Eventually(const std::function<bool()>& done, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

ProgramFolder::ProgramFolder(const std::string& machine) {
    for (const char* dir : {"program", "registry", "data", "runtime", "config"}) {
        fs::create_directories(root_.path() / dir);
        fs::permissions(root_.path() / dir, fs::perms::all);
    }
    // The runtime folder must be the user's own, as a login session makes it.
    fs::permissions(root_.path() / "runtime", fs::perms::owner_all);
    fs::permissions(root_.path(), fs::perms::all);
    fs::copy_file(ZELWIZ_BINARY, root_.path() / "program" / "zelwiz");
    InstallRecordingTool("zelphone.exe");
    if (!machine.empty())
        SeedHive(HKEY_LOCAL_MACHINE, machine);
}

void ProgramFolder::WriteProgramFile(const std::string& name, const std::string& text,
                                     bool executable) {
    const std::string path = root_ / ("program/" + name);
    std::ofstream(path, std::ios::binary) << text;
    fs::permissions(path, fs::perms(executable ? 0777 : 0644));
}

void ProgramFolder::InstallRecordingTool(const std::string& name) {
    WriteProgramFile(name, "#!/bin/sh\necho \"$*\" >> \"$(dirname \"$0\")/" + name + ".ran\"\n",
                     true);
}

std::vector<std::string> ProgramFolder::ToolRuns(const std::string& name, size_t atLeast) const {
    std::vector<std::string> runs;
    Eventually([&] {
        runs = Lines(ReadAll(root_ / ("program/" + name + ".ran")));
        return runs.size() >= atLeast;
    });
    return runs;
}

std::string ProgramFolder::HivePath(HKEY hive) const {
    return root_ / ("registry/" + std::string(HiveName(hive)) + ".reg");
}

void ProgramFolder::SeedHive(HKEY hive, const std::string& regText) {
    std::ofstream(HivePath(hive), std::ios::binary) << regText;
    fs::permissions(HivePath(hive), fs::perms(0646));  // the user of runs as nobody writes it too
}

void ProgramFolder::RemoveDataFolder() {
    fs::remove_all(root_.path() / "data");
}

void ProgramFolder::ProtectMachineHive() {
    if (!fs::exists(HivePath(HKEY_LOCAL_MACHINE)))
        SeedHive(HKEY_LOCAL_MACHINE, "Windows Registry Editor Version 5.00\n");
    fs::permissions(HivePath(HKEY_LOCAL_MACHINE), fs::perms(0444));
    // Root may write any file: the runs then go as a user who may not.
    asNobody_ = ::geteuid() == 0;
    if (asNobody_ && ::chown((root_ / "runtime").c_str(), kNobody, kNobody) != 0)
        throw std::runtime_error("cannot give the runtime folder to nobody");
}

pid_t ProgramFolder::Start(const std::vector<std::string>& args, bool display,
                           const std::string& binary) {
    const std::string out = root_ / ("out" + std::to_string(outputOf_.size()));
    // The program runs with exactly these variables.
    std::vector<std::string> argv = {
        "/usr/bin/env",
        "-i",
        "PATH=/usr/bin:/bin",
        "HOME=" + (root_ / "config"),
        "ZELWIZ_REGISTRY=" + (root_ / "registry"),
        "XDG_DATA_HOME=" + (root_ / "data"),
        "XDG_RUNTIME_DIR=" + (root_ / "runtime"),
        "XDG_CONFIG_HOME=" + (root_ / "config"),
    };
    if (display)
        argv.push_back("QT_QPA_PLATFORM=offscreen");
    argv.insert(argv.end(), extraEnvironment.begin(), extraEnvironment.end());
    argv.push_back(binary.empty() ? ProgramDir() + "/zelwiz" : binary);
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        const int fds[] = {::open("/dev/null", O_RDONLY),
                           ::open((out + ".stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666),
                           ::open((out + ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666)};
        for (int fd : {0, 1, 2})
            ::dup2(fds[fd], fd);
        if (asNobody_ && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(126);
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    outputOf_[pid] = out;
    return pid;
}

RunResult ProgramFolder::Wait(pid_t pid) {
    int status = 0;
    const bool ended = Eventually([&] { return ::waitpid(pid, &status, WNOHANG) != 0; }, 30);
    if (!ended) {
        ::kill(-pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    return {!ended              ? -1
            : WIFEXITED(status) ? WEXITSTATUS(status)
                                : 128 + WTERMSIG(status),
            ReadAll(outputOf_[pid] + ".stdout"), ReadAll(outputOf_[pid] + ".stderr")};
}

size_t ProgramFolder::LogLinesWith(const std::string& text) const {
    return std::ranges::count_if(
        LogLines(), [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

std::string ProgramFolder::HiveText(HKEY hive) const {
    return ReadAll(HivePath(hive));
}

RegNode ProgramFolder::Hive(HKEY hive) const {
    RegNode root;
    RegFileError error;
    EXPECT_TRUE(ParseRegFile(HiveText(hive), hive, &root, &error)) << error.reason;
    root.FindOrAdd("Software");  // every hive holds it, written to its file or not
    return root;
}

std::optional<RegNode> ProgramFolder::Key(HKEY hive, const std::string& keyPath) const {
    RegNode root = Hive(hive);
    std::vector<std::string> levels;
    SplitKeyPath(keyPath, &levels);
    const RegNode* node = &root;
    for (const auto& level : levels) {
        if ((node = node->Find(level)) == nullptr)
            return std::nullopt;
    }
    return *node;
}

std::optional<std::string> ProgramFolder::Value(HKEY hive, const std::string& keyPath,
                                                const std::string& name) const {
    const std::optional<RegNode> key = Key(hive, keyPath);
    const RegValueData* value = key ? key->FindValue(name) : nullptr;
    if (value == nullptr)
        return std::nullopt;
    std::string text(value->data.begin(), value->data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::vector<std::string> ProgramFolder::LogLines() const {
    const passwd* user = ::getpwuid(asNobody_ ? kNobody : ::geteuid());
    const std::string name = user != nullptr ? user->pw_name : "";
    return Lines(ReadAll(root_ / ("data/Korvane Parlova/error_" + name + ".log")));
}

}  // namespace zelwiz::test
