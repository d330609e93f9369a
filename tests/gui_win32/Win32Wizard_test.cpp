// The program's wizard on the Win32 toolkit, driven with the keyboard alone through the system's
// input queue; the windows and the registry are read back afterwards.
#include <cctype>

#include "Win32GuiTest.h"
#include "components/RegistryDialingRulesReader.h"
#include "components/RegistryProviderConfigurator.h"
#include "components/frmDialingProperties.h"
#include "support/WizardTestPlatform.h"
#include "telephony/frmEditSettings.h"

namespace zelwiz::testing {
namespace {

class Win32WizardTest : public Win32GuiTest {
  protected:
    // The page the window shows: the one page container that is visible; -1 for none or many.
    int ShownStep(const frmWizard& w) const {
        int shown = -1;
        for (int step = 0; step < 10; ++step) {
            if (Shown(w.fraStep(step)))
                shown = shown == -1 ? step : -2;
        }
        return shown;
    }
    std::optional<std::string> User(const std::string& path, const std::string& name) {
        return p.Raw(HKEY_CURRENT_USER, "Software\\Korvane\\" + path, name);
    }

    WizardTestPlatform p;  // installed before Win32GuiTest::SetUp puts the Win32 toolkit in
};

TEST_F(Win32WizardTest, TypicalPathToFinishByKeyboardWithScreenshotOfEachPage) {
    p.fakes.voip.ednText = "7001";
    // This build's dialing components on the registry, in place of the recording fakes.
    p.catalog.Register(kCLSID_DialingRulesReader, []() -> IDispatchObject* {
        return new RegistryDialingRulesReader(TheRegistry());
    });
    p.catalog.Register(kCLSID_ProviderConfigurator, []() -> IDispatchObject* {
        return new RegistryProviderConfigurator(TheRegistry(), {});
    });
    const std::string location =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations\\Location1";
    p.SetDword(HKEY_LOCAL_MACHINE, location, "ID", 1);
    p.SetText(HKEY_LOCAL_MACHINE, location, "AreaCode", "31");
    p.SetDword(HKEY_LOCAL_MACHINE, location, "Country", 33);
    p.SetText(HKEY_LOCAL_MACHINE, location, "OutsideAccess", "0");
    p.SetText(HKEY_LOCAL_MACHINE, location, "LongDistanceAccess", "00");
    frmWizard& w = p.LoadWizard();
    WindowHandle window = Show(w);
    auto shot = [&] { Screenshot(window, "wizard-page-" + std::to_string(w.iCurrentStep)); };
    auto shotThenEnter = [&] {
        shot();
        Press(kKeyReturn);
    };

    EXPECT_EQ(ShownStep(w), 0);
    EXPECT_FALSE(Enabled(HandleOf(w.cmdNav(2)))) << "no Back on the welcome page";
    shotThenEnter();
    ASSERT_EQ(ShownStep(w), 1);
    shotThenEnter();  // the stored profile stays chosen

    ASSERT_EQ(ShownStep(w), 2);
    EXPECT_TRUE(Focused(*w.txtcstaIPadd));
    EXPECT_EQ(AccessibleName(*w.txtcstaIPadd), "Veranex (or JV board) IP address or name")
        << "a field is read out by its label";
    Type("10.1.1.1");
    shotThenEnter();  // Enter reaches the form's Next, not the field

    ASSERT_EQ(ShownStep(w), 4);
    // The arrows move the choice inside the option group, as a click would.
    ASSERT_TRUE(w.Optphonset->Value()) << "the physical set is proposed";
    Press(kKeyUp);
    EXPECT_TRUE(w.OptIPPhone->Value());
    Press(kKeyDown);
    EXPECT_TRUE(w.Optphonset->Value() && Checked(*w.Optphonset) && !Checked(*w.OptIPPhone));
    shotThenEnter();

    ASSERT_EQ(ShownStep(w), 5);
    EXPECT_TRUE(Focused(*w.txtPhonsetnumber));
    Type("2000");
    shotThenEnter();

    ASSERT_EQ(ShownStep(w), 6);
    EXPECT_TRUE(Focused(*w.txtIPLANAdd));
    Type("10.2.2.2");
    shotThenEnter();  // the board answers: on to the dialing properties

    ASSERT_EQ(ShownStep(w), 8);
    EXPECT_EQ(Text(*w.lbareacode), "31");
    shot();

    // The Configure button's access key opens the dialing properties; Escape cancels them.
    bool opened = false;
    WhenModal([&](WindowHandle modal) {
        opened = true;
        EXPECT_FALSE(Enabled(window)) << "the modal form disables its owner";
        auto* form = dynamic_cast<frmDialingProperties*>(toolkit.FormOf(modal));
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(Text(*form->txtAreaCode), "31");
        EXPECT_EQ(AccessibleName(*form->txtAreaCode), "Area code:");
        Screenshot(modal, "dialing-properties");
        Send('A', kAlt);  // the label's access key: to the area code field
        Send('4');
        Pump();
        EXPECT_EQ(form->txtAreaCode->Text(), "4")
            << "the access key selected the field's whole text";
        Send(kKeyEscape);
    });
    const std::string caption = w.cmdDialingProperties->Caption();  // "C&onfigure..." in English
    Press(std::toupper(static_cast<unsigned char>(caption.at(caption.find('&') + 1))), kAlt);
    EXPECT_TRUE(opened && Enabled(window)) << "opened, and the wizard enabled again after";
    EXPECT_EQ(w.sAreaCode, "31") << "cancelled: nothing changed";
    EXPECT_EQ(Text(*w.lbareacode), "31");
    Press(kKeyReturn);
    ASSERT_EQ(ShownStep(w), 9);
    EXPECT_FALSE(Enabled(HandleOf(w.cmdNav(3))));
    shot();

    // Finish (Enter: Next is disabled on the last page). The line check fails with the fakes,
    // so the wizard asks for a restart before it closes: the box is answered with Enter.
    MessageBoxSeen box;
    WhenModal([&](WindowHandle modal) {
        box = ReadMessageBox(modal);
        Screenshot(modal, "wizard-restart-message");
        Send(kKeyReturn);
    });
    Press(kKeyReturn);
    EXPECT_TRUE(box.exclamation && box.buttons == 1);
    EXPECT_EQ(box.owner, window) << "the box is owned by the wizard";
    EXPECT_NE(box.text.find("restart"), std::string::npos) << box.text;
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(toolkit.HandleOf(w), nullptr);
    EXPECT_EQ(User("7316\\Install", "IsWizConfigured"), std::string("-1", 3));
    EXPECT_EQ(User("TSpi_CSTA", "SwitchName"), std::string("10.1.1.1", 9));
    EXPECT_TRUE(p.Log().empty());
}

// The pages the typical path does not show are pictured on the way.
TEST_F(Win32WizardTest, EscapeInAFieldCancelsWithoutSaving) {
    frmWizard& w = p.LoadWizard();
    WindowHandle window = Show(w);
    for (std::int16_t step : {3, 7, 0}) {
        std::int16_t byBack = 1;
        w.SetStep(step, byBack);
        Pump();
        EXPECT_EQ(ShownStep(w), step);
        if (step != 0)
            Screenshot(window, "wizard-page-" + std::to_string(step));
    }
    Press(kKeyReturn);
    Press(kKeyReturn);
    ASSERT_TRUE(Focused(*w.txtcstaIPadd));
    Type("10.9.9.9");
    Press(kKeyEscape);
    EXPECT_EQ(toolkit.HandleOf(w), nullptr);
    EXPECT_EQ(User("TSpi_CSTA", "SwitchName"), std::nullopt);
}

TEST_F(Win32WizardTest, AltWithEachButtonsAccessKeyAndTheSelectionDialogRescaledByArrowsAndEnter) {
    p.SetConfigured();  // Finish is enabled from page 1 on
    p.fakes.pbx.addresses = {"10.1.0.10", "10.1.0.11", "pbx-north.example"};
    frmWizard& w = p.LoadWizard();
    Show(w);
    for (auto [key, step] : {std::pair{'N', 1}, {'N', 2}, {'B', 1}, {'N', 2}}) {  // &Next >, &Back
        Press(key, kAlt);
        ASSERT_EQ(ShownStep(w), step);
    }

    // &Detect: the PBXs found are offered in the selection dialog; the arrows choose, Enter
    // takes the choice. The wizard shows the hourglass meanwhile, and the pointer comes back.
    WhenModal([&](WindowHandle modal) {
        const frmEditSettings& dialog = frmEditSettings::Instance();
        EXPECT_EQ(SelectedRow(*dialog.lstIPAdds), 0)
            << "the dialog opens with the first address selected";
        EXPECT_FALSE(Enabled(toolkit.HandleOf(w))) << "the modal dialog disables the wizard";
        Screenshot(modal, "selection-dialog");
        // A new scale of the screen, as on another monitor, resizes its controls and their font.
        WindowHandle ok = HandleOf(*dialog.cmdOk);
        const int width = Width(ok), font = FontHeight(ok);
        ChangeScale(modal, 144);
        EXPECT_NEAR(Width(ok), width * 3 / 2, 2);
        EXPECT_NEAR(FontHeight(ok), font * 3 / 2, 2);
        Screenshot(modal, "selection-dialog-150-percent");
        Send(kKeyDown);
        Send(kKeyReturn);
    });
    Press('D', kAlt);
    EXPECT_EQ(Text(*w.txtcstaIPadd), "10.1.0.11");
    EXPECT_EQ(w.MousePointer(), vbDefault);

    Press('F', kAlt);  // &Finish takes the page's address over and closes
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(w.mvarCSTAIPAdd, "10.1.0.11");
}

}  // namespace
}  // namespace zelwiz::testing
