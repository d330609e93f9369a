// zelwiz.exe run as an administrator deploys it and as users start it, and zelwiz-admin.exe beside
// it, on the registry, folders and processes of Windows (here Wine's). Each run uses a program
// folder whose name has blanks and characters of other languages; every test leaves the product's
// keys and the user's data folder as it found them: absent.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "admin/KeyTree.h"
#include "platform/Registry.h"
#include "platform/Utf8Path.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/VersionResource.h"
#include "platform/win32/Win32Registry.h"
#include "program/PredictedChanges.h"
#include "support/TempFolder.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <shlobj.h>

// Outside the core's namespace, where HKEY and its predefined values are the system's.
namespace {

void DeleteProductKeys() {
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RegDeleteTreeW(hive, L"Software\\Korvane");
        RegDeleteKeyW(hive, L"Software\\Korvane");
    }
}

// Damage to the user's configuration: a key with everything below it.
void DeleteUserTree(const wchar_t* path) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path);
}

}  // namespace

namespace zelwiz::test {
namespace {

namespace fs = std::filesystem;

// A path of the build machine, as Wine shows it to Windows programs.
fs::path FromBuild(const std::string& path) {
    std::string windows = path;
    if (!windows.empty() && windows[0] == '/')
        windows = "Z:" + windows;
    for (char& c : windows)
        c = c == '/' ? '\\' : c;
    return Utf8Path(windows);
}

std::string Text(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

struct RunResult {
    ::DWORD exitCode = 0;
    std::string out;
    std::string err;
};

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class ZelwizExe : public ::testing::Test {
  protected:
    void SetUp() override {
        Clean();
        program_ = temp_.path() / u8"Programme Korvane é 電話";
        fs::create_directories(program_);
        fs::copy_file(FromBuild(ZELWIZ_EXE), program_ / "zelwiz.exe");
    }
    void TearDown() override { Clean(); }

    // The product's keys and the user's data folder are gone.
    void Clean() {
        DeleteProductKeys();
        std::error_code ignored;
        fs::remove_all(DataFolder(), ignored);
    }

    static fs::path DataFolder() {
        wchar_t appData[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
        return fs::path(appData) / "Korvane Parlova";
    }

    void Seed(zelwiz::HKEY hive, const std::string& path, const std::string& name,
              const std::string& text) {
        zelwiz::HKEY key = 0;
        ASSERT_EQ(registry_.CreateKey(hive, path, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
        registry_.SetString(key, name, text);
        registry_.CloseKey(key);
    }
    // The text of a value, without its terminator; nullopt when it is absent.
    std::optional<std::string> Value(zelwiz::HKEY hive, const std::string& path,
                                     const std::string& name) {
        zelwiz::HKEY key = 0;
        zelwiz::DWORD size = 1024;
        std::string data(size, '\0');
        const bool found =
            registry_.OpenKey(hive, path, KEY_READ, &key) == ERROR_SUCCESS &&
            registry_.QueryValue(key, name, nullptr, reinterpret_cast<std::uint8_t*>(data.data()),
                                 &size) == ERROR_SUCCESS;
        registry_.CloseKey(key);
        return found ? std::optional(data.substr(0, data.find('\0'))) : std::nullopt;
    }

    void WriteProgramFile(const std::string& name, const std::string& text) {
        std::ofstream(program_ / name, std::ios::binary) << text;
    }
    void InstallRecordingTool(const std::string& name) {
        fs::copy_file(FromBuild(ZELWIZ_RECORDING_TOOL), program_ / name);
    }
    // The command lines a recording tool was started with. The program does not wait for the
    // main application it starts: `atLeast` runs are waited for, ten seconds at most.
    std::vector<std::string> ToolRuns(const std::string& name, size_t atLeast = 0) {
        std::vector<std::string> runs = ReadToolRuns(name);
        for (int i = 0; i < 100 && runs.size() < atLeast; ++i) {
            Sleep(100);
            runs = ReadToolRuns(name);
        }
        return runs;
    }
    std::vector<std::string> ReadToolRuns(const std::string& name) {
        const std::string raw = ReadBytes(program_ / (name + ".ran"));
        return Lines(Utf8(std::wstring_view(reinterpret_cast<const wchar_t*>(raw.data()),
                                            raw.size() / sizeof(wchar_t))));
    }
    std::vector<std::string> LogLines() {
        std::vector<std::string> lines;
        for (const auto& entry : fs::directory_iterator(DataFolder())) {
            for (std::string& line : Lines(ReadBytes(entry.path())))
                lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
        }
        return lines;
    }

    // Runs a program of the folder (zelwiz.exe unless named) with these arguments, its output and
    // errors in files.
    RunResult Run(const std::string& arguments, const std::string& exe = "zelwiz.exe") {
        const fs::path outFile = temp_.path() / "stdout.txt";
        const fs::path errFile = temp_.path() / "stderr.txt";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const HANDLE out = CreateFileW(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        const HANDLE err = CreateFileW(errFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out;
        startup.hStdError = err;
        std::wstring line = L"\"" + (program_ / exe).wstring() + L"\" " + Wide(arguments);
        PROCESS_INFORMATION info{};
        RunResult result;
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                            program_.c_str(), &startup, &info)) {
            ADD_FAILURE() << exe << " cannot be started: " << GetLastError();
        } else {
            EXPECT_EQ(WaitForSingleObject(info.hProcess, 60000), WAIT_OBJECT_0);
            GetExitCodeProcess(info.hProcess, &result.exitCode);
            CloseHandle(info.hThread);
            CloseHandle(info.hProcess);
        }
        CloseHandle(out);
        CloseHandle(err);
        result.out = ReadBytes(outFile);
        result.err = ReadBytes(errFile);
        return result;
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
};

bool AnyLineHas(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

const std::string kInstall = "Software\\Korvane\\7316\\Install";
const std::string kUser = "Software\\Korvane\\7316\\";

TEST_F(ZelwizExe, TheVersionResourceNamesTheMakerTheProductAndTheVersion) {
    const std::string exe = Text(program_ / "zelwiz.exe");
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
        EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "SwitchName"),
                  "pbx-lyon");
        EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA\\Provider", "IpAddress"),
                  "10.0.0.5");
        EXPECT_FALSE(Value(HKEY_CURRENT_USER, kInstall, "SetPrlConf4-1"))
            << "the option ends the program before anything else";
        Clean();
    }
}

TEST_F(ZelwizExe, UnattendedConfigurationFromConfdirectSavesAndStartsTheMainApplication) {
    Seed(HKEY_LOCAL_MACHINE, kInstall, "CCC", "ThirdCSTALAN");
    Seed(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "PbxPrefix", "0");  // the provider
    InstallRecordingTool("zelphone.exe");
    WriteProgramFile("confdirect.ini",
                     "[ADDRESS]\r\nHostname= pbx-lyon \r\nvoipname=10.0.0.20\r\n"
                     "centralname=log1\r\n[PARLOVA]\r\nProfil=pro\r\nEdn=7000\r\n");
    RunResult run = Run("");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kInstall, "ProductProfil"), "1");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kInstall, "IsWizConfigured"), "-1");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kUser + "ZELDial\\Preference", "Preferred Line"),
              "KORVANE - 7000");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kUser + "ZELWiz\\Settings", "EdnIP"), "7000");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kUser + "PRLserver\\Settings", "PRLserverName"), "log1");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA", "SwitchName"), "pbx-lyon");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA\\Provider", "IpAddress"),
              "10.0.0.20");
    EXPECT_EQ(ToolRuns("zelphone.exe", 1),
              std::vector<std::string>{"\"" + Text(program_ / "zelphone.exe") + "\""});

    // Configured now: the file is not read again, and without a display the wizard cannot
    // be shown.
    run = Run("");
    EXPECT_EQ(run.exitCode, 2u);
    const std::string told = "cannot show the Parlova Configuration Wizard window";
    EXPECT_NE(run.err.find(told), std::string::npos) << run.err;
    EXPECT_TRUE(AnyLineHas(LogLines(), told));
}

