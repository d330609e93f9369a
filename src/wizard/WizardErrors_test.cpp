// Errors raised inside a step: each is logged once, under the procedure that
// traps it, with the wizard as window where that procedure gives it, and the
// wizard goes on.
#include <gtest/gtest.h>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

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

    ExpectOneLogLine(p, "frmWizard.SetStep", "Automation error - -2147467259 (0x80004005)");
    // The labels show the members as they stand: the area code read before the
    // failure.
    EXPECT_EQ(w.lbareacode->Caption(), "02");
    EXPECT_EQ(w.lbcountry->Caption(), "old country");
    ExpectFront(w, 8, {true, true, false});
    EXPECT_EQ(w.MousePointer(), vbDefault);
    EXPECT_EQ(p.fakes.LiveOperationObjects(), 0);
}

TEST(WizardErrors, FailingProviderConfiguratorStillTakesThePbx) {
    WizardTestPlatform p;
    p.SetInstall("CCC", "ThirdCSTALAN");
    p.SetUser("TSpi_CSTA", "SwitchName", "pbx-stored");
    p.fakes.failures["ProviderConfigurator.Initialize"] = E_NOTIMPL;
    frmWizard& w = p.LoadWizard();
    p.Next();
    p.Next();  // GetSwitchInfoExt fails; the rest of the row still runs

    ExpectOneLogLine(p, "frmWizard.SetCurrentActionForNext",
                     "Automation error - -2147467263 (0x80004001)");
    ExpectFront(w, 2, {true, true, false});
    EXPECT_EQ(w.txtcstaIPadd->Text(), "pbx-stored");
    EXPECT_EQ(w.MousePointer(), vbDefault);
    EXPECT_EQ(p.fakes.LiveOperationObjects(), 0);
}

}  // namespace
}  // namespace zelwiz
