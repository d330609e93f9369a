#include "settings/CRegSettings.h"

#include <gtest/gtest.h>

#include "support/ScopedTestPlatform.h"

namespace zelwiz {
namespace {

const std::string kInstall = "Software\\Korvane\\7316\\Install";

class CRegSettingsTest : public ::testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(p.registry.OpenHandleCount(), 0u) << "every key opened is closed";
    }
    ScopedTestPlatform p;
    CRegSettings reg;
};

TEST_F(CRegSettingsTest, StarNamesTheDefaultValueInEveryOperation) {
    ASSERT_TRUE(reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316", "Install", "*", "unnamed"));
    EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, kInstall, ""), std::string("unnamed", 8));
    EXPECT_EQ(reg.GetSetting("Install", "*"), "unnamed");
    ASSERT_TRUE(reg.DeleteSetting("Install", "*"));
    EXPECT_FALSE(p.Raw(HKEY_CURRENT_USER, kInstall, "").has_value());
    p.SetDword(HKEY_CURRENT_USER, kInstall, "", 77);
    EXPECT_EQ(reg.GetSettingLong("Install", "*"), 77);
}

TEST_F(CRegSettingsTest, LongReadsAreMinusOneForAMissingKeyAndZeroForAMissingValue) {
    const std::string locations = "CurrentVersion\\Telephony\\Locations";
    const std::string path = "Software\\Korvane\\" + locations;
    EXPECT_EQ(reg.GetSettingLongFromHKey(HKEY_LOCAL_MACHINE, locations, "", "CurrentID", "0"),
              "-1");
    p.SetText(HKEY_LOCAL_MACHINE, path, "Long", "12345");
    EXPECT_EQ(reg.GetSettingLongFromHKey(HKEY_LOCAL_MACHINE, locations, "", "CurrentID", "5"), "0");
    EXPECT_EQ(reg.GetSettingLong("", "Long"), 0) << "six bytes do not fit the 32-bit variable";
    p.SetDword(HKEY_LOCAL_MACHINE, path, "CurrentID", 0xFFFFFFFE);
    EXPECT_EQ(reg.GetSettingLong("", "CurrentID"), -2);
}

TEST_F(CRegSettingsTest, SavingAnEmptyTextRemovesTheValueAndKeepsTheKey) {
    ASSERT_TRUE(
        reg.SaveSettingToHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "IsWizConfigured", "-1"));
    EXPECT_TRUE(
        reg.SaveSettingToHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "IsWizConfigured", ""));
    EXPECT_FALSE(p.Raw(HKEY_LOCAL_MACHINE, kInstall, "IsWizConfigured").has_value());
    EXPECT_FALSE(reg.SaveSetting("Install", "IsWizConfigured", ""))
        << "deleting a missing value fails";
    EXPECT_FALSE(reg.SaveSetting("Fresh", "IsWizConfigured", ""));
    EXPECT_TRUE(p.KeyExists(HKEY_LOCAL_MACHINE, "Software\\Korvane\\7316\\Fresh"))
        << "the key is created even when nothing is stored";

    p.registry.SetHiveWritable(HKEY_LOCAL_MACHINE, false);
    EXPECT_FALSE(reg.SaveSetting("Install", "CCC", "ThirdRSPI"));
}

// A stored text (nothing: the value is missing), the default, and the number or flag read.
struct NumberCase {
    std::optional<std::string> stored;
    std::int16_t dflt;
    int expected;
};

TEST_F(CRegSettingsTest, iGetSettingWalksASignAndDigitsWithinSixteenBits) {
    const NumberCase cases[] = {{"99999", 0, 9999},   {"+15", 0, 15},         {"x5", 0, 0},
                                {"12ab", 0, 12},      {"-12", 0, -12},        {"32767", 0, 32767},
                                {"-32768", 0, -3276}, {" 7", 0, 0},           {"5-3", 0, 5},
                                {"", 9, 0},           {std::nullopt, -7, -7}, {"1e3", 0, 1}};
    for (const auto& c : cases) {
        p.registry.DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane\\Parlova\\S");
        if (c.stored)
            p.SetText(HKEY_CURRENT_USER, "Software\\Korvane\\Parlova\\S", "K", *c.stored);
        EXPECT_EQ(reg.iGetSetting("S", "K", c.dflt), c.expected) << c.stored.value_or("<none>");
    }
}

TEST_F(CRegSettingsTest, bGetSettingIsFalseOnlyForATextStartingWithZero) {
    const NumberCase cases[] = {{"0abc", 1, 0},       {"00", 0, 0},         {"-1", 0, 1},
                                {"False", 0, 1},      {"", 0, 1},           {" 0", 0, 1},
                                {std::nullopt, 0, 0}, {std::nullopt, -1, 1}};
    for (const auto& c : cases) {
        p.registry.DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane\\Parlova\\S");
        if (c.stored)
            p.SetText(HKEY_CURRENT_USER, "Software\\Korvane\\Parlova\\S", "K", *c.stored);
        EXPECT_EQ(reg.bGetSetting("S", "K", c.dflt), c.expected != 0)
            << c.stored.value_or("<none>") << " default " << c.dflt;
    }
}

}  // namespace
}  // namespace zelwiz
