#include "settings/CRegSettings.h"

#include <gtest/gtest.h>

#include "ScopedTestPlatform.h"

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

struct HiveCase {
    HKEY given;
    HKEY kept;
};
class HiveClamp : public ::testing::TestWithParam<HiveCase> {};

TEST_P(HiveClamp, OnlyPredefinedHivesAreKept) {
    CRegSettings reg;
    reg.hKey(HKEY_LOCAL_MACHINE);
    reg.hKey(GetParam().given);
    EXPECT_EQ(reg.hKey(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    CRegSettings, HiveClamp,
    ::testing::Values(HiveCase{0x80000000, 0x80000000}, HiveCase{0x80000002, 0x80000002},
                      HiveCase{0x80000006, 0x80000006}, HiveCase{0x80000007, HKEY_CURRENT_USER},
                      HiveCase{0, HKEY_CURRENT_USER}, HiveCase{0x104, HKEY_CURRENT_USER},
                      HiveCase{0x7FFFFFFF, HKEY_CURRENT_USER},
                      HiveCase{0xFFFFFFFF, HKEY_CURRENT_USER}));

TEST_F(CRegSettingsTest, BasePathPartsTakeDefaultsForEmptyTextAndAreTrimmed) {
    EXPECT_EQ(reg.hKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(reg.MSubKey(), "Software");
    EXPECT_EQ(reg.Company(), "Korvane");
    EXPECT_EQ(reg.AppName(), "Parlova");

    reg.Company("  Microsoft ");
    reg.AppName(" Windows");
    EXPECT_EQ(reg.Company(), "Microsoft");
    p.SetDword(HKEY_CURRENT_USER,
               "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations", "CurrentID",
               3);
    EXPECT_EQ(reg.GetSettingLong("CurrentVersion\\Telephony\\Locations", "CurrentID"), 3);

    reg.MSubKey("");
    reg.Company("");
    reg.AppName("");
    EXPECT_EQ(reg.MSubKey(), "Software");
    EXPECT_EQ(reg.Company(), "Korvane");
    EXPECT_EQ(reg.AppName(), "Parlova");
    ASSERT_TRUE(reg.SaveSetting("", "Version", "4.0"));
    EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, "Software\\Korvane\\Parlova", "Version"),
              std::string("4.0", 4))
        << "an empty section is the base path itself; the text keeps a terminator";
}

TEST_F(CRegSettingsTest, TextReadsGiveTheStoredTextOrTheDefault) {
    EXPECT_EQ(reg.GetSettingFromHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "CCC", "none"), "none");
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "CCC", "ThirdCSTALAN");
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "Empty", "");
    EXPECT_EQ(reg.GetSettingFromHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "CCC", "none"),
              "ThirdCSTALAN");
    EXPECT_EQ(reg.GetSetting("Install", "Missing", "dflt"), "dflt");
    EXPECT_EQ(reg.GetSetting("Install", "Empty", "dflt"), "") << "a stored empty text";
    EXPECT_EQ(reg.GetSetting("Missing", "CCC"), "");
}

TEST_F(CRegSettingsTest, FromHKeyCallsLeaveTheirHiveAndAppNameForLaterCalls) {
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "7316Name", "machine");
    p.SetText(HKEY_CURRENT_USER, kInstall, "7316Name", "user");
    reg.GetSettingFromHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "nothing");
    EXPECT_EQ(reg.hKey(), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.AppName(), "7316");
    EXPECT_EQ(reg.GetSetting("Install", "7316Name"), "machine");

    reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316\\ZELWiz", "Settings", "EdnSet", "4711");
    EXPECT_EQ(reg.GetSetting("Settings", "EdnSet"), "4711");
    EXPECT_EQ(reg.hKey(), HKEY_CURRENT_USER);

    reg.GetSettingLongFromHKey(0x12345, "", "Install", "x");
    EXPECT_EQ(reg.hKey(), HKEY_CURRENT_USER) << "the argument passes through the property rule";
    EXPECT_EQ(reg.AppName(), "Parlova");
    EXPECT_EQ(reg.Company(), "Korvane");
    EXPECT_EQ(reg.MSubKey(), "Software");
}

