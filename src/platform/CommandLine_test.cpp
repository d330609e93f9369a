#include "platform/CommandLine.h"

#include <gtest/gtest.h>

namespace zelwiz {
namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> args;
};

class SplitCommandLineRules : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineRules, SplitsAsWindowsDoes) {
    EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().args) << GetParam().line;
}

// The program name first.
INSTANTIATE_TEST_SUITE_P(
    Rules, SplitCommandLineRules,
    ::testing::Values(
        SplitCase{"", {}}, SplitCase{"prog", {"prog"}},
        SplitCase{"\"/opt/Korvane Parlova/zelphone.exe\"", {"/opt/Korvane Parlova/zelphone.exe"}},
        SplitCase{"\"/opt/k p/restprlconf4_0.exe\" -s", {"/opt/k p/restprlconf4_0.exe", "-s"}},
        // Backslashes in the program name are plain, also before its closing quote.
        SplitCase{"\"C:\\Program Files\\\" x", {"C:\\Program Files\\", "x"}},
        SplitCase{"C:\\dir\\p\"q r", {"C:\\dir\\p\"q", "r"}},
        // The name ends at its closing quote; what follows starts the next argument.
        SplitCase{"\"prog\"x y", {"prog", "x", "y"}}, SplitCase{"\"prog", {"prog"}},
        SplitCase{" prog a", {"", "prog", "a"}},
        // The arguments after it.
        SplitCase{"p a  b\t c  ", {"p", "a", "b", "c"}},
        SplitCase{"p \"abc\" d e", {"p", "abc", "d", "e"}},
        SplitCase{"p a\\\\\\b d\"e f\"g h", {"p", "a\\\\\\b", "de fg", "h"}},
        SplitCase{"p a\\\\\\\"b c d", {"p", "a\\\"b", "c", "d"}},
        SplitCase{"p a\\\\\\\\\"b c\" d e", {"p", "a\\\\b c", "d", "e"}},
        SplitCase{"p \"\" \"\"", {"p", "", ""}}, SplitCase{"p \\\"x\\\"", {"p", "\"x\""}},
        SplitCase{"p trail\\\\", {"p", "trail\\\\"}},
        SplitCase{"p \"open ended", {"p", "open ended"}},
        // Two quotes inside a quoted part: one literal quote, and the quoted part ends.
        SplitCase{"p a\"b\"\" c d", {"p", "ab\"", "c", "d"}},
        // Three quotes inside a quoted part: one literal quote, and the quoted part goes on.
        SplitCase{"p \"a\"\"\"b c\" d", {"p", "a\"b c", "d"}}));

}  // namespace
}  // namespace zelwiz
