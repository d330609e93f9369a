// The real program, run as an administrator deploys it and as users start it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>
#include <tuple>

#include "program/ProgramRun.h"

namespace zelwiz::test {
namespace {

const std::string kProvider = "Software\\Korvane\\TSpi_CSTA";
const std::string kProduct = "Software\\Korvane\\7316\\";
const std::string kConfiguredUser =
    UserInstall("\"IsWizConfigured\"=\"-1\"\n\"SetPrlConf4-1\"=\"-1\"\n");
// A user who started the product before this version and configured it then.
const std::string kEarlierUser = UserInstall("\"IsWizConfigured\"=\"0\"\n");

TEST(ProgramAllUsers, ProviderSettingsAndSwitchGoToTheMachineForAnAdministratorOnly) {
    ProgramFolder admin;
    admin.WriteProgramFile("confdirect.ini", kFullIni);
    RunResult run = admin.Run({"-a"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(admin.Value(HKEY_LOCAL_MACHINE, kProvider, "SwitchName"), "pbx-lyon");
    EXPECT_EQ(admin.Value(HKEY_LOCAL_MACHINE, kProvider + "\\Provider", "IpAddress"), "10.0.0.20");
    EXPECT_EQ(admin.Value(HKEY_LOCAL_MACHINE, kProvider + "\\Provider", "EdnIP"), "7000");
    EXPECT_TRUE(admin.Key(HKEY_LOCAL_MACHINE, kProvider + "\\PreferredEDNs\\7000"));
    EXPECT_FALSE(admin.Key(HKEY_CURRENT_USER, kProvider)) << "nothing in the user's hive";
    EXPECT_EQ(admin.ToolRuns("zelphone.exe", 1).size(), 1u);

    // Configured now: "-c" names the switch without the wizard (which would want a display).
    run = admin.Run({"-a", "-c", "pbx-paris", "10.1.2.3"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(admin.Value(HKEY_LOCAL_MACHINE, kProvider, "SwitchName"), "pbx-paris");
    EXPECT_EQ(admin.Value(HKEY_LOCAL_MACHINE, kProvider + "\\Provider", "IpAddress"), "10.1.2.3");

    ProgramFolder user;
    user.ProtectMachineHive();
    run = user.Run({"-a", "-c", "pbx-paris", "10.1.2.3"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "") << "no message for a user who may not write";
    EXPECT_FALSE(user.Value(HKEY_LOCAL_MACHINE, kProvider, "SwitchName"));
}

// A user who has started the product before but never configured it, with a complete INI file
// beside the program.
class FirstConfiguration : public ::testing::Test {
  protected:
    FirstConfiguration() {
        folder.WriteProgramFile("confdirect.ini", kFullIni);
        folder.SeedHive(HKEY_CURRENT_USER, kUserBefore);
    }
    const std::string kUserBefore =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\ZELPhone\\Settings]\n\"lang\"=\"1\"\n";
    ProgramFolder folder;
    const std::string machine = folder.HiveText(HKEY_LOCAL_MACHINE);
};

TEST_F(FirstConfiguration, SavesTheFileStartsTheMainApplicationWithOneCommitAndIsNotReadAgain) {
    folder.extraEnvironment = {"ZELWIZ_DEBUG=1"};
    RunResult run = folder.Run({});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const auto& [key, name, data] :
         {std::tuple{kProduct + "Install", "ProductProfil", "1"},
          std::tuple{kProduct + "Install", "IsWizConfigured", "-1"},
          std::tuple{kProduct + "Install", "CCC", "ThirdCSTALAN"},
          std::tuple{kProduct + "ZELDial\\Preference", "Preferred Line", "KORVANE - 7000"},
          std::tuple{kProduct + "ZELWiz\\Settings", "EdnIP", "7000"},
          std::tuple{kProduct + "PRLserver\\Settings", "PRLserverName", "log1"},
          std::tuple{kProvider, "SwitchName", "pbx-lyon"},
          std::tuple{kProvider + "\\Provider", "IpAddress", "10.0.0.20"}})
        EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, key, name), data) << key << " " << name;
    EXPECT_EQ(folder.ToolRuns("zelphone.exe", 1).size(), 1u)
        << "the main application starts after a first configuration";
    EXPECT_EQ(folder.HiveText(HKEY_LOCAL_MACHINE), machine) << "only the user hive changes";
    const size_t at = run.err.find("registry: ");
    ASSERT_NE(at, std::string::npos) << run.err;
    EXPECT_LE(std::stoi(run.err.substr(at + 10)), 2) << "the new file and its folder, once";

    // Configured now: the file is not read again, the wizard is wanted, and no display is there.
    folder.WriteProgramFile("confdirect.ini", "[ADDRESS]\nHostname=other\n[PARLOVA]\nEdn=1\n");
    run = folder.Run({});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, kProvider, "SwitchName"), "pbx-lyon");
    EXPECT_TRUE(folder.LogLinesWith("no display"));
}

TEST_F(FirstConfiguration, SaveKilledAtAnyMomentLeavesTheOldConfigurationOrTheNew) {
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(folder.Run({}).exitCode, 0);
    const auto wholeRun = std::chrono::steady_clock::now() - started;
    const std::string configured = folder.HiveText(HKEY_CURRENT_USER);

    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    // Moments from the start to a little past the end of a whole run.
    std::uniform_int_distribution<long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(wholeRun).count() * 6 / 5);
    int old = 0;
    int whole = 0;
    for (int run = 0; run < 60; ++run) {
        folder.SeedHive(HKEY_CURRENT_USER, kUserBefore);
        const pid_t pid = folder.Start({});
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(-pid, SIGKILL);
        folder.Wait(pid);
        const std::string now = folder.HiveText(HKEY_CURRENT_USER);
        ASSERT_TRUE(now == kUserBefore || now == configured)
            << "run " << run << " left part of a configuration:\n"
            << now;
        ++(now == kUserBefore ? old : whole);
        ASSERT_EQ(folder.HiveText(HKEY_LOCAL_MACHINE), machine);
    }
    EXPECT_GT(old, 0) << "no run was killed before its save";
    EXPECT_GT(whole, 0) << "no run was killed after its save";