TEST_F(CRegSettingsTest, StarNamesTheDefaultValueInEveryOperation) {
    ASSERT_TRUE(reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316", "Install", "*", "unnamed"));
    EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, kInstall, ""), std::string("unnamed", 8));
    EXPECT_FALSE(p.Raw(HKEY_CURRENT_USER, kInstall, "*").has_value());
    EXPECT_EQ(reg.GetSetting("Install", "*"), "unnamed");
    ASSERT_TRUE(reg.DeleteSetting("Install", "*"));
    EXPECT_FALSE(p.Raw(HKEY_CURRENT_USER, kInstall, "").has_value());
    p.SetDword(HKEY_CURRENT_USER, kInstall, "", 77);
    EXPECT_EQ(reg.GetSettingLong("Install", "*"), 77);
}

TEST_F(CRegSettingsTest, LongReadsAreMinusOneForAMissingKeyAndZeroForAMissingValue) {
    const std::string locations = "CurrentVersion\\Telephony\\Locations";
    EXPECT_EQ(reg.GetSettingLongFromHKey(HKEY_LOCAL_MACHINE, locations, "", "CurrentID", "0"),
              "-1");
    p.SetText(HKEY_LOCAL_MACHINE, "Software\\Korvane\\" + locations, "Other", "x");
    EXPECT_EQ(reg.GetSettingLongFromHKey(HKEY_LOCAL_MACHINE, locations, "", "CurrentID", "5"), "0");
    p.SetDword(HKEY_LOCAL_MACHINE, "Software\\Korvane\\" + locations, "CurrentID", 0xFFFFFFFE);
    EXPECT_EQ(reg.GetSettingLong("", "CurrentID"), -2);
    p.SetText(HKEY_LOCAL_MACHINE, "Software\\Korvane\\" + locations, "Long", "12345");
    EXPECT_EQ(reg.GetSettingLong("", "Long"), 0) << "six bytes do not fit the 32-bit variable";
}

TEST_F(CRegSettingsTest, SavingAnEmptyTextRemovesTheValueAndKeepsTheKey) {
    const std::string user = "Software\\Korvane\\7316\\Install";
    ASSERT_TRUE(
        reg.SaveSettingToHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "IsWizConfigured", "-1"));
    EXPECT_EQ(p.Raw(HKEY_LOCAL_MACHINE, user, "IsWizConfigured"), std::string("-1", 3));
    EXPECT_TRUE(
        reg.SaveSettingToHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "IsWizConfigured", ""));
    EXPECT_FALSE(p.Raw(HKEY_LOCAL_MACHINE, user, "IsWizConfigured").has_value());
    EXPECT_FALSE(reg.SaveSetting("Install", "IsWizConfigured", ""))
        << "deleting a missing value fails";

    EXPECT_FALSE(reg.SaveSettingToHKey(HKEY_LOCAL_MACHINE, "7316", "Fresh", "IsWizConfigured", ""));
    EXPECT_TRUE(p.KeyExists(HKEY_LOCAL_MACHINE, "Software\\Korvane\\7316\\Fresh"))
        << "the key is created even when nothing is stored";

    p.registry.SetHiveWritable(HKEY_LOCAL_MACHINE, false);
    EXPECT_FALSE(reg.SaveSetting("Install", "CCC", "ThirdRSPI"));
    EXPECT_TRUE(reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316", "Install", "CCC", "ThirdRSPI"));
}

