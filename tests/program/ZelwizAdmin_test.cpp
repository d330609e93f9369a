// zelwiz-admin against the real program. check: for each INI case of a rollout, what it predicts
// (registry changes, log lines, programs started, outcome) is what a real first start then does.
// export: the file it writes configures a new user as the desk it was read from. backup and
// restore: the product's keys come back as they were, whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>

#include "program/PredictedChanges.h"
#include "program/ProgramRun.h"

namespace zelwiz::test {
namespace {

const char* const kHostnameOnly = "[ADDRESS]\nHostname=pbx\n[PARLOVA]\nEdn=4000\n";

struct Case {
    const char* name;
    bool installed;  // false: no hive at all, a standard installation
    std::string user;
    const char* confdirect;  // the INI files beside the program; nullptr: none
    const char* confTapi21;
    int exitCode;                // check's
    bool newDataFolder = false;  // the user's data folder is made by this start
};

const Case kCases[] = {
    {"FullFileSavesAndStartsTheMainApplication", true, "", kFullIni, nullptr, 0},
    {"ConfiguredUserGetsTheWizard", true,
     UserInstall("\"IsWizConfigured\"=\"-1\"\n\"SetPrlConf4-1\"=\"-1\"\n"), kFullIni, nullptr, 3},
    {"DirectFileWithoutHostnameGetsTheWizard", true, "", "[PARLOVA]\nEdn=2000\n",
     "[PARLOVA]\nEdn=3000\n", 3},
    {"Tapi21FileWithOperatorSaves", true, "", nullptr, "[PARLOVA]\nEdn=3000\nProfil=OPERATOR\n", 0},
    {"RestoreToolRunsThenTheWizard", false, UserInstall("\"IsWizConfigured\"=\"0\"\n"), nullptr,
     "[PARLOVA]\nProfil=BASIC\n", 3},
    {"StandardInstallationShowsTheRestartNotice", false, "", kHostnameOnly, nullptr, 4},
    {"ProfileThatIsNoNumberStopsTheStart", true, "",
     "[ADDRESS]\nHostname=pbx\n[PARLOVA]\nEdn=4000\nProfil=chief\n", nullptr, 5},
    {"NoFileGetsTheWizard", true, "", nullptr, nullptr, 2},
    {"NewUserWithoutADataFolder", true, "", kHostnameOnly, nullptr, 0, true},
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class AdminCheck : public ::testing::TestWithParam<Case> {};

TEST_P(AdminCheck, PredictsWhatTheFirstStartDoes) {
    const Case& c = GetParam();
    ProgramFolder folder(c.installed ? InstalledMachine() : "");
    if (!c.user.empty())
        folder.SeedHive(HKEY_CURRENT_USER, c.user);
    if (c.confdirect != nullptr)
        folder.WriteProgramFile("confdirect.ini", c.confdirect);
    if (c.confTapi21 != nullptr)
        folder.WriteProgramFile("confTapi21.ini", c.confTapi21);
    folder.InstallRecordingTool("restprlconf4_0.exe");
    if (c.newDataFolder)
        folder.RemoveDataFolder();
    RegNode machine = folder.Hive(HKEY_LOCAL_MACHINE);
    RegNode user = folder.Hive(HKEY_CURRENT_USER);

    const RunResult check = folder.Run({"check", "--json", "--program-folder", folder.ProgramDir()},
                                       false, ZELWIZ_ADMIN_BINARY);
    ASSERT_EQ(check.exitCode, c.exitCode) << check.out << check.err;
    const nlohmann::json prediction = nlohmann::json::parse(check.out);
    EXPECT_EQ(folder.Hive(HKEY_CURRENT_USER), user) << "check wrote to the registry";
    EXPECT_EQ(folder.Hive(HKEY_LOCAL_MACHINE), machine) << "check wrote to the registry";
    EXPECT_TRUE(folder.LogLines().empty()) << "check wrote to the error log";

    folder.Run({});
    for (const auto& change : prediction["changes"])
        ApplyPredictedChange(change, &machine, &user);
    EXPECT_EQ(folder.Hive(HKEY_CURRENT_USER), user) << folder.HiveText(HKEY_CURRENT_USER);
    EXPECT_EQ(folder.Hive(HKEY_LOCAL_MACHINE), machine) << folder.HiveText(HKEY_LOCAL_MACHINE);
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

// A desk configured from a complete INI file, with zelwiz-admin installed beside zelwiz.
class AdminDesk : public ::testing::Test {
  protected:
    AdminDesk() {
        desk.WriteProgramFile("confdirect.ini",
                              "[PARLOVA]\nEdn=7000\nProfil=operator\n[ADDRESS]\nvoipname=board-3\n"
                              "Hostname= pbx-nice \ncentralname=logs.example\n");
        EXPECT_EQ(desk.Run({}).exitCode, 0);
        std::filesystem::copy_file(ZELWIZ_ADMIN_BINARY, tool);
    }
    RunResult Admin(const std::vector<std::string>& args) { return desk.Run(args, false, tool); }

    ProgramFolder desk{InstalledMachine() + "\"Copyright\"=\"© Korvane, Zürich\"\n"};
    const std::string tool = desk.ProgramDir() + "/zelwiz-admin";
};

TEST_F(AdminDesk, ExportedFileConfiguresANewUserAsTheDeskItWasReadFrom) {
    const std::optional<RegNode> product = desk.Key(HKEY_CURRENT_USER, "Software\\Korvane");
    // The wizard's own save leaves the profile with a blank before the digit.
    std::string user = desk.HiveText(HKEY_CURRENT_USER);
    user.replace(user.find("\"ProductProfil\"=\"2\""), 19, "\"ProductProfil\"=\" 2\"");
    desk.SeedHive(HKEY_CURRENT_USER, user);

    RunResult exported = Admin({"export"});  // the file is tried in the tool's folder
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    ProgramFolder next;
    next.WriteProgramFile("confdirect.ini", exported.out);
    ASSERT_EQ(next.Run({}).exitCode, 0);
    EXPECT_EQ(next.Key(HKEY_CURRENT_USER, "Software\\Korvane"), product) << exported.out;

    // A setting no INI file carries: named, and nothing written without --force.
    user.insert(user.find("\"EdnIP\""), "\"IPLANAutodetect\"=\"0\"\n");
    desk.SeedHive(HKEY_CURRENT_USER, user);
    const std::string file = desk.ProgramDir() + "/next.ini";
    exported = Admin({"export", "--out", file});
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_NE(exported.err.find("IPLANAutodetect"), std::string::npos) << exported.err;
    EXPECT_FALSE(std::filesystem::exists(file));
    exported = Admin({"export", "--out", file, "--force"});
    EXPECT_EQ(exported.exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST_F(AdminDesk, BackupThenDamageThenRestoreBringsTheProductKeysBack) {
    const std::string user = desk.HiveText(HKEY_CURRENT_USER);
    const std::string machine = desk.HiveText(HKEY_LOCAL_MACHINE);
    const RegNode userKeys = desk.Hive(HKEY_CURRENT_USER);
    const RegNode machineKeys = desk.Hive(HKEY_LOCAL_MACHINE);
    const std::string backup = desk.ProgramDir() + "/desk.reg";
    ASSERT_EQ(Admin({"backup", backup}).exitCode, 0);
    const std::string bytes = ReadAll(backup);
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
    const RunResult restored = Admin({"restore", backup});
    ASSERT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_EQ(desk.Hive(HKEY_CURRENT_USER), userKeys);
    EXPECT_EQ(desk.Hive(HKEY_LOCAL_MACHINE), machineKeys);

    // A user who is not an administrator: the machine-wide keys are named and nothing changes.
    damage();
    const std::string damagedUser = desk.HiveText(HKEY_CURRENT_USER);
    desk.ProtectMachineHive();
    const RunResult refused = Admin({"restore", backup});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("HKEY_LOCAL_MACHINE\\Software\\Korvane\\7316\\Install"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(desk.HiveText(HKEY_CURRENT_USER), damagedUser);

    // A damaged file: the file and the line are named, nothing is written.
    std::ofstream(backup, std::ios::binary | std::ios::trunc)
        << bytes.substr(0, bytes.find(std::string("E\0d\0n\0I\0P\0", 10)) + 8);
    const RunResult broken = Admin({"restore", backup});
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_NE(broken.err.find(backup + " line "), std::string::npos) << broken.err;
    EXPECT_EQ(desk.HiveText(HKEY_CURRENT_USER), damagedUser);
}

}  // namespace
}  // namespace zelwiz::test
