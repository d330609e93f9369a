// zelwiz-admin against the real program. check: for each INI case of a rollout, what it predicts
// (registry changes, log lines, programs started, outcome) is what a real first start then does.
// export: the file it writes configures a new user as the desk it was read from. backup and
// restore: the product's keys come back as they were, whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/RegFile.h"
#include "program/PredictedChanges.h"
#include "program/ProgramRun.h"

namespace zelwiz::test {
namespace {

const char* const kMachine = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Korvane\7316\Install]
"CCC"="ThirdCSTALAN"
"7316Name"="Korvane Parlova"
"7316ShortName"="Parlova"

[HKEY_LOCAL_MACHINE\Software\Korvane\TSpi_CSTA]
"PbxPrefix"="0"
)";

const char* const kFullFile =
    "[ADDRESS]\r\nHostname= pbx-lyon \r\nvoipname=10.0.0.20\r\ncentralname=log1\r\n"
    "[PARLOVA]\r\nProfil=pro\r\nEdn=7000\r\n";

struct Case {
    const char* name;
    const char* machine;  // hive files as the installation left them; nullptr: none
    const char* user;
    std::vector<std::pair<std::string, std::string>> files;  // beside the program
    int exitCode;                                            // check's
    bool newDataFolder = false;  // the user's data folder is made by this start
};