TEST_F(CRegSettingsTest, DeletingAValueOrASectionKeyOfOneLevel) {
    reg.AppName("7316");
    reg.SaveSetting("ZELPhone\\Settings", "lang", "4");
    reg.SaveSetting("Profil", "x", "1");
    EXPECT_TRUE(reg.DeleteSetting("ZELPhone\\Settings", "lang"));
    EXPECT_FALSE(reg.DeleteSetting("ZELPhone\\Settings", "lang"));
    EXPECT_FALSE(reg.DeleteSetting("ZELPhone")) << "a key with subkeys stays";
    EXPECT_TRUE(reg.DeleteSetting("ZELPhone\\Settings"));
    EXPECT_TRUE(reg.DeleteSetting("ZELPhone"));
    EXPECT_FALSE(p.KeyExists(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\ZELPhone"));

    p.SetText(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA\\Provider", "IPKey", "1");
    EXPECT_TRUE(reg.DeleteKey(HKEY_LOCAL_MACHINE, "TSpi_CSTA", "Provider", "IPKey"));
    EXPECT_EQ(reg.hKey(), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.AppName(), "TSpi_CSTA");
    EXPECT_TRUE(reg.DeleteKey(HKEY_LOCAL_MACHINE, "TSpi_CSTA", "Provider"));
    EXPECT_FALSE(p.KeyExists(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA\\Provider"));
}

TEST_F(CRegSettingsTest, AdministratorIsWhoMayOpenTheHivesSoftwareKeyWithEveryRight) {
    EXPECT_FALSE(reg.IsUserAdmin(HKEY_LOCAL_MACHINE, "7316", "Install")) << "no Software key";
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "CCC", "");
    EXPECT_TRUE(reg.IsUserAdmin(HKEY_LOCAL_MACHINE, "7316", "Install"));
    p.registry.SetHiveWritable(HKEY_LOCAL_MACHINE, false);
    EXPECT_FALSE(reg.IsUserAdmin(HKEY_LOCAL_MACHINE, "7316", "Install"));
    EXPECT_EQ(reg.hKey(), HKEY_CURRENT_USER) << "the object is not changed";
    EXPECT_EQ(reg.AppName(), "Parlova");
}

struct TextCase {
    std::optional<std::string> stored;  // nothing: the value is missing
    std::int16_t dflt;
    int expected;
};

class NumberReads : public ::testing::Test {
  protected:
    void Store(const std::optional<std::string>& text) {
        HKEY key = 0;
        p.registry.CreateKey(HKEY_CURRENT_USER, "Software\\Korvane\\Parlova\\S", KEY_ALL_ACCESS,
                             &key);
        if (text)
            p.registry.SetString(key, "K", *text);
        else
            p.registry.DeleteValue(key, "K");
        p.registry.CloseKey(key);
    }
    ScopedTestPlatform p;
    CRegSettings reg;
};

TEST_F(NumberReads, iGetSettingWalksASignAndDigitsWithinSixteenBits) {
    const TextCase cases[] = {
        {"99999", 0, 9999},   {"+15", 0, 15},        {"x5", 0, 0},         {"12ab", 0, 12},
        {"-12", 0, -12},      {"32767", 0, 32767},   {"-32768", 0, -3276}, {" 7", 0, 0},
        {"5-3", 0, 5},        {"-", 0, 0},           {"", 9, 0},           {std::nullopt, -7, -7},
        {std::nullopt, 0, 0}, {"0032767", 0, 32767}, {"1e3", 0, 1}};
    for (const auto& c : cases) {
        Store(c.stored);
        EXPECT_EQ(reg.iGetSetting("S", "K", c.dflt), c.expected)
            << (c.stored ? *c.stored : "<missing>");
    }
}

TEST_F(NumberReads, bGetSettingIsFalseOnlyForATextStartingWithZero) {
    const TextCase cases[] = {{"0", 1, 0},          {"0abc", 1, 0},       {"00", 0, 0},
                              {"1", 0, 1},          {"-1", 0, 1},         {"False", 0, 1},
                              {"", 0, 1},           {" 0", 0, 1},         {std::nullopt, 0, 0},
                              {std::nullopt, 5, 1}, {std::nullopt, -1, 1}};
    for (const auto& c : cases) {
        Store(c.stored);
        EXPECT_EQ(reg.bGetSetting("S", "K", c.dflt), c.expected != 0)
            << (c.stored ? *c.stored : "<missing>") << " default " << c.dflt;
    }
}

}  // namespace
}  // namespace zelwiz