    // What the killed runs left (a lock, a temporary file) is in no one's way.
    folder.SeedHive(HKEY_CURRENT_USER, kUserBefore);
    EXPECT_EQ(folder.Run({}).exitCode, 0);
    EXPECT_EQ(folder.HiveText(HKEY_CURRENT_USER), configured);
}

TEST(ProgramRestoreTool, RunsOnceForAUserWhoWasConfiguredBeforeAndNeverForANewUser) {
    ProgramFolder folder;
    folder.SeedHive(HKEY_CURRENT_USER, kEarlierUser);
    folder.InstallRecordingTool("restprlconf4_0.exe");
    folder.WriteProgramFile("confTapi21.ini", "[PARLOVA]\nProfil=BASIC\n");  // no number: wizard
    folder.Run({});
    folder.Run({});
    EXPECT_EQ(folder.ToolRuns("restprlconf4_0.exe"), std::vector<std::string>{"-s"});
    EXPECT_EQ(folder.Value(HKEY_CURRENT_USER, kProduct + "Install", "SetPrlConf4-1"), "-1");

    ProgramFolder fresh;  // "IsWizConfigured" missing: only the marker is written
    fresh.SeedHive(HKEY_CURRENT_USER, UserInstall("\"SetPrlConf4-1\"=\"0\"\n"));
    fresh.InstallRecordingTool("restprlconf4_0.exe");
    fresh.Run({"-a"});
    EXPECT_EQ(fresh.Value(HKEY_CURRENT_USER, kProduct + "Install", "SetPrlConf4-1"), "-1");
    EXPECT_TRUE(fresh.ToolRuns("restprlconf4_0.exe").empty());
}