TEST_F(ZelwizExe, ATapi21FileNeedsOnlyTheNumberAndLogsWhatIsMissing) {
    WriteProgramFile("confTapi21.ini", "[PARLOVA]\nEdn=3000\nProfil=OPERATOR\n");
    InstallRecordingTool("zelphone.exe");
    const RunResult run = Run("");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kUser + "ZELWiz\\Settings", "EdnSet"), "3000");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kUser + "ZELPhone\\Settings", "PhoneMode"), "3");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kInstall, "ProductProfil"), "2");
    const auto log = LogLines();
    EXPECT_TRUE(AnyLineHas(log, "The CSTA Ip Address field must be fill"));
    EXPECT_TRUE(AnyLineHas(log, "The VoIp Address field is empty"));
}

TEST_F(ZelwizExe, TheRestoreToolRunsOnceWithItsOption) {
    Seed(HKEY_CURRENT_USER, kInstall, "IsWizConfigured", "-1");
    InstallRecordingTool("restprlconf4_0.exe");
    for (int run = 0; run < 2; ++run)
        EXPECT_EQ(Run("").exitCode, 2u) << "the wizard is wanted and cannot be shown";
    EXPECT_EQ(ToolRuns("restprlconf4_0.exe"),
              std::vector<std::string>{"\"" + Text(program_ / "restprlconf4_0.exe") + "\" -s"});
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kInstall, "SetPrlConf4-1"), "-1");
}

