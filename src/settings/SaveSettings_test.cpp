#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FolderSeparator.h"
#include "platform/ErrorInfo.h"
#include "support/TelephonyTestPlatform.h"

namespace zelwiz {
namespace {

using ::testing::UnorderedElementsAre;

constexpr HKEY HKCU = HKEY_CURRENT_USER;
constexpr HKEY HKLM = HKEY_LOCAL_MACHINE;
constexpr const char* kLocationsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";
constexpr const char* kLocationLine =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations|CurrentID=dword:1";
constexpr const char* kRestartMessage =
    "Parlova cannot work properly until you restart your computer.";

class SaveSettingsTest : public TelephonyTest {
  protected:
    void SetUp() override {
        TelephonyTest::SetUp();
        SetDword(HKLM, kLocationsKey, "CurrentID", 1);
        wiz->iCurrentStep = 9;
        toolkit.messageSink = [this](const HeadlessToolkit::MessageBox&) {
            pointerAtMessage = wiz->MousePointer();
        };
    }
    // The product's line object reports a preferred line whose address is `address`.
    void LineAddressIs(const std::string& address) {
        fakes.line.preferredLine = "0";
        fakes.line.addresses = {{"0", address}};
    }
    // Runs the save; true when it ended the program.
    bool Save() {
        try {
            wiz->SaveSettings();
        } catch (const ProgramEnd&) {
            return true;
        }
        return false;
    }

