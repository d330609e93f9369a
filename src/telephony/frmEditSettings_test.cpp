#include "telephony/frmEditSettings.h"

#include <gtest/gtest.h>

#include "support/TelephonyTestPlatform.h"

namespace zelwiz {
namespace {

class EditSettingsTest : public TelephonyTest {
  protected:
    // Fills the dialog as a detection does, shows it with `act` as the user's answer, and
    // unloads it; the answers are read after the dialog unloaded itself.
    void Use(const std::vector<std::string>& addresses, std::function<void(frmEditSettings&)> act) {
        frmEditSettings& dialog = frmEditSettings::Default();
        for (const auto& a : addresses)
            dialog.lstIPAdds->AddItem(a);
        toolkit.modalAnswers.push_back(
            [act](Form& form) { act(static_cast<frmEditSettings&>(form)); });
        dialog.ShowModal();
        EXPECT_FALSE(frmEditSettings::Instance().IsLoaded()) << "the dialog closed itself";
        cancelled = frmEditSettings::Instance().bIsUnload();
        chosen = frmEditSettings::Instance().GetSelectedIPAdd();
        frmEditSettings::Instance().Unload();
    }
    bool cancelled = false;
    std::string chosen;
};

TEST_F(EditSettingsTest, TheAnswersSurviveTheDialog) {
    struct Case {
        const char* what;
        std::function<void(frmEditSettings&)> act;
        bool cancelled;
        std::string chosen;
    };
    const Case cases[] = {
        {"OK with the second address",
         [](frmEditSettings& d) {
             d.lstIPAdds->SetSelectedIndex(1);
             d.cmdOk->Click();
         },
         false, "10.0.0.2"},
        {"OK at once takes the first address", [](frmEditSettings& d) { d.cmdOk->Click(); }, false,
         "10.0.0.1"},
        {"Cancel", [](frmEditSettings& d) { d.cmdCancel->Click(); }, true, ""},
        {"closed by other means", [](frmEditSettings&) {}, false, ""},
    };
    for (const auto& c : cases) {
        Use({"10.0.0.1", "10.0.0.2", "10.0.0.3"}, c.act);
        EXPECT_EQ(cancelled, c.cancelled) << c.what;
        EXPECT_EQ(chosen, c.chosen) << c.what;
    }
}

TEST_F(EditSettingsTest, OkIsOffWhenThereIsNothingToChoose) {
    bool okEnabled = true;
    Use({}, [&](frmEditSettings& d) {
        okEnabled = d.cmdOk->Enabled();
        d.cmdOk->Click();
    });
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(chosen, "");
}

}  // namespace
}  // namespace zelwiz
