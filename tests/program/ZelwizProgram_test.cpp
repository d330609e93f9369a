// The real program, run as an administrator deploys it and as users start it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "program/ProgramRun.h"

namespace zelwiz::test {
namespace {

// A machine as the product's installation leaves it: the wizard in the installation kind `ccc`,
// and the TAPI provider unless `provider` is false.
std::string Machine(const std::string& ccc, bool provider = true) {
    std::string text = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Korvane\7316\Install]
"CCC"=")" + ccc + R"("
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
    if (provider)
        text += "\n[HKEY_LOCAL_MACHINE\\Software\\Korvane\\TSpi_CSTA]\n\"PbxPrefix\"=\"0\"\n";
    return text;
}

const std::string kInstalledMachine = Machine("ThirdCSTALAN");

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
    const size_t at = run.err.find("registry: ");
    ASSERT_NE(at, std::string::npos) << run.err;
    EXPECT_LE(std::stoi(run.err.substr(at + 10)), 2) << "the new file and its folder, once";
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

TEST_F(Program, RestoreToolRunsOnceForAUserWhoWasConfiguredBeforeAndNeverForANewUser) {
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

    ProgramFolder fresh;  // "IsWizConfigured" missing: only the marker is written
    fresh.SeedHive(HKEY_CURRENT_USER,
                   "Windows Registry Editor Version 5.00\n\n"
                   "[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\n"
                   "\"SetPrlConf4-1\"=\"0\"\n");
    fresh.InstallRecordingTool("restprlconf4_0.exe");
    fresh.Run({"-a"});
    EXPECT_EQ(fresh.Value(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "SetPrlConf4-1"),
              "-1");
    EXPECT_TRUE(fresh.ToolRuns("restprlconf4_0.exe").empty());
}

TEST(ProgramStarts, AProgramThatCannotStartIsLoggedAndPrintedWithItsFullPath) {
    struct Case {
        const char* program;
        std::function<void(ProgramFolder&)> arrange;
    };
    const Case cases[] = {
        {"restprlconf4_0.exe",  // a user configured before, with no restore tool installed
         [](ProgramFolder& f) {
             f.InstallRecordingTool("zelphone.exe");
             f.SeedHive(HKEY_CURRENT_USER,
                        "Windows Registry Editor Version 5.00\n\n"
                        "[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\n"
                        "\"IsWizConfigured\"=\"0\"\n");
         }},
        {"zelphone.exe", [](ProgramFolder&) {}},  // missing
        {"zelphone.exe",                          // not a program that can be run
         [](ProgramFolder& f) { f.WriteProgramFile("zelphone.exe", "#!/bin/sh\n"); }},
    };
    for (const Case& c : cases) {
        ProgramFolder f;
        f.SeedHive(HKEY_LOCAL_MACHINE, kInstalledMachine);
        f.WriteProgramFile("confTapi21.ini", "[PARLOVA]\nEdn=3000\n");
        c.arrange(f);
        const RunResult run = f.Run({});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const std::string failure =
            "\tFile not found: " + f.ProgramDir() + "/" + c.program + " - 53 (0x35)\t";
        EXPECT_TRUE(AnyLineHas(f.LogLines(), failure)) << c.program;
        EXPECT_NE(run.err.find(failure), std::string::npos) << run.err;
        EXPECT_EQ(f.Value(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "IsWizConfigured"),
                  "-1")
            << "the configuration itself is saved";
    }
}

TEST(ProgramKinds, AFirstConfigurationStartsTheMainApplicationWhereTheProviderIsInstalled) {
    for (const char* ccc : {"", "ThirdRSPI", "ThirdCSTALAN"}) {
        for (bool provider : {true, false}) {
            ProgramFolder f;
            f.SeedHive(HKEY_LOCAL_MACHINE, Machine(ccc, provider));
            f.InstallRecordingTool("zelphone.exe");
            f.WriteProgramFile("confdirect.ini", "[ADDRESS]\nHostname=pbx\n[PARLOVA]\nEdn=3000\n");
            const RunResult run = f.Run({});
            const std::string what =
                std::string("\"") + ccc + (provider ? "\" with" : "\" without") + " the provider";
            EXPECT_EQ(run.exitCode, 0) << what << run.err;
            EXPECT_EQ(f.ToolRuns("zelphone.exe", provider ? 1 : 0).size(), provider ? 1u : 0u)
                << what;
            EXPECT_EQ(AnyLineHas(f.LogLines(), "cannot work properly until you restart"), !provider)
                << what;
        }
    }
}

TEST_F(Program, WithTheAllUsersOptionTheProviderSettingsGoToTheMachine) {
    folder.SeedHive(HKEY_LOCAL_MACHINE, kInstalledMachine);
    folder.InstallRecordingTool("zelphone.exe");
    folder.WriteProgramFile(
        "confdirect.ini",
        "[ADDRESS]\nHostname=pbx-lyon\nvoipname=10.0.0.20\n[PARLOVA]\nEdn=7000\n");
    const RunResult run = folder.Run({"-a"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string provider = "Software\\Korvane\\TSpi_CSTA";
    EXPECT_EQ(folder.Value(HKEY_LOCAL_MACHINE, provider, "SwitchName"), "pbx-lyon");
    EXPECT_EQ(folder.Value(HKEY_LOCAL_MACHINE, provider + "\\Provider", "IpAddress"), "10.0.0.20");
    EXPECT_EQ(folder.Value(HKEY_LOCAL_MACHINE, provider + "\\Provider", "EdnIP"), "7000");
    EXPECT_TRUE(folder.KeyExists(HKEY_LOCAL_MACHINE, provider + "\\PreferredEDNs\\7000"));
    EXPECT_FALSE(folder.KeyExists(HKEY_CURRENT_USER, provider)) << "nothing in the user's hive";
    EXPECT_EQ(folder.ToolRuns("zelphone.exe", 1).size(), 1u);
}

TEST_F(Program, ARuntimeFolderOtherUsersCouldWriteIsNotUsedAndCannotStopTheProgram) {
    folder.SeedHive(HKEY_LOCAL_MACHINE, kInstalledMachine);
    folder.SeedHive(HKEY_CURRENT_USER, kConfiguredUser);
    ASSERT_EQ(::chmod(folder.RuntimeDir().c_str(), 0777), 0);
    const pid_t first = folder.Start({}, /*display=*/true);
    for (int i = 0; i < 300 && !AnyLineHas(folder.LogLines(), "runs alone"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));

    const RunResult second = folder.Run({"-c", "pbx-paris", "10.1.2.3"});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(folder.Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "SwitchName"),
              "pbx-paris")
        << "the first copy's lock, where anyone could have made it, does not stop this one";
    size_t alone = 0;
    for (const auto& line : folder.LogLines())
        alone += line.find("runtime folder " + folder.RuntimeDir() + " has mode 0777") !=
                 std::string::npos;
    EXPECT_EQ(alone, 2u) << "one line for each copy";
    ::kill(-first, SIGTERM);
    folder.Wait(first, 10);
}

TEST(ProgramCopies, SecondCopyEndsAtOnceAndBringsTheFirstCopysWindowForwardInAnyLanguage) {
    struct Case {
        const char* lang;
        const char* title;
    };
    for (const Case c : {Case{"1", "Assistant de configuration de Parlova"},
                         Case{"4", "Parlova konfigurációs varázsló"}}) {
        ProgramFolder folder;
        folder.SeedHive(HKEY_LOCAL_MACHINE, kInstalledMachine);
        folder.SeedHive(HKEY_CURRENT_USER,
                        std::string(kConfiguredUser) +
                            "\n[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\ZELPhone\\Settings]\n"
                            "\"lang\"=\"" +
                            c.lang + "\"\n");
        const pid_t first = folder.Start({}, /*display=*/true);
        ASSERT_TRUE(folder.WaitForRunningCopy(30)) << "the first copy never showed its wizard";
        folder.extraEnvironment = {"ZELWIZ_DEBUG=1"};
        RunResult second = folder.Run({"-c", "should-not", "be-written"});
        EXPECT_EQ(second.exitCode, 0);
        EXPECT_NE(second.err.find("the running copy brought forward window \"" +
                                  std::string(c.title) + "\""),
                  std::string::npos)
            << second.err;
        EXPECT_FALSE(
            folder.Value(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "SwitchName"));
        ::kill(-first, SIGTERM);
        folder.Wait(first, 10);
    }
}

}  // namespace
}  // namespace zelwiz::test
