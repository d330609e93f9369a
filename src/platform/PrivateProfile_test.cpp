#include "platform/PrivateProfile.h"

#include <gtest/gtest.h>

#include "support/IniCases.h"

namespace zelwiz {
namespace {

class PrivateProfileReader : public ::testing::TestWithParam<IniCase> {};

TEST_P(PrivateProfileReader, AnswersAsThePlatformReaderDoes) {
    const IniCase& c = GetParam();
    bool found = false;
    EXPECT_EQ(GetPrivateProfileText(c.text, c.section, c.key, "", 50, &found), c.expected)
        << c.what;
    EXPECT_EQ(found, c.found) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, PrivateProfileReader, ::testing::ValuesIn(kIniCases), IniCaseName);

TEST(PrivateProfileReader, CutsToTheBufferAndAnswersTheDefaultWhenMissing) {
    const std::string sixty(60, '7');
    EXPECT_EQ(GetPrivateProfileText("[PARLOVA]\nEdn=" + sixty + "\n", "PARLOVA", "Edn", "", 50),
              sixty.substr(0, 49));
    EXPECT_EQ(GetPrivateProfileText("", "PARLOVA", "Edn", "none", 50), "none");
    EXPECT_EQ(GetPrivateProfileString("PARLOVA", "Edn", "dflt", 50, "/nonexistent/zelwiz/conf.ini"),
              "dflt");
}

}  // namespace
}  // namespace zelwiz
