// zelwiz.exe run as an administrator deploys it and as users start it, and zelwiz-admin.exe beside
// it, on the registry, folders and processes of Windows (here Wine's). Each run uses a program
// folder whose name has blanks and characters of other languages; every test leaves the product's
// keys and the user's data folder as it found them: absent.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "admin/KeyTree.h"
#include "components/RegistryValues.h"
#include "platform/Utf8Path.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/VersionResource.h"
#include "platform/win32/Win32Registry.h"
#include "program/PredictedChanges.h"
#include "support/TempFolder.h"

#include <windows.h>

// Outside the core's namespace, where HKEY and its predefined values are the system's.
namespace {

// A key with everything below it, from both hives.
void DeleteTree(const wchar_t* path) {
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        RegDeleteTreeW(hive, path);
}

}  // namespace

namespace zelwiz::test {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
    return lines;
}

// The exit code of a process that ends within the time; STILL_ACTIVE for one that runs on.
::DWORD ExitCodeWithin(HANDLE process, ::DWORD milliseconds) {
    ::DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    return code;
}

struct RunResult {
    ::DWORD exitCode = 0;
    std::string out;
    std::string err;
};

const std::string kInstall = "Software\\Korvane\\7316\\Install";
const std::string kUser = "Software\\Korvane\\7316\\";
const std::string kProvider = "Software\\Korvane\\TSpi_CSTA";

class ZelwizExe : public ::testing::Test {
  protected:
    void SetUp() override {
        Clean();
        program_ = temp_.path() / u8"Programme Korvane é 電話";
        fs::create_directories(program_);
        fs::copy_file(ZELWIZ_EXE, program_ / "zelwiz.exe");
    }
    void TearDown() override {
        for (PROCESS_INFORMATION& started : started_) {
            TerminateProcess(started.hProcess, 1);  // when it still runs
            CloseHandle(started.hThread);
            CloseHandle(started.hProcess);
        }
        Clean();
    }

    // The product's keys and the user's data folder are gone.
    void Clean() {
        DeleteTree(L"Software\\Korvane");
        std::error_code ignored;
        fs::remove_all(DataFolder(), ignored);
    }

    static fs::path DataFolder() { return fs::path(_wgetenv(L"APPDATA")) / "Korvane Parlova"; }

    void Seed(zelwiz::HKEY hive, const std::string& path, const std::string& name,
              const std::string& text) {
        zelwiz::HKEY key = 0;
        ASSERT_EQ(registry_.CreateKey(hive, path, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
        registry_.SetString(key, name, text);
        registry_.CloseKey(key);
    }
    // The text of a value, read by its name; nullopt when it is absent.
    std::optional<std::string> Value(zelwiz::HKEY hive, const std::string& path,
                                     const std::string& name) {
        return ReadRegText(registry_, hive, path, name);
    }

    void WriteProgramFile(const std::string& name, const std::string& text) {
        std::ofstream(program_ / name, std::ios::binary) << text;
    }
    void InstallRecordingTool(const std::string& name) {
        fs::copy_file(ZELWIZ_RECORDING_TOOL, program_ / name);
    }
    // The command line a program of the folder is started with, as the program starts it.
    std::string Started(const std::string& name, const std::string& arguments = "") {
        return "\"" + Utf8Text(program_ / name) + "\"" + arguments;
    }
    // The command lines a recording tool was started with. The program does not wait for the
    // main application it starts: `atLeast` runs are waited for, ten seconds at most.
    std::vector<std::string> ToolRuns(const std::string& name, size_t atLeast = 0) {
        for (int i = 0;; ++i, Sleep(100)) {
            std::vector<std::string> runs = Lines(ReadBytes(program_ / (name + ".ran")));
            if (runs.size() >= atLeast || i == 100)
                return runs;
        }
    }
    // The error logs of the user's data folder.
    std::string Log() {
        std::string text;
        for (const auto& entry : fs::directory_iterator(DataFolder()))
            text += ReadBytes(entry.path());
        return text;
    }

    // Starts a program of the folder (zelwiz.exe unless named) with these arguments, its output
    // and errors in files of the run; TearDown ends it if it still runs then.
    HANDLE Start(const std::string& arguments, const std::string& exe = "zelwiz.exe") {
        PROCESS_INFORMATION& info = started_.emplace_back();
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        auto output = [&](const char* kind) {
            return CreateFileW(Output(kind).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        };
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output(".out");
        startup.hStdError = output(".err");
        std::wstring line = L"\"" + (program_ / exe).wstring() + L"\" " + Wide(arguments);
        EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   program_.c_str(), &startup, &info))
            << exe << " cannot be started: " << GetLastError();
        CloseHandle(startup.hStdOutput);
        CloseHandle(startup.hStdError);
        return info.hProcess;
    }
    // A file of the output of the last program started.
    fs::path Output(const char* kind) const {
        return temp_.path() / (std::to_string(started_.size()) + kind);
    }
    // Runs it to its end, a minute at most.
    RunResult Run(const std::string& arguments, const std::string& exe = "zelwiz.exe") {
        const ::DWORD exitCode = ExitCodeWithin(Start(arguments, exe), 60000);
        return {exitCode, ReadBytes(Output(".out")), ReadBytes(Output(".err"))};
    }

    // The product's keys of a hive, below the hive's root as a .reg file has them.
    RegNode Hive(zelwiz::HKEY hive) {
        RegNode root;
        RegNode& software = root.FindOrAdd("Software");
        if (std::optional<RegNode> product = ReadKeyTree(registry_, hive, kProductKeyPath))
            software.FindOrAdd(product->name) = *product;
        return SortedValues(root);
    }

    TempFolder temp_;
    fs::path program_;
    Win32Registry registry_;
    std::vector<PROCESS_INFORMATION> started_;
};

TEST_F(ZelwizExe, TheVersionResourceNamesTheMakerTheProductAndTheVersion) {
    const std::string exe = Utf8Text(program_ / "zelwiz.exe");
    EXPECT_EQ(VersionResourceText(exe, "CompanyName"), "Korvane");
    EXPECT_EQ(VersionResourceText(exe, "ProductName"), "Parlova");
    EXPECT_EQ(VersionResourceText(exe, "FileVersion").rfind("4.0.0.", 0), 0u);
    EXPECT_EQ(VersionResourceText(exe, "NoSuchName"), "");
}

TEST_F(ZelwizExe, TheOptionWritesTheProvidersMachineWideAddressesAndEnds) {
    for (const char* arguments : {"-c pbx-lyon 10.0.0.5", "-a -c pbx-lyon 10.0.0.5"}) {
        SCOPED_TRACE(arguments);
        const RunResult run = Run(arguments);
        EXPECT_EQ(run.exitCode, 0u) << run.err;
        EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kProvider, "SwitchName"), "pbx-lyon");
        EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kProvider + "\\Provider", "IpAddress"), "10.0.0.5");
        EXPECT_FALSE(Value(HKEY_CURRENT_USER, kInstall, "SetPrlConf4-1"))
            << "the option ends the program before anything else";
        Clean();
    }
}

