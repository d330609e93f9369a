// The controls of frmWizard with their design-time texts, in page order (the tab order), and the
// wiring of their events to the form's handlers.
#include "platform/Form.h"
#include "settings/CRegSettings.h"
#include "wizard/frmWizard.h"

namespace zelwiz {

frmWizard::frmWizard() : Form("frmWizard") {
    SetKeyPreview(true);
    SetCaption("#01045#%0 Configuration Wizard");

    static const char* const kPageNames[10] = {
        "Introduction Screen", "Profile",     "Warning_CSTAIP_not_found", "Warning_CSTAIP_Manual",
        "ChooseMedia",         "ChooseMedia", "Warning_IPLAN_not_found",  "Warning_IPLAN_Manual",
        "Dialing Properties",  "Finished!"};
    for (int i = 0; i < 10; ++i) {
        Frame& page = AddTo(fraStep, "fraStep", i);
        page.SetCaption(kPageNames[i]);
        AddTo(imgStep, "imgStep", i, &page);
    }
    auto label = [&](const char* name, int page, const char* caption) {
        Label& l = Add<Label>(name, &fraStep(page));
        l.SetCaption(caption);
        return &l;
    };
    auto stepLabel = [&](int index, int page, const char* caption) {
        AddTo(lblStep, "lblStep", index, &fraStep(page)).SetCaption(caption);
    };

    // Page 0: welcome.
    stepLabel(0, 0, "");
    lbIntro = label("lbIntro", 0, "");

    // Page 1: application profile.
    Profile = label("Profile", 1, "#01049#Select your application profile :");
    static const char* const kProfiles[4] = {"Basic", "Pro", "Team", "Operator"};
    for (int i = 0; i < 4; ++i)
        AddTo(OptionProfile, "OptionProfile", i, &fraStep(1)).SetCaption(kProfiles[i]);

    // Page 2: PBX address.
    stepLabel(3, 2, "#01008# Please enter this IP address or name.");
    Label6 = label("Label6", 2, "#01009#Veranex (or JV board) IP address or name");
    txtcstaIPadd = &Add<TextBox>("txtcstaIPadd", &fraStep(2));
    cmdCstaIpDetect = &Add<CommandButton>("cmdCstaIpDetect", &fraStep(2));
    cmdCstaIpDetect->SetCaption("#01055#&Detect");

    // Page 3: PBX address not valid.
    stepLabel(6, 3,
              "#01010#The Wizard failed to connect to the PBX. This PBX name or IP address is not "
              "valid.");

    // Page 4: handset.
    stepLabel(1, 4, "");
    OptIPPhone = &Add<OptionButton>("OptIPPhone", &fraStep(4));
    OptIPPhone->SetCaption("#01004#I want to use a Multimedia Pc based Set");
    Optphonset = &Add<OptionButton>("Optphonset", &fraStep(4));
    Optphonset->SetCaption("#01002#I want to use a physical set");

    // Page 5: phone set number.
    lbphonesetTitle = label("lbphonesetTitle", 5, "#01003#Enter your phone number :");
    lbphonsetnumber = label("lbphonsetnumber", 5, "#01003#Enter your phone number :");
    txtPhonsetnumber = &Add<TextBox>("txtPhonsetnumber", &fraStep(5));
    stepLabel(7, 5, "");

    // Page 6: VoIP board address.
    stepLabel(2, 6, "#01005# Please enter the VoIP board name or IP address.");
    Label3 = label("Label3", 6, "#01006#IPLAN board name or address");
    txtIPLANAdd = &Add<TextBox>("txtIPLANAdd", &fraStep(6));
    cmdVoIpDetect = &Add<CommandButton>("cmdVoIpDetect", &fraStep(6));
    cmdVoIpDetect->SetCaption("#01055#&Detect");

    // Page 7: VoIP board not reachable.
    stepLabel(4, 7,
              "#01007#The Wizard failed to connect to VoIP board. This IP address is not valid.");

    // Page 8: dialing properties.
    DialingProperties = label(
        "DialingProperties", 8,
        "#01054#&The window displays the Dialing properties. Please verify the following fields :");
    AreaCode = label("AreaCode", 8, "#01050#Area Code : ");
    lbareacode = label("lbareacode", 8, "");
    Country = label("Country", 8, "#01051#Country : ");
    lbcountry = label("lbcountry", 8, "");
    LocalAccessCode = label("LocalAccessCode", 8, "#01052#Local Access Code : ");
    lblocalaccesscode = label("lblocalaccesscode", 8, "");
    DistanceAccessCode = label("DistanceAccessCode", 8, "#01053#Long Distance Access Code : ");
    lbdistanceaccesscode = label("lbdistanceaccesscode", 8, "");
    PrefixePbx = label("PrefixePbx", 8, "#01057#Pbx Prefixe : ");
    lbprefixepbx = label("lbprefixepbx", 8, "");
    cmdDialingProperties = &Add<CommandButton>("cmdDialingProperties", &fraStep(8));
    cmdDialingProperties->SetCaption("#01056#&Configure...");

    // Page 9: finish.
    stepLabel(5, 9, "#01011#Congratulations");
    lbFinish = label("lbFinish", 9, "");
    lbfinishsettings = label("lbfinishsettings", 9, "");
    lbfinish1 = label("lbfinish1", 9, "#01013#To save these settings, click Finish.");

    // The navigation bar.
    picNav = &Add<Frame>("picNav");
    static const char* const kNav[5] = {"", "#01014#Cancel", "#01015#&Back", "#01016#&Next >",
                                        "#01017#&Finish"};
    for (std::int16_t i = 1; i <= 4; ++i) {
        CommandButton& b = AddTo(cmdNav, "cmdNav", i, picNav);
        b.SetCaption(kNav[i]);
        b.OnClick = [this, i] { cmdNav_Click(i); };
    }

    // Events.
    txtcstaIPadd->OnChange = [this] { txtcstaIPadd_Change(); };
    txtIPLANAdd->OnChange = [this] { txtIPLANAdd_Change(); };
    txtPhonsetnumber->OnChange = [this] { txtPhonsetnumber_Change(); };
    txtcstaIPadd->GotFocus = [this] { txtcstaIPadd_GotFocus(); };
    txtIPLANAdd->GotFocus = [this] { txtIPLANAdd_GotFocus(); };
    txtPhonsetnumber->GotFocus = [this] { txtPhonsetnumber_GotFocus(); };
    OptIPPhone->OnClick = [this] { OptIPPhone_Click(); };
    Optphonset->OnClick = [this] { Optphonset_Click(); };
    cmdCstaIpDetect->OnClick = [this] { cmdCstaIpDetect_Click(); };
    cmdVoIpDetect->OnClick = [this] { cmdVoIpDetect_Click(); };
    cmdDialingProperties->OnClick = [this] { cmdDialingProperties_Click(); };
}

frmWizard::~frmWizard() = default;

}  // namespace zelwiz
