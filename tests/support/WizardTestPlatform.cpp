#include "support/WizardTestPlatform.h"

#include <gtest/gtest.h>

#include "components/translator/RegisterTextTranslator.h"
#include "environment/Translation.h"
#include "telephony/ProviderHive.h"
#include "telephony/frmEditSettings.h"

namespace zelwiz {

WizardTestPlatform::WizardTestPlatform() {
    ResetWizardModules();
    fakes.Register(catalog);
    RegisterTextTranslator(catalog);  // the real one in place of the fake
    InstallPlatform(Platform{&registry, &shell, &toolkit, &catalog});

    SetInstall("7316Name", "Korvane Parlova");
    SetInstall("Version", "4.0");
    SetInstall("Build", "1234");
    SetDword(HKEY_LOCAL_MACHINE,
             "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations", "CurrentID", 1);
    fakes.dialing = {"01", "0", "00", "33"};
}

WizardTestPlatform::~WizardTestPlatform() {
    if (wizard)
        wizard->Unload();
    wizard.reset();
    ResetWizardModules();
}

void WizardTestPlatform::ResetWizardModules() {
    gTextTranslator().Reset();
    bVoipSelection = true;
    bAllUsers = false;
    if (frmEditSettings::Instance().IsLoaded())
        frmEditSettings::Instance().Unload();
}

void WizardTestPlatform::SetInstall(const std::string& name, const std::string& value) {
    SetText(HKEY_LOCAL_MACHINE, "Software\\Korvane\\7316\\Install", name, value);
}

void WizardTestPlatform::SetUser(const std::string& path, const std::string& name,
                                 const std::string& value) {
    SetText(HKEY_CURRENT_USER, "Software\\Korvane\\" + path, name, value);
}

void WizardTestPlatform::SetConfigured() {
    SetUser("7316\\Install", "IsWizConfigured", "-1");
}

frmWizard& WizardTestPlatform::LoadWizard() {
    wizard = std::make_unique<frmWizard>();
    wizard->Show();
    return *wizard;
}

void WizardTestPlatform::AnswerSelection(int index) {
    toolkit.modalAnswers.push_back([index](Form& form) {
        auto& dialog = static_cast<frmEditSettings&>(form);
        dialog.lstIPAdds->SetSelectedIndex(index);
        dialog.cmdOk->Click();
    });
}

void ExpectFront(const frmWizard& w, int step, NavState buttons) {
    EXPECT_EQ(w.iCurrentStep, step);
    for (int i = 0; i <= 9; ++i)
        EXPECT_EQ(w.fraStep(i).Left(), i == step ? 0 : -10000) << "page " << i;
    EXPECT_TRUE(w.fraStep(step).Enabled()) << "page " << step;
    EXPECT_EQ(w.cmdNav(2).Enabled(), buttons.back) << "Back on page " << step;
    EXPECT_EQ(w.cmdNav(3).Enabled(), buttons.next) << "Next on page " << step;
    EXPECT_EQ(w.cmdNav(4).Enabled(), buttons.finish) << "Finish on page " << step;
    EXPECT_TRUE(w.cmdNav(1).Enabled());
}

void ExpectOneLogLine(const WizardTestPlatform& p, const std::string& source,
                      const std::string& error) {
    const auto log = p.Log();
    ASSERT_EQ(log.size(), 1u);
    ASSERT_EQ(log[0].size(), 5u);
    const std::string where = "Err: Parlova." + p.wizard->Caption() + " - " + source + " line ";
    EXPECT_EQ(log[0][1].rfind(where, 0), 0u) << log[0][1];
    EXPECT_EQ(log[0][2], "-");
    EXPECT_EQ(log[0][3], error);
    EXPECT_EQ(log[0][4], "-");
}

}  // namespace zelwiz
