#include "environment/mLogError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iomanip>
#include <sstream>

#include "environment/modMultiUser.h"
#include "platform/Form.h"
#include "support/ScopedTestPlatform.h"

namespace zelwiz {
namespace {

using Fields = std::vector<std::string>;
using ::testing::ElementsAre;

class LogErrorTest : public ::testing::Test {
  protected:
    ScopedTestPlatform p;
};

TEST_F(LogErrorTest, WithoutRegistryValuesTheLogIsInTheUsersDataFolder) {
    std::tm seventhOfMarch{};  // local time: the day can pass for a month
    std::istringstream("2024-03-07 14:05:09") >> std::get_time(&seventhOfMarch, "%Y-%m-%d %T");
    seventhOfMarch.tm_isdst = -1;
    const std::time_t fixed = std::mktime(&seventhOfMarch);
    SetLogClockForTests([fixed] { return fixed; });
    std::string msg, date;
    LogError("localize.GetChartset", nullptr, msg, date);
    EXPECT_EQ(msg, "-") << "an empty message comes back as written";
    EXPECT_EQ(date, "07/03/2024 14:05:09") << "day, month, year";

    const auto lines = ScopedTestPlatform::ReadLog(p.DefaultLogPath());
    ASSERT_EQ(lines.size(), 1u) << p.DefaultLogPath();
    EXPECT_THAT(lines[0], ElementsAre(date, "Err: Parlova - localize.GetChartset", "-", "-", "-"));
}

TEST_F(LogErrorTest, APendingErrorGivesItsSourceLineNumberAndDescription) {
    Form wizard("frmWizard");
    wizard.SetCaption("Parlova Configuration Wizard");
    ResumeNext trap([&] { LogError("frmWizard.SetStep", &wizard, "", "05/12/2024 19:42:07"); });
    const int line = __LINE__ + 1;
    trap([] { Raise(kErrTypeMismatch, "frmWizard"); });

    const auto lines = ScopedTestPlatform::ReadLog(p.DefaultLogPath());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_THAT(
        lines[0],
        ElementsAre("05/12/2024 19:42:07",
                    "Err: frmWizard.Parlova Configuration Wizard - frmWizard.SetStep line " +
                        std::to_string(line),
                    "-", "Type mismatch - 13 (0xD)", "-"));
}

TEST_F(LogErrorTest, SystemErrorsGiveTheirTextOrUnknownErrorAndThePendingErrorIsCleared) {
    const struct {
        ErrorRecord pending;
        Fields expected;
    } cases[] = {
        {{440, "Automation error", "", 0, 2},
         {"d", "Err: Parlova - SubMain.Main", "boom", "Automation error - 440 (0x1B8)",
          "No such file or directory - 2 (0x2)"}},
        {{0, "", "", 0, 1234},
         {"d", "Err: Parlova - SubMain.Main", "boom", "-", "Unknown Error. - 1234 (0x4D2)"}},
        {{-2147467259, "Unspecified error", "TextTranslator", 12, 0},
         {"d", "Err: TextTranslator - SubMain.Main line 12", "boom",
          "Unspecified error - -2147467259 (0x80004005)", "-"}},
    };
    for (const auto& c : cases) {
        Err() = c.pending;
        LogError("SubMain.Main", nullptr, "boom", "d");
        EXPECT_EQ(Err().Number, 0);
        EXPECT_EQ(Err().LastDllError, 0);
    }
    const auto lines = ScopedTestPlatform::ReadLog(p.DefaultLogPath());
    ASSERT_EQ(lines.size(), std::size(cases));
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], cases[i].expected);
}

TEST_F(LogErrorTest, AFailureToWriteGoesToTheDebuggerOutputOnly) {
    { std::ofstream blocker(p.root / "blocked"); }
    p.SetText(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\ZELPhone", "DataPath",
              (p.root / "blocked").string());
    Err() = ErrorRecord{kErrTypeMismatch, "Type mismatch", "", 0, 0};
    LogError("frmWizard.cmdNav_Click");
    EXPECT_THAT(p.shell.debugOutput,
                ElementsAre("mLogError.LogError - Path/File access error\r\n"));
    EXPECT_EQ(Err().Number, 0);
}

}  // namespace
}  // namespace zelwiz
