#include "platform/Conversions.h"

#include <gtest/gtest.h>

#include "support/ErrorOf.h"

#include "platform/ErrorInfo.h"

namespace zelwiz {
namespace {

TEST(Conversions, ValTakesTheLeadingNumberOnly) {
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val(" 2"), 2);
    EXPECT_EQ(Val("12ab"), 12);
    EXPECT_EQ(Val("1 2 3"), 123);
    EXPECT_EQ(Val("-1"), -1);
    EXPECT_EQ(Val("3.5e2x"), 350);
    EXPECT_EQ(Val("&H1F"), 31);
    EXPECT_EQ(Val("&HFFFFFFFF"), -1);
    EXPECT_EQ(Val("True"), 0);
}

TEST(Conversions, StrictIntegersRaiseTypeMismatchAndOverflow) {
    EXPECT_EQ(CInt(" 42 "), 42);
    EXPECT_EQ(CInt("2.5"), 2) << "rounds to even";
    EXPECT_EQ(CInt("3.5"), 4);
    EXPECT_EQ(CLng("-2147483648"), INT32_MIN);
    EXPECT_EQ(ErrorOf([] { CInt(""); }), kErrTypeMismatch);
    EXPECT_EQ(ErrorOf([] { CInt("12ab"); }), kErrTypeMismatch);
    EXPECT_EQ(ErrorOf([] { CInt("32768"); }), kErrOverflow);
    EXPECT_EQ(ErrorOf([] { CLng("2147483648"); }), kErrOverflow);
}

TEST(Conversions, BooleansFromAndToText) {
    EXPECT_TRUE(CBool("True"));
    EXPECT_FALSE(CBool(" FALSE "));
    EXPECT_TRUE(CBool("-1"));
    EXPECT_FALSE(CBool("0"));
    EXPECT_EQ(ErrorOf([] { CBool("yes"); }), kErrTypeMismatch);
    EXPECT_EQ(BoolText(true), "True");
    EXPECT_EQ(BoolText(false), "False");
}

TEST(Conversions, TrimRemovesBlanksOnlyAndHexIsTwosComplement) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Hex(32), "20");
    EXPECT_EQ(Hex(0), "0");
    EXPECT_EQ(Hex(-1), "FFFFFFFF");
}

}  // namespace
}  // namespace zelwiz