const Case kCases[] = {
    {"FullFileSavesAndStartsTheMainApplication",
     kMachine,
     nullptr,
     {{"confdirect.ini", kFullFile}},
     0},
    {"ConfiguredUserGetsTheWizard",
     kMachine,
     "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\"
     "Install]\n\"IsWizConfigured\"=\"-1\"\n\"SetPrlConf4-1\"=\"-1\"\n",
     {{"confdirect.ini", kFullFile}},
     3},
    {"DirectFileWithoutHostnameGetsTheWizard",
     kMachine,
     nullptr,
     {{"confdirect.ini", "[PARLOVA]\nEdn=2000\n"}, {"confTapi21.ini", "[PARLOVA]\nEdn=3000\n"}},
     3},
    {"Tapi21FileWithOperatorSaves",
     kMachine,
     nullptr,
     {{"confTapi21.ini", "[PARLOVA]\nEdn=3000\nProfil=OPERATOR\n"}},
     0},
    {"RestoreToolRunsThenTheWizard",
     nullptr,
     "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\"
     "Install]\n\"IsWizConfigured\"=\"0\"\n",
     {{"confTapi21.ini", "[PARLOVA]\nProfil=BASIC\n"}},
     3},
    {"StandardInstallationShowsTheRestartNotice",
     nullptr,
     nullptr,
     {{"confdirect.ini", "[ADDRESS]\nHostname=pbx\n[PARLOVA]\nEdn=4000\n"}},
     4},
    {"ProfileThatIsNoNumberStopsTheStart",
     kMachine,
     nullptr,
     {{"confdirect.ini", "[ADDRESS]\nHostname=pbx\n[PARLOVA]\nEdn=4000\nProfil=chief\n"}},
     5},
    {"NoFileGetsTheWizard", kMachine, nullptr, {}, 2},
    {"NewUserWithoutADataFolder",
     kMachine,
     nullptr,
     {{"confdirect.ini", "[ADDRESS]\nHostname=pbx\n[PARLOVA]\nEdn=4000\n"}},
     0,
     true},
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

RegNode Tree(const std::string& regText, HKEY hive) {
    RegNode root;
    RegFileError error;
    EXPECT_TRUE(ParseRegFile(regText, hive, &root, &error)) << error.reason;
    root.FindOrAdd("Software");  // every hive holds it, written to its file or not
    return root;
}

RegNode Hive(const ProgramFolder& folder, HKEY hive) {
    return Tree(folder.HiveText(hive), hive);
}

class AdminCheck : public ::testing::TestWithParam<Case> {};

TEST_P(AdminCheck, PredictsWhatTheFirstStartDoes) {
    const Case& c = GetParam();
    ProgramFolder folder;
    if (c.machine != nullptr)
        folder.SeedHive(HKEY_LOCAL_MACHINE, c.machine);
    if (c.user != nullptr)
        folder.SeedHive(HKEY_CURRENT_USER, c.user);
    for (const auto& [name, text] : c.files)
        folder.WriteProgramFile(name, text);
    folder.InstallRecordingTool("zelphone.exe");
    folder.InstallRecordingTool("restprlconf4_0.exe");
    if (c.newDataFolder)
        folder.RemoveDataFolder();
    RegNode machine = Hive(folder, HKEY_LOCAL_MACHINE);
    RegNode user = Hive(folder, HKEY_CURRENT_USER);

    const RunResult check = folder.RunTool(
        ZELWIZ_ADMIN_BINARY, {"check", "--json", "--program-folder", folder.ProgramDir()});
    ASSERT_EQ(check.exitCode, c.exitCode) << check.out << check.err;
    const nlohmann::json prediction = nlohmann::json::parse(check.out);
    EXPECT_EQ(Hive(folder, HKEY_CURRENT_USER), user) << "check wrote to the registry";
    EXPECT_EQ(Hive(folder, HKEY_LOCAL_MACHINE), machine) << "check wrote to the registry";
    EXPECT_TRUE(folder.LogLines().empty()) << "check wrote to the error log";

    folder.Run({});
    for (const auto& change : prediction["changes"])
        ApplyPredictedChange(change, &machine, &user);
    EXPECT_EQ(Hive(folder, HKEY_CURRENT_USER), user) << folder.HiveText(HKEY_CURRENT_USER);
    EXPECT_EQ(Hive(folder, HKEY_LOCAL_MACHINE), machine) << folder.HiveText(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(LogWithoutTime(folder.LogLines(), prediction["messages"]),
              prediction["log"].get<std::vector<std::string>>());
    for (const char* tool : {"zelphone.exe", "restprlconf4_0.exe"}) {
        size_t predicted = 0;
        for (const auto& started : prediction["started"])
            predicted += started.get<std::string>().find(tool) != std::string::npos;
        EXPECT_EQ(folder.ToolRuns(tool, predicted).size(), predicted) << tool;
    }
}

INSTANTIATE_TEST_SUITE_P(Rollouts, AdminCheck, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

// The product's keys of the user, with the profile as the program reads it (a number: the
// wizard stores it with a blank before the digit, an INI file without).
RegNode UserProductKeys(const ProgramFolder& folder) {
    RegNode user = Hive(folder, HKEY_CURRENT_USER);
    RegNode* product = user.Find("Software")->Find("Korvane");
    if (product == nullptr)
        return {};
    if (RegNode* install = product->Find("7316")->Find("Install")) {
        if (RegValueData* profile = install->FindValue("ProductProfil")) {
            std::string text(profile->data.begin(), profile->data.end());
            text.erase(0, text.find_first_not_of(' '));
            profile->data.assign(text.begin(), text.end());
        }
    }
    return *product;
}

TEST(AdminExport, FileConfiguresANewUserAsTheDeskItWasReadFrom) {
    ProgramFolder desk;
    desk.SeedHive(HKEY_LOCAL_MACHINE, kMachine);
    desk.InstallRecordingTool("zelphone.exe");
    desk.WriteProgramFile("confdirect.ini",
                          "[PARLOVA]\nEdn=7100\nProfil=operator\n[ADDRESS]\nvoipname=board-3\n"
                          "Hostname= pbx-nice \ncentralname=logs.example\n");
    ASSERT_EQ(desk.Run({}).exitCode, 0);
    // The wizard's own save leaves the profile with a blank before the digit.
    std::string user = desk.HiveText(HKEY_CURRENT_USER);
    user.replace(user.find("\"ProductProfil\"=\"2\""), 19, "\"ProductProfil\"=\" 2\"");
    desk.SeedHive(HKEY_CURRENT_USER, user);

    // Installed beside zelwiz: the file is tried in its folder.
    const std::string tool = desk.ProgramDir() + "/zelwiz-admin";
    std::filesystem::copy_file(ZELWIZ_ADMIN_BINARY, tool);
    RunResult exported = desk.RunTool(tool, {"export"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    ProgramFolder next;
    next.SeedHive(HKEY_LOCAL_MACHINE, kMachine);
    next.InstallRecordingTool("zelphone.exe");
    next.WriteProgramFile("confdirect.ini", exported.out);
    ASSERT_EQ(next.Run({}).exitCode, 0);
    EXPECT_EQ(UserProductKeys(next), UserProductKeys(desk)) << exported.out;

    // A setting no INI file carries: named, and nothing written without --force.
    user.insert(user.find("\"EdnIP\""), "\"IPLANAutodetect\"=\"0\"\n");
    desk.SeedHive(HKEY_CURRENT_USER, user);
    const std::string file = desk.ProgramDir() + "/next.ini";
    exported = desk.RunTool(tool, {"export", "--out", file});
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_NE(exported.err.find("IPLANAutodetect"), std::string::npos) << exported.err;
    EXPECT_FALSE(std::filesystem::exists(file));
    exported = desk.RunTool(tool, {"export", "--out", file, "--force"});
    EXPECT_EQ(exported.exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(file));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(AdminBackup, DamageThenRestoreBringsTheProductKeysBack) {
    ProgramFolder desk;
    desk.SeedHive(HKEY_LOCAL_MACHINE,
                  std::string(kMachine) + "\"Copyright\"=\"© Korvane, Zürich\"\n");
    desk.InstallRecordingTool("zelphone.exe");
    desk.WriteProgramFile("confdirect.ini", kFullFile);
    ASSERT_EQ(desk.Run({}).exitCode, 0);
    const std::string user = desk.HiveText(HKEY_CURRENT_USER);
    const std::string machine = desk.HiveText(HKEY_LOCAL_MACHINE);
    const std::string backup = desk.ProgramDir() + "/desk.reg";
    ASSERT_EQ(desk.RunTool(ZELWIZ_ADMIN_BINARY, {"backup", backup}).exitCode, 0);
    const std::string bytes = ReadBytes(backup);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\xFF\xFEW\0i\0", 6)) << "UTF-16LE, as regedit";

    // Damage: a value changed and one added, a key deleted and one added, a machine value changed.
    auto damage = [&] {
        std::string text = user;
        text.replace(text.find("\"KORVANE - 7000\""), 16, "\"KORVANE - 1\"\n\"Stray\"=\"x\"");
        const size_t settings =
            text.find("[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\PRLserver\\Settings]");
        text.erase(settings, text.find("\n[", settings) + 1 - settings);
        desk.SeedHive(HKEY_CURRENT_USER, text + "[HKEY_CURRENT_USER\\Software\\Korvane\\Junk]\n");
        std::string m = machine;
        m.replace(m.find("ThirdCSTALAN"), 12, "ThirdRSPI");
        desk.SeedHive(HKEY_LOCAL_MACHINE, m);
    };
    damage();
    const RunResult restored = desk.RunTool(ZELWIZ_ADMIN_BINARY, {"restore", backup});
    ASSERT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_EQ(Hive(desk, HKEY_CURRENT_USER), Tree(user, HKEY_CURRENT_USER));
    EXPECT_EQ(Hive(desk, HKEY_LOCAL_MACHINE), Tree(machine, HKEY_LOCAL_MACHINE));

    // A user who is not an administrator: the machine-wide keys are named and nothing changes.
    damage();
    const std::string damagedUser = desk.HiveText(HKEY_CURRENT_USER);
    desk.ProtectMachineHive();
    const RunResult refused = desk.RunTool(ZELWIZ_ADMIN_BINARY, {"restore", backup});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("HKEY_LOCAL_MACHINE\\Software\\Korvane\\7316\\Install"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(desk.HiveText(HKEY_CURRENT_USER), damagedUser);

    // A damaged file: the file and the line are named, nothing is written.
    std::ofstream(backup, std::ios::binary | std::ios::trunc)
        << bytes.substr(0, bytes.find(std::string("E\0d\0n\0I\0P\0", 10)) + 8);
    const RunResult broken = desk.RunTool(ZELWIZ_ADMIN_BINARY, {"restore", backup});
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_NE(broken.err.find(backup + " line "), std::string::npos) << broken.err;
    EXPECT_EQ(desk.HiveText(HKEY_CURRENT_USER), damagedUser);
}

}  // namespace
}  // namespace zelwiz::test
