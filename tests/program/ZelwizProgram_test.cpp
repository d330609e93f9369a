// The real program, run as an administrator deploys it and as users start it.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <random>
#include <regex>
#include <thread>

#include "program/ProgramRun.h"

namespace zelwiz::test {
namespace {

const char* const kInstalledMachine = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Korvane\7316\Install]
"CCC"="ThirdCSTALAN"
"7316Name"="Korvane Parlova"
"7316ShortName"="Parlova"
"Version"="4.0"
"Build"="118"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Telephony\Locations]
"CurrentID"=dword:00000001

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Telephony\Locations\Location1]
"ID"=dword:00000001
"Name"="Office"
"AreaCode"="1"
"Country"=dword:00000021
"OutsideAccess"="0"
"LongDistanceAccess"="0"
)";

const char* const kConfiguredUser = R"(Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Korvane\7316\Install]
"IsWizConfigured"="-1"
"SetPrlConf4-1"="-1"
)";

bool AnyLineHas(const std::vector<std::string>& lines, const std::string& text) {
    for (const auto& l : lines) {
        if (l.find(text) != std::string::npos)
            return true;
    }
    return false;
}

class Program : public ::testing::Test {
  protected:
    ProgramFolder folder;
};

TEST_F(Program, SwitchNameAndAddressWrittenMachineWideByAnAdministratorOnly) {
    RunResult run = folder.Run({"-a", "-c", "pbx-paris", "10.1.2.3"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(folder.Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "SwitchName"),
              "pbx-paris");
    EXPECT_EQ(
        folder.Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA\\Provider", "IpAddress"),
        "10.1.2.3");
    EXPECT_FALSE(folder.KeyExists(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\ZELWiz"))
        << "no wizard ran";

    ProgramFolder user;
    user.ProtectMachineHive();
    run = user.Run({"-a", "-c", "pbx-paris", "10.1.2.3"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "") << "no message for a user who may not write";
    EXPECT_FALSE(user.Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "SwitchName"));
}

TEST_F(Program, MissingOrLateValuesAfterTheOptionAreLoggedRunTimeErrors) {
    RunResult run = folder.Run({"-c", "pbx-only"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(folder.Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "SwitchName"),
              "pbx-only");
    EXPECT_FALSE(
        folder.Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA\\Provider", "IpAddress"));
    auto log = folder.LogLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("\tErr: Parlova - SubMain.Main line "), std::string::npos) << log[0];
    EXPECT_NE(log[0].find("Subscript out of range - 9 (0x9)"), std::string::npos) << log[0];

    // Six arguments: "-c" falls in fifth place and has no values left.
    ProgramFolder six;
    run = six.Run({"1", "2", "3", "4", "-c", "pbx", "10.0.0.1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(six.Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "SwitchName"));
    EXPECT_EQ(six.LogLines().size(), 1u);
}

TEST_F(Program, UnattendedConfigurationSavesStartsTheMainApplicationAndIsNotReadAgain) {
    folder.SeedHive(HKEY_LOCAL_MACHINE, kInstalledMachine);
    folder.InstallRecordingTool("zelphone.exe");
    folder.WriteProgramFile(
        "confdirect.ini",
        "[ADDRESS]\r\nHostname= pbx-lyon \r\nvoipname=10.0.0.20\r\ncentralname=log1\r\n"
        "[PARLOVA]\r\nProfil=pro\r\nEdn=7000\r\n");
    RunResult run = folder.Run({});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string user = "Software\\Korvane\\7316\\";
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, user + "Install", "ProductProfil"), "1");
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, user + "Install", "IsWizConfigured"), "-1");
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, user + "Install", "CCC"), "ThirdCSTALAN");
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, user + "ZELDial\\Preference", "Preferred Line"),
              "KORVANE - 7000");
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, user + "ZELWiz\\Settings", "EdnIP"), "7000");
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, user + "PRLserver\\Settings", "PRLserverName"),
              "log1");
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA", "SwitchName"),
              "pbx-lyon");
    EXPECT_EQ(
        folder.Value(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA\\Provider", "IpAddress"),
        "10.0.0.20");
    EXPECT_EQ(folder.ToolRuns("zelphone.exe", 1).size(), 1u)
        << "the main application starts after a first configuration";

    // Configured now: the file is not read again, the wizard is wanted, and no display is there.
    folder.WriteProgramFile("confdirect.ini", "[ADDRESS]\nHostname=other\n[PARLOVA]\nEdn=1\n");
    run = folder.Run({});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA", "SwitchName"),
              "pbx-lyon");
    EXPECT_TRUE(AnyLineHas(folder.LogLines(), "no display"));
}

