#include "environment/modMultiUser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>

#include "support/ScopedTestPlatform.h"

namespace zelwiz {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

const std::string kInstall = "Software\\Korvane\\7316\\Install";
const std::string kZELPhone = "Software\\Korvane\\7316\\ZELPhone";
const std::string kSettings = "Software\\Korvane\\7316\\ZELPhone\\Settings";

class MultiUserTest : public ::testing::Test {
  protected:
    ScopedTestPlatform p;
};

struct DataPathCase {
    const char* name;
    const char* userPath;     // relative to the test's folder; nullptr: not set
    const char* multiUser;    // nullptr: not set
    const char* machinePath;  // relative to the test's folder; nullptr: not set
    bool hasAppData;
    const char* expected;  // relative to the test's folder
    bool sharedFolder;     // created open to everyone
};

TEST_F(MultiUserTest, DataPathChoosesTheFolderAndItsAccess) {
    const DataPathCase cases[] = {
        {"nothing set", nullptr, nullptr, nullptr, true, "home/.local/share/Korvane Parlova",
         false},
        {"multi-user in any case", nullptr, "YeS", "machine", true,
         "home/.local/share/Korvane Parlova", false},
        {"user's own folder wins", "mine/data", "No", "machine", true, "mine/data", false},
        {"shared machine folder", nullptr, "No", "shared/data", true, "shared/data", true},
        {"no machine folder", nullptr, "no", nullptr, true, "program", true},
        {"multi-user without app data", nullptr, "", "machine", false, "program", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedTestPlatform t;
        // A folder of the test's own, written with the platform's separators.
        const auto in = [&](const char* folder) { return (t.root / folder).make_preferred(); };
        if (c.userPath)
            t.SetText(HKEY_CURRENT_USER, kZELPhone, "DataPath", in(c.userPath).string());
        if (c.multiUser)
            t.SetText(HKEY_LOCAL_MACHINE, kInstall, "MultiUser", c.multiUser);
        if (c.machinePath)
            t.SetText(HKEY_LOCAL_MACHINE, kInstall, "DataPath",
                      " " + in(c.machinePath).string() + " ");
        if (!c.hasAppData)
            t.shell.appDataFolder.clear();
        const fs::path expected = in(c.expected);

        EXPECT_EQ(DataPath(), expected.string());
        EXPECT_TRUE(fs::is_directory(expected));
        for (const auto& call : t.shell.folderCalls)
            EXPECT_EQ(call.everyoneFullAccess, c.sharedFolder) << call.path;
    }
}

TEST_F(MultiUserTest, AnErrorInDataPathAnswersEmptyOnceAndKeepsTheProgramFolder) {
    // A registry whose reads fail as an exhausted process would: the procedure's trap must act.
    struct FailingRegistry : MemoryRegistry {
        LONG OpenKey(HKEY, std::string_view, REGSAM, HKEY*) override { throw std::bad_alloc(); }
    } failing;
    const Platform previous = InstallPlatform(Platform{&failing, &p.shell, &p.toolkit, nullptr});
    EXPECT_EQ(DataPath(), "");
    InstallPlatform(previous);
    EXPECT_EQ(DataPath(), p.shell.programFolder);
    const auto lines =
        ScopedTestPlatform::ReadLog(fs::path(p.shell.programFolder) / "error_agent7.log");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0][1], "Err: Parlova - modMultiUser.DataPath");
    EXPECT_EQ(lines[0][3], "Out of memory - 7 (0x7)");
}

TEST_F(MultiUserTest, AFolderThatCannotBeMadeIsLoggedWithItsSystemError) {
    DataPath();  // the log's own folder
    std::string path = (p.root / "x").string();
    p.shell.createFailures[path] = 13;
    MakeDir(path);
    const auto lines = ScopedTestPlatform::ReadLog(p.DefaultLogPath());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_THAT(std::vector<std::string>(lines[0].begin() + 1, lines[0].end()),
                ElementsAre("Err: Parlova - modMultiUser.MakeDir", path, "-",
                            "Permission denied - 13 (0xD)"));
}

TEST_F(MultiUserTest, WaitOnProgramAnswersTheExitCode) {
    const struct {
        const char* name;
        FakeShell::Process process;
        bool wait;
        std::uint32_t expected;
        int doEvents;
    } cases[] = {
        {"ended, polling", {3, 0, false}, false, 3, 0},
        {"running, polling", {5, 3, false}, false, 5, 3},
        {"running, waiting", {6, 4, false}, true, 6, 0},
        {"the wait fails", {6, 4, true}, true, 0, 0},
    };
    for (const auto& c : cases) {
        p.shell.processes[77] = c.process;
        p.toolkit.doEventsCalls = 0;
        EXPECT_EQ(WaitOnProgram(77, c.wait), c.expected) << c.name;
        EXPECT_EQ(p.toolkit.doEventsCalls, c.doEvents) << c.name;
        EXPECT_EQ(p.shell.OpenProcessCount(), 0u) << c.name;
    }
    EXPECT_EQ(WaitOnProgram(78, false), 0u) << "no such process";
}

TEST_F(MultiUserTest, CopyHKLM2HKCUGivesTheUserTheMachineDefaultsWhereHeHasNone) {
    p.SetText(HKEY_CURRENT_USER, kSettings, "lang", "4");
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "lang", "2");
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "Help", " 1 ");
    CopyHKLM2HKCU();
    EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, kSettings, "lang"), std::string("4", 2));
    EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, kSettings, "Help"), std::string("1", 2));

    ScopedTestPlatform empty;
    empty.SetText(HKEY_CURRENT_USER, kSettings, "lang", "  ");
    CopyHKLM2HKCU();
    EXPECT_EQ(empty.Raw(HKEY_CURRENT_USER, kSettings, "lang"), std::string("0", 2));
    EXPECT_EQ(empty.Raw(HKEY_CURRENT_USER, kSettings, "Help"), std::string("0", 2));
    EXPECT_TRUE(empty.toolkit.messageBoxes.empty());
}

}  // namespace
}  // namespace zelwiz
