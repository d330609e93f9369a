#include "SampleForms.h"

#include <algorithm>

#include "platform/Picture.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"

namespace zelwiz::testing {

SampleSelection::SampleSelection() : Form("frmEditSettings") {
    lbIPAddsMsg = &Add<Label>("lbIPAddsMsg");
    lstIPAdds = &Add<ListView>("lstIPAdds");
    cmdOk = &Add<CommandButton>("cmdOk");
    cmdCancel = &Add<CommandButton>("cmdCancel");
    cmdOk->SetCaption("&OK");
    cmdCancel->SetCaption("&Cancel");
    cmdOk->OnClick = [this] {
        sSelectedIPAdd = lstIPAdds->SelectedText();
        Unload();
    };
    cmdCancel->OnClick = [this] {
        bUnload = true;
        Unload();
    };
}

void SampleSelection::Form_Load() {
    for (const auto& control : Controls()) {
        if (control->HasFont())
            control->SetFontCharset(238);
    }
    bUnload = false;
    sSelectedIPAdd.clear();
    SetCaption("PBX selection");
}

namespace {
constexpr const char* kPageNames[] = {
    "Introduction Screen", "Profile",     "Warning_CSTAIP_not_found", "Warning_CSTAIP_Manual",
    "ChooseMedia",         "ChooseMedia", "Warning_IPLAN_not_found",  "Warning_IPLAN_Manual",
    "Dialing Properties",  "Finished!"};
}  // namespace

SampleWizard::SampleWizard() : Form("frmWizard") {
    SetKeyPreview(true);
    for (int i = 0; i < 10; ++i) {
        Frame& page = AddTo(fraStep, "fraStep", i);
        page.SetCaption(kPageNames[i]);
        AddTo(imgStep, "imgStep", i, &page);
    }
    Label& welcome = AddTo(lblStep, "lblStep", 0, &fraStep(0));
    welcome.SetCaption(
        "Welcome to the Parlova Configuration Wizard program. This Program will help you to "
        "configure Parlova. You can use this Wizard to set up a new or an existing configuration.");
    Add<Label>("lbIntro", &fraStep(0))
        .SetCaption("Current configuration:\n  PBX: pbx-main\n  Handset: physical set 4711");

    Add<Label>("Profile", &fraStep(1)).SetCaption("Select your application profile : ");
    const char* profiles[] = {"Basic", "Pro", "Team", "Operator"};
    for (int i = 0; i < 4; ++i)
        AddTo(OptionProfile, "OptionProfile", i, &fraStep(1)).SetCaption(profiles[i]);

    AddTo(lblStep, "lblStep", 3, &fraStep(2)).SetCaption(" Please enter this IP address or name.");
    Add<Label>("Label6", &fraStep(2)).SetCaption("Veranex (or JV board) IP address or name");
    txtcstaIPadd = &Add<TextBox>("txtcstaIPadd", &fraStep(2));
    cmdCstaIpDetect = &Add<CommandButton>("cmdCstaIpDetect", &fraStep(2));
    cmdCstaIpDetect->SetCaption("&Detect");

    AddTo(lblStep, "lblStep", 6, &fraStep(3))
        .SetCaption(
            "The Wizard failed to connect to the PBX. This PBX name or IP address is not "
            "valid.");

    AddTo(lblStep, "lblStep", 1, &fraStep(4))
        .SetCaption(
            "After completing this window, the Wizard will automatically set all Parlova "
            "parameters. Please specify the type of handset you would like to use and "
            "click Next.");
    OptIPPhone = &Add<OptionButton>("OptIPPhone", &fraStep(4));
    OptIPPhone->SetCaption("I want to use a &Multimedia Pc based Set");
    Optphonset = &Add<OptionButton>("Optphonset", &fraStep(4));
    Optphonset->SetCaption("I want to use a &physical set");

    Add<Label>("lbphonesetTitle", &fraStep(5))
        .SetCaption("Please specify the phone set number to be used by the application. ");
    Add<Label>("lbphonsetnumber", &fraStep(5)).SetCaption("Enter your phone &number :");
    txtPhonsetnumber = &Add<TextBox>("txtPhonsetnumber", &fraStep(5));

    AddTo(lblStep, "lblStep", 2, &fraStep(6))
        .SetCaption(" Please enter the VoIP board name or IP address.");
    AddTo(lblStep, "lblStep", 4, &fraStep(7))
        .SetCaption("The Wizard failed to connect to VoIP board. This IP address is not valid.");
    Add<Label>("DialingProperties", &fraStep(8))
        .SetCaption("The window displays the Dialing properties. Please verify the following :");
    const char* dialing[][2] = {{"AreaCode", "Area Code : "},
                                {"Country", "Country : "},
                                {"LocalAccessCode", "Local Access Code : "},
                                {"DistanceAccessCode", "Long Distance Access Code : "},
                                {"PrefixePbx", "PBX Prefixe : "}};
    for (const auto& [name, caption] : dialing) {
        Add<Label>(name, &fraStep(8)).SetCaption(caption);
        dialingValues.push_back(&Add<Label>(std::string("lb") + name, &fraStep(8)));
    }
    Add<CommandButton>("cmdDialingProperties", &fraStep(8)).SetCaption("&Configure...");
    AddTo(lblStep, "lblStep", 5, &fraStep(9)).SetCaption("Congratulations");
    Add<Label>("lbfinish1", &fraStep(9)).SetCaption("To save these settings, click Finish.");

    Frame& picNav = Add<Frame>("picNav");
    const char* nav[] = {"", "Cancel", "&Back", "&Next >", "&Finish"};
    for (int i = 1; i <= 4; ++i) {
        CommandButton& button = AddTo(cmdNav, "cmdNav", i, &picNav);
        button.SetCaption(nav[i]);
        button.OnClick = [this, i] { cmdNav_Click(i); };
    }

    txtcstaIPadd->OnChange = [this] { EnableNextIfFilled(*txtcstaIPadd); };
    for (TextBox* field : {txtcstaIPadd, txtPhonsetnumber}) {
        field->GotFocus = [this, field] {
            events.push_back("GotFocus " + field->Name());
            field->SetSelection(0, static_cast<int>(field->Text().size()));
        };
    }
    OptIPPhone->OnClick = [this] { events.push_back("OptIPPhone_Click"); };
    cmdCstaIpDetect->OnClick = [this] {
        SampleSelection dialog;
        dialog.Load();
        dialog.lbIPAddsMsg->SetCaption(
            "The Wizard has found several PBX IP Addresses. Please select an IP address and click "
            "OK to continue.");
        for (const auto& address : detected)
            dialog.lstIPAdds->AddItem(address);
        dialog.Show(true);
        if (!dialog.bUnload && !dialog.sSelectedIPAdd.empty())
            txtcstaIPadd->SetText(dialog.sSelectedIPAdd);
        events.push_back("detected " + dialog.sSelectedIPAdd);
    };
}

void SampleWizard::Form_Load() {
    if (!pictureFile.empty()) {
        if (auto picture = TheToolkit().LoadPicture(pictureFile))
            imgStep(0).SetPicture(picture);
    }
    SetCaption("Parlova Configuration Wizard");
    for (int i = 0; i < 10; ++i)
        fraStep(i).SetLeft(-10000);
    SetStep(0);
}

void SampleWizard::Form_KeyDown(int& keyCode, int shift) {
    (void)shift;
    if (keyCode == vbKeyReturn) {
        if (cmdNav(3).Enabled()) {
            cmdNav_Click(3);
            keyCode = 0;
        } else if (cmdNav(4).Enabled()) {
            cmdNav_Click(4);
            keyCode = 0;
        }
    } else if (keyCode == vbKeyEscape) {
        cmdNav_Click(1);
        keyCode = 0;
    }
}

void SampleWizard::cmdNav_Click(int index) {
    events.push_back("cmdNav_Click " + std::to_string(index));
    switch (index) {
        case 1:
            Unload();
            break;
        case 2:
        case 3: {
            const int t = iCurrentStep + (index == 3 ? 1 : -1);
            imgStep(t).SetPicture(imgStep(0).GetPicture());
            SetStep(t);
            break;
        }
        case 4:
            saved = true;
            Unload();
            break;
        default:
            break;
    }
}

void SampleWizard::SetStep(int step) {
    fraStep(iCurrentStep).SetEnabled(false);
    fraStep(step).SetLeft(0);
    if (step != iCurrentStep)
        fraStep(iCurrentStep).SetLeft(-10000);
    fraStep(step).SetEnabled(true);
    iCurrentStep = step;
    cmdNav(2).SetEnabled(step > 1);
    cmdNav(3).SetEnabled(step < 9);
    cmdNav(4).SetEnabled(step == 9);
    if (step == 8) {
        const char* values[] = {"69", "Germany (49)", "0", "0", ""};
        for (size_t i = 0; i < dialingValues.size(); ++i)
            dialingValues[i]->SetCaption(values[i]);
    }
    if (step == 2) {
        EnableNextIfFilled(*txtcstaIPadd);
        if (IsShown())
            txtcstaIPadd->SetFocus();
    }
}

void SampleWizard::EnableNextIfFilled(TextBox& field) {
    const auto& text = field.Text();
    const bool blank = std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
    cmdNav(3).SetEnabled(!blank);
}

}  // namespace zelwiz::testing