TEST(ProgramStarts, AProgramThatCannotStartIsLoggedAndPrintedWithItsFullPath) {
    // A restore tool not installed (for an earlier user), a main application missing, and one
    // that is no program that can be run.
    for (int c = 0; c < 3; ++c) {
        ProgramFolder f;
        f.WriteProgramFile("confTapi21.ini", "[PARLOVA]\nEdn=3000\n");
        const std::string program = c == 0 ? "restprlconf4_0.exe" : "zelphone.exe";
        if (c == 0)
            f.SeedHive(HKEY_CURRENT_USER, kEarlierUser);
        if (c == 1)
            std::filesystem::remove(f.ProgramDir() + "/zelphone.exe");
        if (c == 2)
            f.WriteProgramFile("zelphone.exe", "#!/bin/sh\n");
        const RunResult run = f.Run({});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const std::string failure =
            "\tFile not found: " + f.ProgramDir() + "/" + program + " - 53 (0x35)\t";
        EXPECT_TRUE(f.LogLinesWith(failure)) << program;
        EXPECT_NE(run.err.find(failure), std::string::npos) << run.err;
        EXPECT_EQ(f.Value(HKEY_CURRENT_USER, kProduct + "Install", "IsWizConfigured"), "-1")
            << "the configuration itself is saved";
    }
}

TEST(ProgramKinds, AFirstConfigurationStartsTheMainApplicationWhereTheProviderIsInstalled) {
    for (const char* ccc : {"", "ThirdRSPI", "ThirdCSTALAN"}) {
        for (bool provider : {true, false}) {
            ProgramFolder f(InstalledMachine(ccc, provider));
            f.WriteProgramFile("confdirect.ini", "[ADDRESS]\nHostname=pbx\n[PARLOVA]\nEdn=3000\n");
            SCOPED_TRACE(std::string(ccc) + (provider ? " with" : " without") + " the provider");
            const RunResult run = f.Run({});
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(f.ToolRuns("zelphone.exe", provider ? 1 : 0).size(), provider ? 1u : 0u);
            EXPECT_EQ(f.LogLinesWith("cannot work properly until you restart") > 0, !provider);
        }
    }
}

TEST(ProgramCopies, ARuntimeFolderOtherUsersCouldWriteIsNotUsedAndCannotStopTheProgram) {
    ProgramFolder folder;
    folder.SeedHive(HKEY_CURRENT_USER, kConfiguredUser);
    ASSERT_EQ(::chmod(folder.RuntimeDir().c_str(), 0777), 0);
    const pid_t first = folder.Start({}, /*display=*/true);
    Eventually([&] { return folder.LogLinesWith("runs alone"); });

    const RunResult second = folder.Run({"-c", "pbx-paris", "10.1.2.3"});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(folder.Value(HKEY_LOCAL_MACHINE, kProvider, "SwitchName"), "pbx-paris")
        << "the first copy's lock, where anyone could have made it, does not stop this one";
    EXPECT_EQ(folder.LogLinesWith("runtime folder " + folder.RuntimeDir() + " has mode 0777"), 2u)
        << "one line for each copy";
    ::kill(-first, SIGTERM);
    folder.Wait(first);
}

TEST(ProgramCopies, SecondCopyEndsAtOnceAndBringsTheFirstCopysWindowForwardInAnyLanguage) {
    struct Case {
        const char* lang;
        const char* title;
    };
    for (const Case c : {Case{"1", "Assistant de configuration de Parlova"},
                         Case{"4", "Parlova konfigurációs varázsló"}}) {
        ProgramFolder folder;
        folder.SeedHive(HKEY_CURRENT_USER,
                        kConfiguredUser +
                            "\n[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\ZELPhone\\Settings]\n"
                            "\"lang\"=\"" +
                            c.lang + "\"\n");
        const pid_t first = folder.Start({}, /*display=*/true);
        ASSERT_TRUE(Eventually([&] {
            const std::filesystem::directory_iterator files(folder.RuntimeDir());
            return std::ranges::any_of(files,
                                       [](auto& f) { return f.path().extension() == ".sock"; });
        })) << "the first copy never showed its wizard";
        folder.extraEnvironment = {"ZELWIZ_DEBUG=1"};
        RunResult second = folder.Run({"-c", "should-not", "be-written"});
        EXPECT_EQ(second.exitCode, 0);
        EXPECT_NE(second.err.find("the running copy brought forward window \"" +
                                  std::string(c.title) + "\""),
                  std::string::npos)
            << second.err;
        EXPECT_FALSE(folder.Value(HKEY_LOCAL_MACHINE, kProvider, "SwitchName"));
        ::kill(-first, SIGTERM);
        folder.Wait(first);
    }
}

}  // namespace
}  // namespace zelwiz::test
