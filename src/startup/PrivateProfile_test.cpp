#include "startup/PrivateProfile.h"

#include <gtest/gtest.h>

namespace zelwiz {
namespace {

struct IniCase {
    const char* what;
    const char* text;
    const char* section;
    const char* key;
    const char* expected;
    bool found;
};

class PrivateProfileReader : public ::testing::TestWithParam<IniCase> {};

TEST_P(PrivateProfileReader, AnswersAsThePlatformReaderDoes) {
    const IniCase& c = GetParam();
    bool found = false;
    EXPECT_EQ(GetPrivateProfileText(c.text, c.section, c.key, "", 50, &found), c.expected)
        << c.what;
    EXPECT_EQ(found, c.found) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrivateProfileReader,
    ::testing::Values(
        IniCase{"plain", "[ADDRESS]\nHostname=pbx1\n", "ADDRESS", "Hostname", "pbx1", true},
        IniCase{"names without regard to case", "[address]\r\nHOSTNAME=pbx1\r\n", "ADDRESS",
                "Hostname", "pbx1", true},
        IniCase{"blanks around section and key names", "[ ADDRESS ]\n  Hostname  =pbx1\n",
                "ADDRESS", "Hostname", "pbx1", true},
        IniCase{"value keeps its blanks for the caller to trim", "[ADDRESS]\nHostname=  pbx1 \n",
                "ADDRESS", "Hostname", "  pbx1 ", true},
        IniCase{"only blanks is present", "[ADDRESS]\nHostname=   \n", "ADDRESS", "Hostname", "   ",
                true},
        IniCase{"nothing after = is empty", "[ADDRESS]\nHostname=\n", "ADDRESS", "Hostname", "",
                true},
        IniCase{"one pair of quotes removed", "[P]\nEdn=\"\"2000\"\"\n", "P", "Edn", "\"2000\"",
                true},
        IniCase{"single quotes too", "[P]\nEdn='2000'\n", "P", "Edn", "2000", true},
        IniCase{"unmatched quotes stay", "[P]\nEdn=\"2000'\n", "P", "Edn", "\"2000'", true},
        IniCase{"a lone quote stays", "[P]\nEdn=\"\n", "P", "Edn", "\"", true},
        IniCase{"a commented key does not match", "[P]\n;Edn=1\n", "P", "Edn", "", false},
        IniCase{"no inline comments", "[P]\nEdn=2000 ; desk\n", "P", "Edn", "2000 ; desk", true},
        IniCase{"other section", "[A]\nEdn=1\n[P]\nX=2\n", "P", "Edn", "", false},
        IniCase{"first key wins", "[P]\nEdn=1\nEdn=2\n", "P", "Edn", "1", true},
        IniCase{"repeated section searched on", "[P]\nX=0\n[Q]\n[P]\nEdn=3\n", "P", "Edn", "3",
                true},
        IniCase{"before any section", "Edn=1\n[P]\n", "P", "Edn", "", false},
        IniCase{"byte order mark", "\xEF\xBB\xBF[P]\nEdn=7\n", "P", "Edn", "7", true},
        IniCase{"value with =", "[P]\nEdn=a=b\n", "P", "Edn", "a=b", true},
        IniCase{"last line without line break", "[P]\nEdn=9", "P", "Edn", "9", true}),
    [](const auto& p) {
        std::string name;
        for (const char* c = p.param.what; *c != '\0'; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

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
