// Modal forms on the Win32 toolkit: the dialing properties opened from the wizard and cancelled,
// the program's End inside a modal form, pictures, and a change of the screen's scale.
#include <cctype>
#include <filesystem>
#include <fstream>

#include "SampleForms.h"
#include "Win32GuiTest.h"
#include "components/RegistryDialingRulesReader.h"
#include "components/RegistryProviderConfigurator.h"
#include "components/frmDialingProperties.h"
#include "platform/Picture.h"
#include "support/WizardTestPlatform.h"

namespace zelwiz::testing {
namespace {

using Win32DialogsTest = Win32GuiTest;

class Win32DialingTest : public Win32GuiTest {
  protected:
    WizardTestPlatform p;
};

TEST_F(Win32DialingTest, DialingPropertiesOpenedFromPageEightAndCancelled) {
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
    p.SetInstall("CCC", "ThirdCSTALAN");  // the physical set's number leads to page 8
    p.SetUser("7316\\ZELWiz\\Settings", "EdnSet", "2000");
    frmWizard& w = p.LoadWizard();
    w.mvarCSTAIPAdd = "10.1.1.1";
    for (int page : {1, 2, 4, 5, 8}) {  // page 2 knows the address; a physical set on page 4
        if (page == 5)
            w.Optphonset->SetValue(true);
        p.Next();
        ASSERT_EQ(w.iCurrentStep, page);
    }
    WindowHandle wizard = Show(w);

    std::string areaCode, areaName, afterTyping;
    bool wizardDisabled = false;
    WhenModal([&](WindowHandle modal) {
        wizardDisabled = !WindowEnabled(wizard);
        auto* form = dynamic_cast<frmDialingProperties*>(toolkit.FormOf(modal));
        ASSERT_NE(form, nullptr);
        areaCode = Text(*form->txtAreaCode);
        areaName = AccessibleName(*form->txtAreaCode);
        Screenshot(modal, "dialing-properties");
        Send('A', kAlt);  // the label's access key: to the area code field
        Send('4');
        Pump();
        afterTyping = form->txtAreaCode->Text();
        Send(kKeyEscape);
    });
    const std::string caption = w.cmdDialingProperties->Caption();  // "C&onfigure..." in English
    Press(std::toupper(static_cast<unsigned char>(caption.at(caption.find('&') + 1))), kAlt);
    EXPECT_TRUE(wizardDisabled) << "the modal form disables its owner";
    EXPECT_EQ(areaCode, "31");
    EXPECT_EQ(areaName, "Area code:");
    EXPECT_EQ(afterTyping, "4") << "the access key selected the field's whole text";
    EXPECT_TRUE(WindowEnabled(wizard));
    EXPECT_EQ(w.sAreaCode, "31") << "cancelled: nothing changed";
    EXPECT_EQ(Text(*w.lbareacode), "31");
    w.Unload();
}

TEST_F(Win32DialogsTest, EndInsideAModalFormStopsEveryLoopAndReachesTheProgramEntry) {
    SampleSelection owner;
    owner.Load();
    owner.lstIPAdds->AddItem("10.0.0.1");
    Show(owner);
    SampleSelection dialog;
    dialog.Load();
    dialog.lstIPAdds->AddItem("10.0.0.2");
    dialog.cmdOk->OnClick = [] { End(3); };
    bool returned = false;
    owner.cmdOk->OnClick = [&] {
        dialog.Show(true);
        returned = true;
    };
    WhenModal([](WindowHandle) { Send(kKeyReturn); });  // OK is the dialog's default button
    Press(kKeyReturn);
    EXPECT_FALSE(returned) << "the program ends inside the modal show";
    try {
        toolkit.Run();
        ADD_FAILURE() << "Run returned";
    } catch (const ProgramEnd& end) {
        EXPECT_EQ(end.exitCode, 3);
    }
    EXPECT_TRUE(WindowEnabled(toolkit.HandleOf(owner))) << "the owner comes back";
}

TEST_F(Win32DialogsTest, PicturesAreBitmapFilesAndNothingElse) {
    const auto folder = std::filesystem::temp_directory_path() / "zelwiz-win32-pictures";
    std::filesystem::create_directories(folder);
    // A 2 x 1 bitmap of 24 bits, and files that only claim to be one.
    const unsigned char bmp[] = {'B', 'M', 62, 0, 0, 0, 0,   0, 0, 0, 54,  0, 0,  0, 40, 0,
                                 0,   0,   2,  0, 0, 0, 1,   0, 0, 0, 1,   0, 24, 0, 0,  0,
                                 0,   0,   8,  0, 0, 0, 0,   0, 0, 0, 0,   0, 0,  0, 0,  0,
                                 0,   0,   0,  0, 0, 0, 255, 0, 0, 0, 255, 0, 0,  0};
    for (const auto& [name, size] : {std::pair{"AWindow.bmp", sizeof bmp}, {"damaged.bmp", 30}})
        std::ofstream((folder / name).string(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bmp), static_cast<std::streamsize>(size));
    std::ofstream((folder / "notes.bmp").string()) << "not a picture";

    auto picture = toolkit.LoadPicture((folder / "AWindow.bmp").string());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(std::pair(picture->Width(), picture->Height()), std::pair(2, 1));
    for (const char* bad : {"damaged.bmp", "notes.bmp", "missing.bmp"})
        EXPECT_EQ(toolkit.LoadPicture((folder / bad).string()), nullptr) << bad;
    std::filesystem::remove_all(folder);
}

TEST_F(Win32DialogsTest, ANewScaleResizesTheWindowItsControlsAndItsFont) {
    SampleSelection dialog;
    dialog.Load();
    dialog.lbIPAddsMsg->SetCaption("Please select an address and click OK to continue.");
    dialog.lstIPAdds->AddItem("10.0.0.1");
    WindowHandle window = Show(dialog);
    const auto before = SizeOf(toolkit.HandleOf(*dialog.cmdOk));
    const int fontBefore = FontHeight(toolkit.HandleOf(*dialog.cmdOk));
    ChangeScale(window, 144);
    const auto after = SizeOf(toolkit.HandleOf(*dialog.cmdOk));
    EXPECT_NEAR(after.first, before.first * 3 / 2, 2);
    EXPECT_NEAR(FontHeight(toolkit.HandleOf(*dialog.cmdOk)), fontBefore * 3 / 2, 2);
    Screenshot(window, "selection-dialog-150-percent");
    dialog.Unload();
}

}  // namespace
}  // namespace zelwiz::testing