    int pointerAtMessage = -1;
};

TEST_F(SaveSettingsTest, AFirstConfigurationWithAPhysicalSetStartsTheMainApplication) {
    SetText(HKLM, kInstallKey, "Permanent ProviderID", "{P-1}");
    wiz->mvarCCC = "ThirdCSTALAN";
    wiz->mvarProfile = " 1";
    wiz->mvarbIsPhoneSet = true;
    wiz->mvarPhoneSetNumber = "2000";
    wiz->mvarCSTAIPAdd = "pbx-1";
    LineAddressIs("2000");

    EXPECT_TRUE(Save()) << "the wizard ends at once";
    EXPECT_EQ(shell.started, (std::vector<std::string>{"\"" + shell.programFolder +
                                                       kFolderSeparator + "zelphone.exe\""}));
    EXPECT_TRUE(toolkit.messageBoxes.empty());
    EXPECT_THAT(
        Layout(),
        UnorderedElementsAre(
            kLocationLine, "HKLM\\Software\\Korvane\\7316\\Install|Permanent ProviderID={P-1}",
            "HKCU\\Software\\Korvane\\7316\\Install|ProductProfil= 1",
            "HKCU\\Software\\Korvane\\7316\\Install|IsWizConfigured=-1",
            "HKCU\\Software\\Korvane\\7316\\Install|CCC=ThirdCSTALAN",
            "HKCU\\Software\\Korvane\\7316\\ZELDial\\Preference|Permanent ProviderID={P-1}",
            "HKCU\\Software\\Korvane\\7316\\ZELDial\\Preference|Preferred Line=KORVANE - 2000",
            "HKCU\\Software\\Korvane\\7316\\ZELDial\\Settings|ExtHandsetvisible=0",
            "HKCU\\Software\\Korvane\\7316\\ZELWiz\\Settings|EdnSet=2000",
            "HKCU\\Software\\Korvane\\TSpi_CSTA|SwitchName=pbx-1",
            "HKCU\\Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\2000",
            "HKCU\\Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\RTYUE"));
    EXPECT_EQ(pointers, (std::vector<int>{vbHourglass, vbDefault}));
}

TEST_F(SaveSettingsTest, AReconfigurationWithTheMultimediaPcSetReplacesItsNumber) {
    SetText(HKCU, kInstallKey, "IsWizConfigured", "-1");
    SetText(HKLM, kInstallKey, "Permanent ProviderID", "{P-1}");
    SetText(HKCU, kPreferenceKey, "Permanent ProviderID", "{P-user}");
    SetText(HKCU, kPreferenceKey, "Preferred Line", "KORVANE - 1000");
    SetText(HKCU, std::string(kPreferredEdnsKey) + "\\1000", "IPKey", "1");
    MakeKey(HKCU, std::string(kPreferredEdnsKey) + "\\3000");
    SetText(HKCU, kProviderSubKey, "EdnIP", "1000");
    wiz->mvarbIsWizConfigured = true;
    wiz->mvarCCC = "ThirdCSTALAN";
    wiz->mvarProfile = " 0";
    wiz->mvarIPLANAdd = "voip-1";
    wiz->mvarIP_EDN = "7000";
    wiz->mvarCSTAIPAdd = " ";
    LineAddressIs("7000");

    EXPECT_FALSE(Save());
    EXPECT_TRUE(shell.started.empty()) << "a reconfiguration never starts the main application";
    EXPECT_TRUE(toolkit.messageBoxes.empty());
    EXPECT_THAT(
        Layout(),
        UnorderedElementsAre(
            kLocationLine, "HKLM\\Software\\Korvane\\7316\\Install|Permanent ProviderID={P-1}",
            "HKCU\\Software\\Korvane\\7316\\Install|IsWizConfigured=-1",
            "HKCU\\Software\\Korvane\\7316\\Install|ProductProfil= 0",
            "HKCU\\Software\\Korvane\\7316\\ZELDial\\Preference|Permanent ProviderID={P-user}",
            "HKCU\\Software\\Korvane\\7316\\ZELDial\\Preference|Preferred Line=KORVANE - 7000",
            "HKCU\\Software\\Korvane\\7316\\ZELDial\\Settings|ExtHandsetvisible=1",
            "HKCU\\Software\\Korvane\\7316\\ZELWiz\\Settings|EdnIP=7000",
            "HKCU\\Software\\Korvane\\TSpi_CSTA\\Provider|EdnIP=7000",
            "HKCU\\Software\\Korvane\\TSpi_CSTA\\Provider|IpAddress=voip-1",
            "HKCU\\Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\3000",
            "HKCU\\Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\7000|IPKey=1"));
}

TEST_F(SaveSettingsTest, ThroughATapiServerThePreferredNumbersAndProviderIdAreLeftAlone) {
    SetText(HKCU, kInstallKey, "IsWizConfigured", "-1");
    SetText(HKLM, kInstallKey, "Permanent ProviderID", "{P-1}");
    SetText(HKCU, kPreferenceKey, "Preferred Line", "KORVANE - 1000");
    SetText(HKCU, std::string(kPreferredEdnsKey) + "\\1000", "IPKey", "1");
    MakeKey(HKCU, std::string(kPreferredEdnsKey) + "\\3000");
    wiz->mvarCCC = "ThirdRSPI";
    wiz->mvarbIsPhoneSet = true;
    wiz->mvarPhoneSetNumber = "2000";
    LineAddressIs("2000");

    EXPECT_FALSE(Save());
    EXPECT_EQ(SubKeys(HKCU, kPreferredEdnsKey), (std::vector<std::string>{"1000", "3000"}));
    EXPECT_EQ(Text(HKCU, kPreferenceKey, "Permanent ProviderID"), "<missing>");
    EXPECT_EQ(Text(HKCU, kPreferenceKey, "Preferred Line"), "KORVANE - 2000");
    EXPECT_EQ(Text(HKCU, kWizSettingsKey, "EdnSet"), "2000");
}

TEST_F(SaveSettingsTest, AFailedLineCheckAsksForARestartAndStillMarksTheConfiguration) {
    wiz->mvarbIsPhoneSet = true;
    wiz->mvarPhoneSetNumber = "2000";
    fakes.line.preferredLine = "-1";

    EXPECT_FALSE(Save());
    ASSERT_EQ(toolkit.messageBoxes.size(), 1u);
    EXPECT_EQ(toolkit.messageBoxes[0].prompt, kRestartMessage);
    EXPECT_EQ(toolkit.messageBoxes[0].style, vbExclamation | vbOKOnly);
    EXPECT_EQ(toolkit.messageBoxes[0].title, "Parlova Configuration Wizard");
    EXPECT_EQ(pointerAtMessage, vbHourglass);
    EXPECT_EQ(wiz->MousePointer(), vbDefault);
    EXPECT_EQ(Text(HKCU, kInstallKey, "IsWizConfigured"), "-1");
    EXPECT_EQ(Text(HKCU, kInstallKey, "CCC"), "<missing>");
    EXPECT_TRUE(shell.started.empty());

    // From an INI file the pointer is never touched.
    pointers.clear();
    wiz->mvarbFileIniExist = true;
    EXPECT_FALSE(Save());
    EXPECT_EQ(toolkit.messageBoxes.size(), 2u);
    EXPECT_TRUE(pointers.empty());
}

TEST_F(SaveSettingsTest, APhysicalSetWithoutANumberKeepsTheNumberAndLineSavedBefore) {
    for (const char* number : {"", "  "}) {
        SetText(HKCU, kWizSettingsKey, "EdnSet", "1000");
        SetText(HKCU, kPreferenceKey, "Preferred Line", "KORVANE - 1000");
        SetText(HKCU, "Software\\Korvane\\7316\\ZELDial\\Settings", "ExtHandsetvisible", "1");
        wiz->mvarCCC = "ThirdCSTALAN";
        wiz->mvarbIsPhoneSet = true;
        wiz->mvarPhoneSetNumber = number;
        EXPECT_FALSE(Save());
        EXPECT_EQ(Text(HKCU, kWizSettingsKey, "EdnSet"), "1000") << "'" << number << "'";
        EXPECT_EQ(Text(HKCU, kPreferenceKey, "Preferred Line"), "KORVANE - 1000") << number;
        EXPECT_EQ(Text(HKCU, "Software\\Korvane\\7316\\ZELDial\\Settings", "ExtHandsetvisible"),
                  "0");
        EXPECT_FALSE(KeyExists(HKCU, kPreferredEdnsKey)) << "no number to offer";
    }
}

// A reconfiguration with the physical set: the profile decides the phone mode and Operator is
// stored as Team; without a current dialing location the dialing configuration opens first,
// except from an INI file (a location key without "CurrentID" reads as location 0, as the
// registry class's tests show).
TEST_F(SaveSettingsTest, TheProfileAndTheDialingLocation) {
    struct Case {
        std::string profile;
        std::string phoneMode;  // "<missing>" when none is written
        std::string stored;
        DWORD location;
        bool fromIni, opens;
    };
    const Case cases[] = {
        {" 0", "<missing>", " 0", 1, false, false},
        {"1", "<missing>", "1", 0, false, true},
        {" 2", "2", " 2", 0, true, false},
        {" 3", "3", "2", 1, true, false},
    };
    SetText(HKCU, kInstallKey, "IsWizConfigured", "-1");
    wiz->mvarbIsPhoneSet = true;
    for (const auto& c : cases) {
        SCOPED_TRACE("profile '" + c.profile + "' location " + std::to_string(c.location) +
                     (c.fromIni ? " from an INI file" : ""));
        fakes.provider.configuredDevices.clear();
        SetDword(HKLM, kLocationsKey, "CurrentID", c.location);
        wiz->mvarbFileIniExist = c.fromIni;
        wiz->mvarProfile = c.profile;
        EXPECT_FALSE(Save());
        EXPECT_EQ(Text(HKCU, "Software\\Korvane\\7316\\ZELPhone\\Settings", "PhoneMode"),
                  c.phoneMode);
        EXPECT_EQ(Text(HKCU, "Software\\Korvane\\7316\\Profil\\Team", "PhoneMode"), c.phoneMode);
        EXPECT_EQ(Text(HKCU, kInstallKey, "ProductProfil"), c.stored);
        EXPECT_EQ(wiz->mvarProfile, c.stored);
        EXPECT_EQ(fakes.provider.configuredDevices.size(), c.opens ? 1u : 0u);
    }
}

}  // namespace
}  // namespace zelwiz
