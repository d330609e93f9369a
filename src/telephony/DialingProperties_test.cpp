#include <gtest/gtest.h>

#include "support/TelephonyTestPlatform.h"

namespace zelwiz {
namespace {

using TAPIRulesTest = TelephonyTest;

TEST_F(TAPIRulesTest, ConfigProviderShowsTheConfigurationThenReadsWhatTheUserLeft) {
    int pointerWhileOpen = -1;
    fakes.provider.onConfigure = [&] {
        pointerWhileOpen = wiz->MousePointer();
        fakes.dialing.localAccessCode = "9";
    };
    for (std::int32_t device : {4, 0, -1}) {
        fakes.provider.deviceNumber = device;
        wiz->ConfigProvider();
    }
    EXPECT_EQ(fakes.provider.configuredDevices, (std::vector<std::int32_t>{4, 0, 0}))
        << "with no device number the configuration still opens, for device 0";
    EXPECT_EQ(wiz->sLocalAccessCode, "9");
    EXPECT_EQ(pointerWhileOpen, vbHourglass);
    EXPECT_EQ(wiz->MousePointer(), vbDefault);
    EXPECT_EQ(fakes.Created("DialingRulesReader"), 3);
}

TEST_F(TAPIRulesTest, TheConfigureButtonShowsTheNewValuesAndTheLocalCodeAsPrefixOrLogsAFailure) {
    wiz->sPrefixePbx = "7";
    fakes.dialing.localAccessCode = "0";
    fakes.provider.onConfigure = [&] { fakes.dialing.areaCode = "02"; };
    wiz->cmdDialingProperties->Click();
    EXPECT_EQ(wiz->lbareacode->Caption(), "02");
    EXPECT_EQ(wiz->sPrefixePbx, "0") << "the provider's prefix gives way to the local code";
    EXPECT_EQ(wiz->lbprefixepbx->Caption(), "0");

    // A failing configuration is logged (once: the click before logged nothing); the labels
    // follow the members.
    wiz->sAreaCode = "05";
    wiz->sLocalAccessCode = "";
    wiz->sPrefixePbx = "7";
    catalog.Unregister(kCLSID_ProviderConfigurator);
    wiz->cmdDialingProperties->Click();
    EXPECT_EQ(LoggedSources(), (std::vector<std::string>{"frmWizard.cmdDialingProperties_Click"}));
    EXPECT_EQ(wiz->lbareacode->Caption(), "05");
    EXPECT_EQ(wiz->sPrefixePbx, "");
    EXPECT_EQ(wiz->lbprefixepbx->Caption(), "");
    EXPECT_EQ(wiz->MousePointer(), vbDefault);

    wiz->cmdDialingProperties->SetEnabled(false);
    wiz->cmdDialingProperties_Click();
    EXPECT_EQ(LoggedSources().size(), 1u) << "a disabled button does nothing";
}

}  // namespace
}  // namespace zelwiz