// A user who has started the product before but never configured it, on an installed machine,
// with a complete INI file beside the program.
void PrepareFirstConfiguration(ProgramFolder& folder) {
    folder.SeedHive(HKEY_LOCAL_MACHINE, kInstalledMachine);
    folder.InstallRecordingTool("zelphone.exe");
    folder.WriteProgramFile(
        "confdirect.ini",
        "[ADDRESS]\r\nHostname=pbx-lyon\r\nvoipname=10.0.0.20\r\ncentralname=log1\r\n"
        "[PARLOVA]\r\nProfil=team\r\nEdn=7000\r\n");
}
const char* const kUserBefore = R"(Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Korvane\7316\ZELPhone\Settings]
"lang"="1"
"Help"="0"
)";

TEST_F(Program, FirstConfigurationCostsOneCommitOfTheUserHive) {
    PrepareFirstConfiguration(folder);
    folder.SeedHive(HKEY_CURRENT_USER, kUserBefore);
    const std::string machine = folder.HiveText(HKEY_LOCAL_MACHINE);
    folder.extraEnvironment = {"ZELWIZ_DEBUG=1"};
    RunResult run = folder.Run({});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(
        folder.Value(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "IsWizConfigured"),
        "-1");
    EXPECT_EQ(folder.HiveText(HKEY_LOCAL_MACHINE), machine) << "only the user hive changes";
    std::smatch syncs;
    ASSERT_TRUE(std::regex_search(run.err, syncs, std::regex("registry: (\\d+) fsync calls")))
        << run.err;
    EXPECT_LE(std::stoi(syncs[1]), 2) << "the new file and its folder, once";
}

TEST_F(Program, UnattendedSaveKilledAtAnyMomentLeavesTheOldConfigurationOrTheNew) {
    PrepareFirstConfiguration(folder);
    const std::string machine = folder.HiveText(HKEY_LOCAL_MACHINE);
    folder.SeedHive(HKEY_CURRENT_USER, kUserBefore);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(folder.Run({}).exitCode, 0);
    const auto wholeRun = std::chrono::steady_clock::now() - started;
    const std::string configured = folder.HiveText(HKEY_CURRENT_USER);
    ASSERT_EQ(
        folder.Value(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "IsWizConfigured"),
        "-1");

    std::random_device seed;
    const unsigned seedValue = seed();
    std::mt19937 random(seedValue);
    SCOPED_TRACE("seed " + std::to_string(seedValue));
    // Moments from the start to a little past the end of a whole run.
    std::uniform_int_distribution<long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(wholeRun).count() * 6 / 5);
    int old = 0;
    int whole = 0;
    for (int run = 0; run < 60; ++run) {
        folder.SeedHive(HKEY_CURRENT_USER, kUserBefore);
        const pid_t pid = folder.Start({}, false);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(-pid, SIGKILL);
        folder.Wait(pid, 10);
        const std::string now = folder.HiveText(HKEY_CURRENT_USER);
        if (now == kUserBefore) {
            ++old;
        } else if (now == configured) {
            ++whole;
        } else {
            FAIL() << "run " << run << " left part of a configuration:\n" << now;
        }
        ASSERT_EQ(folder.HiveText(HKEY_LOCAL_MACHINE), machine);
    }
    RecordProperty("old", old);
    RecordProperty("new", whole);
    EXPECT_GT(old, 0) << "no run was killed before its save";
    EXPECT_GT(whole, 0) << "no run was killed after its save";

    // What the killed runs left (a lock, a temporary file) is in no one's way.
    folder.SeedHive(HKEY_CURRENT_USER, kUserBefore);
    EXPECT_EQ(folder.Run({}).exitCode, 0);
    EXPECT_EQ(folder.HiveText(HKEY_CURRENT_USER), configured);
}