// confdirect.ini beside the program: zelwiz-admin.exe check predicts, through the layer it lays
// over the registry, exactly what the start then does, and writes nothing; the start saves and
// starts the main application; a backup then undoes damage to the product's keys, non-ASCII data
// and a file name in another language included. The file names no profile, which is logged.
TEST_F(ZelwizExe, ConfdirectSavesAndStartsAsAdminCheckPredictsAndRestoreUndoesDamage) {
    Seed(HKEY_LOCAL_MACHINE, kInstall, "CCC", "ThirdCSTALAN");
    Seed(HKEY_LOCAL_MACHINE, kProvider, "PbxPrefix", "0");  // the provider
    Seed(HKEY_LOCAL_MACHINE, kInstall, "Copyright", "© Korvane, Zürich");
    InstallRecordingTool("zelphone.exe");
    fs::copy_file(ZELWIZ_ADMIN_EXE, program_ / "zelwiz-admin.exe");
    WriteProgramFile("confdirect.ini",
                     "[ADDRESS]\r\nHostname= pbx-lyon \r\nvoipname=10.0.0.20\r\n"
                     "centralname=log1\r\n[PARLOVA]\r\nEdn=7000\r\n");
    RegNode machine = Hive(HKEY_LOCAL_MACHINE);
    RegNode user = Hive(HKEY_CURRENT_USER);

    const RunResult check = Run("check --json", "zelwiz-admin.exe");
    ASSERT_EQ(check.exitCode, 0u) << check.out << check.err;
    const nlohmann::json prediction = nlohmann::json::parse(check.out);
    EXPECT_EQ(Hive(HKEY_CURRENT_USER), user) << "check wrote to the registry";
    EXPECT_EQ(Hive(HKEY_LOCAL_MACHINE), machine) << "check wrote to the registry";
    EXPECT_FALSE(fs::exists(DataFolder())) << "check made the data folder";

    RunResult run = Run("");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kInstall, "ProductProfil"), "2") << "without a profile";
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kInstall, "IsWizConfigured"), "-1");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kUser + "ZELDial\\Preference", "Preferred Line"),
              "KORVANE - 7000");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kUser + "ZELWiz\\Settings", "EdnIP"), "7000");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kUser + "PRLserver\\Settings", "PRLserverName"), "log1");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kProvider, "SwitchName"), "pbx-lyon");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kProvider + "\\Provider", "IpAddress"), "10.0.0.20");
    EXPECT_EQ(ToolRuns("zelphone.exe", 1), std::vector{Started("zelphone.exe")});
    EXPECT_EQ(prediction["started"].size(), 1u);
    for (const auto& change : prediction["changes"])
        ApplyPredictedChange(change, &machine, &user);
    user = SortedValues(user);
    machine = SortedValues(machine);
    EXPECT_EQ(Hive(HKEY_CURRENT_USER), user) << check.out;
    EXPECT_EQ(Hive(HKEY_LOCAL_MACHINE), machine) << check.out;
    EXPECT_EQ(LogWithoutTime(Lines(Log()), prediction["messages"]),
              prediction["log"].get<std::vector<std::string>>());

    const fs::path backup = program_ / u8"sauvegarde poste é.reg";
    run = Run("backup \"" + Utf8Text(backup) + "\"", "zelwiz-admin.exe");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    Seed(HKEY_CURRENT_USER, kUser + "ZELDial\\Preference", "Preferred Line", "KORVANE - 1");
    Seed(HKEY_CURRENT_USER, "Software\\Korvane\\Junk", "Stray", "x");
    Seed(HKEY_LOCAL_MACHINE, kInstall, "CCC", "ThirdRSPI");
    DeleteTree(L"Software\\Korvane\\7316\\ZELWiz");  // the user's, with everything below it
    run = Run("restore \"" + Utf8Text(backup) + "\"", "zelwiz-admin.exe");
    ASSERT_EQ(run.exitCode, 0u) << run.out << run.err;
    EXPECT_EQ(Hive(HKEY_CURRENT_USER), user) << run.out;
    EXPECT_EQ(Hive(HKEY_LOCAL_MACHINE), machine) << run.out;
    // Read by name too, not only through the enumeration the backup uses.
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kInstall, "Copyright"), "© Korvane, Zürich");

    // Configured now: the file is not read again, and without a display the wizard cannot
    // be shown.
    run = Run("");
    EXPECT_EQ(run.exitCode, 2u);
    const std::string told = "cannot show the Parlova Configuration Wizard window";
    EXPECT_NE(run.err.find(told), std::string::npos) << run.err;
    EXPECT_NE(Log().find(told), std::string::npos);
}

