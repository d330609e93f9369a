#include "startup/CommandLineArgs.h"

#include <gtest/gtest.h>

namespace zelwiz {
namespace {

using Args = std::vector<std::string>;

TEST(GetCommandLineArgs, SplitsOnBlanksAndTabsOnlyAndKeepsQuotes) {
    EXPECT_EQ(GetCommandLineArgs("-a -c pbx1 10.0.0.1"),
              (Args{"4", "-a", "-c", "pbx1", "10.0.0.1"}));
    EXPECT_EQ(GetCommandLineArgs("  -a\t\t-c  "), (Args{"2", "-a", "-c"}));
    EXPECT_EQ(GetCommandLineArgs("\"-a\" -c \"my pbx\""),
              (Args{"4", "\"-a\"", "-c", "\"my", "pbx\""}));
}

TEST(GetCommandLineArgs, NoArgumentKeepsTheFullArrayWithNothing) {
    EXPECT_EQ(GetCommandLineArgs(""), (Args{"0", "nothing", "", "", "", ""}));
    EXPECT_EQ(GetCommandLineArgs(" \t "), (Args{"0", "nothing", "", "", "", ""}));
}

TEST(GetCommandLineArgs, StopsAtTheMaximumAndDropsTheRest) {
    EXPECT_EQ(GetCommandLineArgs("1 2 3 4 -c pbx 10.0.0.1"), (Args{"5", "1", "2", "3", "4", "-c"}));
    EXPECT_EQ(GetCommandLineArgs("a b c", 2), (Args{"2", "a", "b"}));
    EXPECT_EQ(CommandLineText({"-c", "pbx", "10.0.0.1"}), "-c pbx 10.0.0.1");
}

}  // namespace
}  // namespace zelwiz