TEST_F(Program, IncompleteFileNeedsTheWizardAndTapi21FileNeedsOnlyTheNumber) {
    folder.SeedHive(HKEY_LOCAL_MACHINE, kInstalledMachine);
    folder.WriteProgramFile("confdirect.ini", "[PARLOVA]\nEdn=2000\n");
    folder.WriteProgramFile("confTapi21.ini", "[PARLOVA]\nEdn=3000\n");
    RunResult run = folder.Run({});
    EXPECT_NE(run.exitCode, 0) << "the wizard is needed and cannot be shown";
    auto log = folder.LogLines();
    EXPECT_TRUE(AnyLineHas(log, "The CSTA Ip Address field must be fill"));
    EXPECT_TRUE(AnyLineHas(log, "The VoIp Address field is empty"));
    EXPECT_TRUE(AnyLineHas(log, "The Profile field is empty"));
    EXPECT_FALSE(
        folder.Value(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "IsWizConfigured"));

    ProgramFolder tapi;
    tapi.SeedHive(HKEY_LOCAL_MACHINE, kInstalledMachine);
    tapi.InstallRecordingTool("zelphone.exe");
    tapi.WriteProgramFile("confTapi21.ini", "[PARLOVA]\nEdn=3000\nProfil=OPERATOR\n");
    run = tapi.Run({});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string user = "Software\\Korvane\\7316\\";
    EXPECT_EQ(tapi.Value(HKEY_CURRENT_USER, user + "ZELWiz\\Settings", "EdnSet"), "3000");
    EXPECT_EQ(tapi.Value(HKEY_CURRENT_USER, user + "ZELPhone\\Settings", "PhoneMode"), "3");
    EXPECT_EQ(tapi.Value(HKEY_CURRENT_USER, user + "Install", "ProductProfil"), "2");
}

TEST_F(Program, RestoreToolRunsOnceForAUserWhoWasConfiguredBefore) {
    folder.SeedHive(HKEY_CURRENT_USER,
                    "Windows Registry Editor Version 5.00\n\n"
                    "[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\n"
                    "\"IsWizConfigured\"=\"0\"\n");
    folder.InstallRecordingTool("restprlconf4_0.exe");
    folder.WriteProgramFile("confTapi21.ini",
                            "[PARLOVA]\nProfil=BASIC\n");  // no number: the wizard
    folder.Run({});
    folder.Run({});
    EXPECT_EQ(folder.ToolRuns("restprlconf4_0.exe"), std::vector<std::string>{"-s"});
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "SetPrlConf4-1"),
              "-1");

    ProgramFolder
        fresh;  // a new user: only the marker, and no tool at all is no more than a log line
    fresh.SeedHive(HKEY_CURRENT_USER,
                   "Windows Registry Editor Version 5.00\n\n"
                   "[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\n"
                   "\"IsWizConfigured\"=\"False\"\n");
    fresh.Run({"-a"});
    EXPECT_EQ(fresh.Value(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "SetPrlConf4-1"),
              "-1");
    EXPECT_TRUE(AnyLineHas(fresh.LogLines(), "restprlconf4_0.exe"));
}

TEST_F(Program, SecondCopyEndsAtOnceWhileTheFirstShowsTheWizard) {
    folder.SeedHive(HKEY_LOCAL_MACHINE, kInstalledMachine);
    folder.SeedHive(HKEY_CURRENT_USER, kConfiguredUser);
    const pid_t first = folder.Start({}, /*display=*/true);
    ASSERT_TRUE(folder.WaitForRunningCopy(30)) << "the first copy never showed its wizard";
    RunResult second = folder.Run({"-c", "should-not", "be-written"});
    EXPECT_FALSE(folder.Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "SwitchName"));
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.err, "");
    ::kill(-first, SIGTERM);
    folder.Wait(first, 10);
}

}  // namespace
}  // namespace zelwiz::test