TEST_F(ZelwizExe, ATapi21FileNeedsOnlyTheNumberAndLogsWhatIsMissing) {
    WriteProgramFile("confTapi21.ini", "[PARLOVA]\nEdn=3000\nProfil=OPERATOR\n");
    InstallRecordingTool("zelphone.exe");
    const RunResult run = Run("");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kUser + "ZELWiz\\Settings", "EdnSet"), "3000");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kUser + "ZELPhone\\Settings", "PhoneMode"), "3");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kInstall, "ProductProfil"), "2");
    const std::string log = Log();
    EXPECT_NE(log.find("The CSTA Ip Address field must be fill"), std::string::npos) << log;
    EXPECT_NE(log.find("The VoIp Address field is empty"), std::string::npos) << log;
}

TEST_F(ZelwizExe, TheRestoreToolRunsOnceWithItsOption) {
    Seed(HKEY_CURRENT_USER, kInstall, "IsWizConfigured", "-1");
    InstallRecordingTool("restprlconf4_0.exe");
    for (int run = 0; run < 2; ++run)
        EXPECT_EQ(Run("").exitCode, 2u) << "the wizard is wanted and cannot be shown";
    EXPECT_EQ(ToolRuns("restprlconf4_0.exe"), std::vector{Started("restprlconf4_0.exe", " -s")});
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kInstall, "SetPrlConf4-1"), "-1");
}

// On a display (a run of its own): a user who starts the wizard again while it is open gets the
// open wizard in front, and no second one.
using ZelwizExeOnADisplay = ZelwizExe;

// The activation travels through the window system: it is waited for, a few seconds at most.
bool ForegroundBecomes(HWND window) {
    for (int i = 0; i < 250 && GetForegroundWindow() != window; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
    return GetForegroundWindow() == window;
}

TEST_F(ZelwizExeOnADisplay, ASecondCopyBringsTheFirstCopysWizardToTheFrontAndEnds) {
    // A user who configured the wizard before: it opens at once, on the welcome page.
    Seed(HKEY_CURRENT_USER, kInstall, "IsWizConfigured", "-1");
    Seed(HKEY_CURRENT_USER, kInstall, "SetPrlConf4-1", "-1");
    Seed(HKEY_LOCAL_MACHINE, kInstall, "7316ShortName", "Parlova");
    const wchar_t* title = L"Parlova Configuration Wizard";
    const HANDLE first = Start("");
    HWND wizard = nullptr;
    for (int i = 0; i < 600 && (wizard == nullptr || !IsWindowVisible(wizard)); ++i, Sleep(100))
        wizard = FindWindowW(nullptr, title);
    ASSERT_TRUE(wizard != nullptr && IsWindowVisible(wizard)) << "the first copy shows no wizard";

    // Another program's window comes in front of the wizard.
    HWND other = CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 40, 40, 400, 300, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(ForegroundBecomes(other));

    EXPECT_EQ(ExitCodeWithin(Start(""), 60000), 0u) << "the second copy ends at once";
    EXPECT_TRUE(ForegroundBecomes(wizard)) << "the first copy's wizard comes to the front";
    EXPECT_EQ(FindWindowExW(nullptr, wizard, nullptr, title), nullptr) << "one wizard only";
    EXPECT_EQ(ExitCodeWithin(first, 0), STILL_ACTIVE);

    // Closing the wizard by its title bar ends the first copy, with nothing saved.
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeWithin(first, 60000), 0u);
    DestroyWindow(other);
}

}  // namespace
}  // namespace zelwiz::test
