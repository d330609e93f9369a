#include "environment/localize.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/ScopedTestPlatform.h"

namespace zelwiz {
namespace {

using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;

const std::string kSettings = "Software\\Korvane\\7316\\ZELPhone\\Settings";

TEST(Localize, TheUsersLanguageGivesTheCharsetOfItsEntry) {
    const struct {
        const char* lang;  // nullptr: not set
        int charset;
    } cases[] = {{"4", 238}, {" 5 ", 238}, {"5x", 238}, {"6", 0},
                 {"9", 0},   {"abc", 0},   {nullptr, 0}};
    for (const auto& c : cases) {
        ScopedTestPlatform t;
        if (c.lang)
            t.SetText(HKEY_CURRENT_USER, kSettings, "lang", c.lang);
        EXPECT_EQ(GetChartset(), c.charset) << (c.lang ? c.lang : "<missing>");
        EXPECT_TRUE(LanguagesLoaded());
        EXPECT_EQ(LanguageTable().size(), 9u) << "indexes 0 to 8 of the default list";
    }
}

TEST(Localize, EntriesWithBlanksAreTakenAndMalformedOnesLoggedExactly) {
    ScopedTestPlatform p;
    SplitLanguageChoice(" 4 , hun , 5904 , 238;5,plk,5905;3,,5903,0;2,ger,0,238");
    ASSERT_EQ(LanguageTable().size(), 6u);
    EXPECT_EQ(LanguageTable()[4].path, "hun");
    EXPECT_EQ(LanguageTable()[4].ressource, 5904);
    EXPECT_EQ(LanguageTable()[4].charset, 238);
    EXPECT_EQ(LanguageTable()[5].path, "") << "three fields: the record stays empty";
    EXPECT_EQ(LanguageTable()[3].path, "");
    EXPECT_EQ(LanguageTable()[3].charset, 0);
    EXPECT_EQ(LanguageTable()[2].path, "ger") << "a null ressource is reported, the entry kept";
    EXPECT_EQ(LanguageTable()[2].charset, 238);
    std::vector<std::pair<std::string, std::string>> logged;  // message and error fields
    for (const auto& fields : ScopedTestPlatform::ReadLog(p.DefaultLogPath())) {
        EXPECT_THAT(fields[1],
                    AnyOf("Err: Parlova - localize.SplitLanguageChoice",
                          MatchesRegex("Err: Parlova - localize\\.SplitLanguageChoice line .+")));
        logged.emplace_back(fields[2], fields[3]);
    }
    EXPECT_THAT(
        logged,
        ElementsAre(std::pair{"Wrong language string (incorrect param number): >5,plk,5905<", "-"},
                    std::pair{"Wrong language string (no path): >3,,5903,0<", "-"},
                    std::pair{"Wrong language string (ressource = null): >2,ger,0,238<", "-"}));
}

TEST(ReplaceParams, ReplacesTheFirstOccurrenceOfEachPlaceholderFromTheHighestIndex) {
    const struct {
        const char* text;
        std::vector<std::string> params;
        const char* expected;
    } cases[] = {
        {"#01000#Welcome to %0. This Program will configure %1.",
         {"Parlova", "Zeta"},
         "#01000#Welcome to Parlova. This Program will configure Zeta."},
        {"%0 and %0", {"A"}, "A and %0"},
        {"%10 %1", {"0", "one", "2", "3", "4", "5", "6", "7", "8", "9", "ten"}, "ten one"},
        {"%1 %0", {"%1", "B"}, "B %1"},
        {"no placeholder", {"A"}, "no placeholder"},
        {"%0", {}, "%0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceParams(c.text, c.params), c.expected) << c.text;
}

}  // namespace
}  // namespace zelwiz