// zelwiz-admin.exe beside zelwiz.exe, on the real registry: check predicts, through the layer it
// lays over the registry, exactly what the start then does, and writes nothing; a backup then
// undoes damage to the product's keys, non-ASCII data and a file name in another language included.
TEST_F(ZelwizExe, AdminCheckPredictsTheStartAndRestoreUndoesDamage) {
    Seed(HKEY_LOCAL_MACHINE, kInstall, "CCC", "ThirdCSTALAN");
    Seed(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "PbxPrefix", "0");  // the provider
    Seed(HKEY_LOCAL_MACHINE, kInstall, "Copyright", "© Korvane, Zürich");
    InstallRecordingTool("zelphone.exe");
    fs::copy_file(FromBuild(ZELWIZ_ADMIN_EXE), program_ / "zelwiz-admin.exe");
    WriteProgramFile("confdirect.ini", "[ADDRESS]\nHostname=pbx-lyon\n[PARLOVA]\nEdn=7000\n");
    RegNode machine = Hive(HKEY_LOCAL_MACHINE);
    RegNode user = Hive(HKEY_CURRENT_USER);

    const RunResult check = Run("check --json", "zelwiz-admin.exe");
    ASSERT_EQ(check.exitCode, 0u) << check.out << check.err;
    const nlohmann::json prediction = nlohmann::json::parse(check.out);
    EXPECT_EQ(Hive(HKEY_CURRENT_USER), user) << "check wrote to the registry";
    EXPECT_EQ(Hive(HKEY_LOCAL_MACHINE), machine) << "check wrote to the registry";
    EXPECT_FALSE(fs::exists(DataFolder())) << "check made the data folder";

    ASSERT_EQ(Run("").exitCode, 0u);
    for (const auto& change : prediction["changes"])
        ApplyPredictedChange(change, &machine, &user);
    user = SortedValues(user);
    machine = SortedValues(machine);
    EXPECT_EQ(Hive(HKEY_CURRENT_USER), user) << check.out;
    EXPECT_EQ(Hive(HKEY_LOCAL_MACHINE), machine) << check.out;
    EXPECT_EQ(LogWithoutTime(LogLines(), prediction["messages"]),
              prediction["log"].get<std::vector<std::string>>());
    EXPECT_EQ(ToolRuns("zelphone.exe", 1).size(), prediction["started"].size());

    const fs::path backup = program_ / u8"sauvegarde poste é.reg";
    RunResult run = Run("backup \"" + Text(backup) + "\"", "zelwiz-admin.exe");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    Seed(HKEY_CURRENT_USER, kUser + "ZELDial\\Preference", "Preferred Line", "KORVANE - 1");
    Seed(HKEY_CURRENT_USER, "Software\\Korvane\\Junk", "Stray", "x");
    Seed(HKEY_LOCAL_MACHINE, kInstall, "CCC", "ThirdRSPI");
    DeleteUserTree(L"Software\\Korvane\\7316\\ZELWiz");
    run = Run("restore \"" + Text(backup) + "\"", "zelwiz-admin.exe");
    ASSERT_EQ(run.exitCode, 0u) << run.out << run.err;
    EXPECT_EQ(Hive(HKEY_CURRENT_USER), user) << run.out;
    EXPECT_EQ(Hive(HKEY_LOCAL_MACHINE), machine) << run.out;
    // Read by name too, not only through the enumeration the backup uses.
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kInstall, "Copyright"), "© Korvane, Zürich");
}

}  // namespace
}  // namespace zelwiz::test
