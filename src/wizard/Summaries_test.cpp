// The two summaries' edge cases: what the stored configuration puts into the
// members, which lines are present, and the PBX prefix rule of each.
#include <gtest/gtest.h>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

const char kDialingLines[] =
    "  Area Code : 01\r\n"
    "  Country : 33\r\n"
    "  Local Access Code : 0\r\n"
    "  Long Distance Access Code : 00\r\n";

TEST(CurrentSettings, StoredConfigurationOfADirectLink) {
    WizardTestPlatform p;
    p.SetInstall("CCC", "ThirdCSTALAN");
    p.SetInstall("OperatorName", "Switchboard");
    p.SetUser("7316\\Install", "ProductProfil", "2");
    p.SetUser("7316\\ZELPhone\\Settings", "PhoneMode", "3");
    p.SetText(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "SwitchName",
              std::string("  pbx\0.lan  ", 12));
    p.SetUser("TSpi_CSTA\\Provider", "IpAddress", " 10.3.3.3");
    p.SetUser("7316\\ZELWiz\\Settings", "EdnIP", "7001");
    p.SetUser("7316\\ZELWiz\\Settings", "EdnSet", "2000");
    p.SetUser("7316\\ZELDial\\Preference", "Preferred Line", "KORVANE - 7001 - Parlova");
    frmWizard& w = p.LoadWizard();

    EXPECT_EQ(w.lbIntro->Caption(), std::string(" Korvane Parlova 4.0 Build 1234\r\n"
                                                "  A direct connection to the PBX\r\n"
                                                "  Profile : Switchboard\r\n"
                                                "  PBX : pbx.lan\r\n"
                                                "  VoIP board : 10.3.3.3\r\n"
                                                "  Your phone number : 7001\r\n") +
                                        kDialingLines);
    EXPECT_EQ(w.mvarProfile, "3");  // Team in phone mode 3 is the Operator profile
    EXPECT_EQ(w.mvarIP_EDN, "7001");
    EXPECT_EQ(w.mvarPhoneSetNumber, "");
}

TEST(FinishSettings, ProfileNamesAndTheNumberLine) {
    struct Case {
        const char* profile;
        const char* name;
    };
    const Case cases[] = {{" 0", "Basic"}, {"1", "Pro"},  {" 2", "Team"}, {" 3", "Operator"},
                          {"4", ""},       {"", "Basic"}, {"x", "Basic"}, {"-1", ""}};
    WizardTestPlatform p;
    frmWizard& w = p.LoadWizard();
    w.mvarbIsPhoneSet = true;
    w.sPrefixePbx = "  ";
    for (const Case& c : cases) {
        w.mvarProfile = c.profile;
        w.ShowFinishSettings();
        EXPECT_EQ(w.lbfinishsettings->Caption(), std::string(" Korvane Parlova 4.0 Build 1234\r\n"
                                                             "  Not found\r\n"
                                                             "  Profile : ") +
                                                     c.name +
                                                     "\r\n"
                                                     "  Your phone number : \r\n" +
                                                     kDialingLines + "  PBX Prefixe : 0")
            << "profile '" << c.profile << "'";
    }
    EXPECT_EQ(w.sPrefixePbx, "0");  // the local access code stays in the member
}

}  // namespace
}  // namespace zelwiz
