// Errors raised inside a step: each is logged once, under the procedure that
// traps it, with the wizard as window where that procedure gives it, and the
// wizard goes on.
#include <gtest/gtest.h>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

void ExpectOneLogLine(const WizardTestPlatform& p, const std::string& where,
                      const std::string& error) {
    const auto log = p.Log();
    ASSERT_EQ(log.size(), 1u);
    ASSERT_EQ(log[0].size(), 5u);
    EXPECT_EQ(log[0][1].rfind(where, 0), 0u) << log[0][1];
    EXPECT_EQ(log[0][2], "-");
    EXPECT_EQ(log[0][3], error);
    EXPECT_EQ(log[0][4], "-");
}

TEST(WizardErrors, FailingDialingRulesOnPageEight) {
    WizardTestPlatform p;
    frmWizard& w = p.LoadWizard();
    w.OptIPPhone->SetValue(true);
    w.sAreaCode = "old area";
    w.sCountry = "old country";
    p.fakes.dialing.areaCode = "02";
    p.fakes.failures["DialingRulesReader.GetCountry"] = E_FAIL;

    std::int16_t step = 8, direction = 2;
    w.SetStep(step, direction);

    ExpectOneLogLine(p, WizardLogPrefix(&w, "frmWizard.SetStep"),
                     "Automation error - -2147467259 (0x80004005)");
    // The labels show the members as they stand: the area code read before the
    // failure.
    EXPECT_EQ(w.lbareacode->Caption(), "02");
    EXPECT_EQ(w.lbcountry->Caption(), "old country");
    ExpectFront(w, 8, {true, true, false});
    EXPECT_EQ(w.MousePointer(), vbDefault);
    EXPECT_EQ(p.fakes.LiveOperationObjects(), 0);
}

TEST(WizardErrors, UnreadableStoredProfileLeavesTheWelcomeSummaryEmpty) {
    WizardTestPlatform p;
    p.SetUser("7316\\Install", "ProductProfil", "abc");
    p.SetInstall("ProductProfil", "abc");
    frmWizard& w = p.LoadWizard();

    // The welcome page is set up inside the load, before the caption has its
    // product name.
    ExpectOneLogLine(p, "Err: Parlova.%0 Configuration Wizard - frmWizard.SetStep line ",
                     "Type mismatch - 13 (0xD)");
    EXPECT_EQ(w.lbIntro->Caption(), "");
    ExpectFront(w, 0, {false, true, false});
    p.Next();
    ExpectFront(w, 1, {false, true, false});
    EXPECT_TRUE(w.OptionProfile(0).Value());  // the profile is not numeric: Basic
}

TEST(WizardErrors, MissingVoipBoardFinderOnPageFiveGoesToPageSix) {
    WizardTestPlatform p;
    p.SetInstall("CCC", "ThirdCSTALAN");
    p.catalog.Unregister(kCLSID_VoipBoardFinder);
    frmWizard& w = p.LoadWizard();
    w.OptIPPhone->SetValue(true);
    w.mvarCSTAIPAdd = "pbx";
    std::int16_t step = 4, direction = 2;
    w.SetStep(step, direction);
    w.OptIPPhone->SetValue(true);
    p.Next();  // page 5 is passed over; the detection cannot even start

    ExpectOneLogLine(p, WizardLogPrefix(&w, "frmWizard.SetCurrentActionForNext"),
                     "ActiveX component can't create object (" +
                         std::string(kCLSID_VoipBoardFinder) + ") - 429 (0x1AD)");
    ExpectFront(w, 6, {true, false, false});
    EXPECT_TRUE(p.toolkit.messageBoxes.empty());
    EXPECT_EQ(w.MousePointer(), vbDefault);
}

TEST(WizardErrors, FailingProviderConfiguratorStillTakesThePbx) {
    WizardTestPlatform p;
    p.SetInstall("CCC", "ThirdCSTALAN");
    p.SetUser("TSpi_CSTA", "SwitchName", "pbx-stored");
    p.fakes.failures["ProviderConfigurator.Initialize"] = E_NOTIMPL;
    frmWizard& w = p.LoadWizard();
    p.Next();
    p.Next();  // GetSwitchInfoExt fails; the rest of the row still runs

    ExpectOneLogLine(p, WizardLogPrefix(&w, "frmWizard.SetCurrentActionForNext"),
                     "Automation error - -2147467263 (0x80004001)");
    ExpectFront(w, 2, {true, true, false});
    EXPECT_EQ(w.txtcstaIPadd->Text(), "pbx-stored");
    EXPECT_EQ(p.fakes.LiveOperationObjects(), 0);
}

}  // namespace
}  // namespace zelwiz
