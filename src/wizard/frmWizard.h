#pragma once
// frmWizard: the program's main window, ten pages (steps 0 to 9) and a bar of four navigation
// buttons. Its public members hold the configuration being built; the pages, the detections and
// the unattended start-up write them and SaveSettings reads them.
//
// The procedures live in the files named beside them:
//   frmWizard.cpp        controls, Form_Load, Form_Unload, Form_KeyDown, cmdNav_Click,
//                        SetCurrentActionForNext/Back, SetNavButtons, SetWizardCaption
//   SetStep.cpp          SetStep and the arrival work of each page
//   FieldRules.cpp       the text-field and handset-option handlers
//   Summaries.cpp        ShowCurrentSettings, ShowFinishSettings
//   telephony/Detection.cpp, VoipErrors.cpp, ProviderKeys.cpp, DialingProperties.cpp
//   settings/SaveSettings.cpp

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Form.h"
#include "platform/Registry.h"

namespace zelwiz {

class CRegSettings;
class VoipBoardFinder;

class frmWizard : public Form {
  public:
    frmWizard();
    ~frmWizard() override;

    // --- Public members, in their order of declaration ---
    std::string mvarPRLserverAdd;       // central server; set only by the unattended configuration
    bool mvarbFileIniExist = false;     // the configuration comes from an INI file
    bool mvarbIsWizConfigured = false;  // "IsWizConfigured" was non-zero when the wizard started
    std::string mvarPhoneSetNumber;     // directory number of the physical set
    std::string mvarCSTAIPAdd;          // PBX (CSTA) name or IP address
    std::string mvarIPLANAdd;           // VoIP board name or IP address
    std::string mvarIP_EDN;             // directory number of the multimedia PC set
    bool mvarbIsPhoneSet = false;       // the physical set is chosen
    std::string mvarCCC;                // "ThirdCSTALAN", "ThirdRSPI" or the standard installation
    std::string mvarProfile;            // "0" Basic, "1" Pro, "2" Team, "3" Operator
    std::unique_ptr<CRegSettings> oRegObj;

    // --- Private state, open to the tests that drive the form ---
    std::int16_t iCurrentStep = 0;
    bool bFinishReached = false;
    bool bIPLANAutodetect = true;
    std::int32_t lIPLANBoardCount = 0;
    std::string sAreaCode, sCountry, sLocalAccessCode, sDistanceAccessCode, sPrefixePbx;

    // --- Controls ---
    Frame* picNav;                // the navigation bar
    ControlArray<Frame> fraStep;  // pages 0..9
    ControlArray<Image> imgStep;  // one picture per page
    ControlArray<Label>
        lblStep;  // 0 welcome, 1 handset, 2 VoIP address, 3 PBX address,
                  // 4 VoIP not reachable, 5 congratulations, 6 PBX not valid, 7 page 5
    ControlArray<CommandButton> cmdNav;        // 1 Cancel, 2 Back, 3 Next, 4 Finish
    Label* lbIntro;                            // page 0: summary of the stored configuration
    Label* Profile;                            // page 1
    ControlArray<OptionButton> OptionProfile;  // page 1: Basic, Pro, Team, Operator
    Label* Label6;                             // page 2
    TextBox* txtcstaIPadd;
    CommandButton* cmdCstaIpDetect;
    OptionButton* OptIPPhone;  // page 4: multimedia PC set
    OptionButton* Optphonset;  // page 4: physical set
    Label* lbphonesetTitle;    // page 5
    Label* lbphonsetnumber;
    TextBox* txtPhonsetnumber;
    Label* Label3;  // page 6
    TextBox* txtIPLANAdd;
    CommandButton* cmdVoIpDetect;
    Label* DialingProperties;  // page 8
    Label *AreaCode, *Country, *LocalAccessCode, *DistanceAccessCode, *PrefixePbx;
    Label *lbareacode, *lbcountry, *lblocalaccesscode, *lbdistanceaccesscode, *lbprefixepbx;
    CommandButton* cmdDialingProperties;
    Label* lbFinish;  // page 9
    Label* lbfinishsettings;
    Label* lbfinish1;

    // --- Form events and navigation ---
    void cmdNav_Click(std::int16_t index);
    std::int16_t SetCurrentActionForNext(std::int16_t& step);
    std::int16_t SetCurrentActionForBack(std::int16_t& step);
    void SetNavButtons(std::int16_t& step);
    void SetWizardCaption(std::int16_t& step);
    void SetStep(std::int16_t& step, std::int16_t& direction);

    // --- Field entry ---
    void EnableNextIfFilled(TextBox& field);
    void SelectCtrlxText(Control& ctrl);
    void txtcstaIPadd_Change();
    void txtIPLANAdd_Change();
    void txtPhonsetnumber_Change();
    void txtcstaIPadd_GotFocus();
    void txtIPLANAdd_GotFocus();
    void txtPhonsetnumber_GotFocus();
    void OptIPPhone_Click();
    void Optphonset_Click();

    // --- Summaries ---
    void ShowCurrentSettings();
    void ShowFinishSettings();

    // --- Address detection and VoIP errors ---
    void cmdCstaIpDetect_Click();
    void cmdVoIpDetect_Click();
    std::int32_t DetectIPLANBoard(std::string& sAddress);
    std::int32_t DetectIPLANBoardCompat(std::string& sAddress);
    std::string DetectCstaAddress(std::string& sMessage);
    std::string SelectIPLANAddress(std::string& sMessage, VoipBoardFinder* oFinder);
    std::int32_t ShowIPLANError(std::int32_t& errorCode);

    // --- Provider lines and preferred numbers ---
    bool CanWriteRegistry(HKEY hive, const std::string& AppName, const std::string& Section);
    std::string GetUserThenMachineSetting(const std::string& AppName, const std::string& Section,
                                          const std::string& Key, const std::string& Default);
    std::string GetStoredSwitchName();
    std::string GetStoredIPLANAdd();
    std::string GetStoredEdnSet();
    void SaveSwitchName(const std::string& name);
    void SaveProviderIpAddress(const std::string& address);
    void SaveProviderEdnIP(const std::string& number);
    std::string StripProviderPrefix(std::string& line);
    bool IsIPEdnPreferred();
    std::string GetPhoneSetNumber();
    void InitUserProviderKeys();
    void SetPreferredEdnKey(const std::string& keyPath, bool& bIsIP);
    std::string GetLastEdnUsed(HKEY hive, std::string number, bool bIsIP);
    std::string GetLastLastEdnUsed(HKEY hive, std::string number, bool bIsIP);
    void UpdatePreferredEdns(std::string& number, bool& bIsIP);
    bool IsPreferredLineAddress();
    bool GetSwitchInfoExt();

    // --- Dialing properties ---
    void GetTAPIRules();
    void ConfigProvider();
    void cmdDialingProperties_Click();

    // --- Saving ---
    void SaveSettings();
    std::string GetCCC();

  protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_KeyDown(int& keyCode, int shift) override;
};

// The caption the wizard's window carries in the user's language ("#01045#%0 Configuration
// Wizard" translated, the product's short name in it). The program takes it as its application
// title before Main, so that a second copy asks the running one for the window it shows. It
// needs no loaded form; when no translation can be had, the default English text.
std::string WizardTitle();

}  // namespace zelwiz
