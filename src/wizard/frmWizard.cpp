// frmWizard: the form's life (load and unload), the navigation buttons and
// keys, the choice of the step that follows on Next and on Back, the enabling
// of the buttons, and the caption.
#include "wizard/frmWizard.h"

#include <vector>

#include "environment/Translation.h"
#include "environment/localize.h"
#include "environment/mCustom.h"
#include "environment/mCustomIcon.h"
#include "environment/mLogError.h"
#include "platform/ComponentCatalog.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "settings/CRegSettings.h"
#include "telephony/frmEditSettings.h"

namespace zelwiz {
namespace {

constexpr char kTitle[] = "#01045#%0 Configuration Wizard";

// A localized string in the user's language with each of its `count`
// placeholders replaced by the product's short name.
std::string TranslateWithProductName(const std::string& localized, size_t count) {
    return ReplaceParams(Translate(localized), std::vector<std::string>(count, g7316ShortName));
}

bool IsThirdParty(const std::string& ccc) {
    return ccc == "ThirdRSPI" || ccc == "ThirdCSTALAN";
}

}  // namespace

std::string WizardTitle() {
    std::string title = "%0 Configuration Wizard";  // the default text of kTitle
    OnErrorExit(
        [&] {
            // A translator of its own: the shared one comes with the form.
            ComPtr<TextTranslator> translator =
                CreateComponent<TextTranslator>(kCLSID_TextTranslator);
            std::string localized = kTitle, translated;
            CheckHr(translator->Translate(localized, &translated));
            title = translated;
        },
        {});
    return ReplaceParams(title, {g7316ShortName});
}

void frmWizard::Form_Load() {
    // No error trap: a failure reaches whoever loaded the form.
    LoadCharset();
    SetFormCharset(*this);
    ReadProductNames();
    if (auto picture = CustomizationReadImage("AWindow.bmp", ""))
        imgStep(0).SetPicture(std::move(picture));
    bVoipSelection = true;

    bFinishReached = false;
    mvarbIsPhoneSet = false;
    mvarCSTAIPAdd.clear();
    mvarPhoneSetNumber.clear();
    mvarIPLANAdd.clear();
    mvarIP_EDN.clear();
    lIPLANBoardCount = 0;
    bIPLANAutodetect = true;

    oRegObj = std::make_unique<CRegSettings>();
    mvarCCC = GetCCC();
    if (mvarCCC == "ThirdRSPI")
        OptIPPhone->SetEnabled(false);
    mvarbIsWizConfigured =
        Val(Trim(oRegObj->GetSettingFromHKey(HKEY_CURRENT_USER, "7316", "Install",
                                             "IsWizConfigured", BoolText(false)))) != 0;
    bIPLANAutodetect = CBool(oRegObj->GetSettingFromHKey(
        HKEY_CURRENT_USER, "7316\\ZELWiz", "Settings", "IPLANAutodetect", BoolText(true)));
    InitUserProviderKeys();

    gTextTranslator() = CreateComponent<TextTranslator>(kCLSID_TextTranslator);
    if (gTextTranslator())
        CheckHr(gTextTranslator()->TranslateForm(*this));

    TheToolkit().SetAppTitle(TranslateWithProductName(kTitle, 1));
    lblStep(0).SetCaption(
        TranslateWithProductName("#01000#Welcome to the %0 Configuration Wizard "
                                 "program. This Program will help you to "
                                 "configure %1. You can use this Wizard to set "
                                 "up a new or an existing configuration.",
                                 2));
    lblStep(1).SetCaption(
        TranslateWithProductName("#01001#After completing this window, the "
                                 "Wizard will automatically set all %0 "
                                 "parameters. Please specify the type of handset "
                                 "you would like to use and click Next.",
                                 1));
    lbFinish->SetCaption(
        TranslateWithProductName("#01012#%0 is now configured with your personal "
                                 "settings. We hope you will be satisfied "
                                 "with %1 in your all days' work.",
                                 2));

    for (int i = 0; i <= 9; ++i)
        fraStep(i).SetLeft(-10000);
    std::int16_t step = 0, direction = 0;
    SetStep(step, direction);
}

void frmWizard::Form_Unload(int& cancel) {
    (void)cancel;  // never cancelled
    ResumeNext ignore;
    ignore([&] { oRegObj.reset(); });
    ignore([&] { gTextTranslator().Reset(); });
}

void frmWizard::cmdNav_Click(std::int16_t index) {
    ResumeNext trap([this] { LogError("frmWizard.cmdNav_Click", this); });
    std::int16_t target = 0;
    std::int16_t direction = 0;
    switch (index) {
        case 1:  // Cancel
            trap([&] { Unload(); });
            break;
        case 2:  // Back
            trap([&] { target = SetCurrentActionForBack(iCurrentStep); });
            trap([&] {
                if (target == -1)
                    target = static_cast<std::int16_t>(iCurrentStep - 1);
            });
            trap([&] { imgStep(target).SetPicture(imgStep(0).GetPicture()); });
            direction = 1;
            trap([&] { SetStep(target, direction); });
            break;
        case 3:  // Next
            trap([&] { target = SetCurrentActionForNext(iCurrentStep); });
            trap([&] {
                if (target == -1)
                    target = static_cast<std::int16_t>(iCurrentStep + 1);
            });
            trap([&] { imgStep(target).SetPicture(imgStep(0).GetPicture()); });
            direction = 2;
            // On page 5 with the multimedia PC set SetStep presses Next again from
            // inside; that inner call completes the whole transition and nothing more
            // happens here after it.
            trap([&] { SetStep(target, direction); });
            break;
        case 4:  // Finish
            trap([&] { SaveSettings(); });
            trap([&] { Unload(); });
            break;
        default:
            break;
    }
}

void frmWizard::Form_KeyDown(int& keyCode, int shift) {
    (void)shift;
    OnErrorExit(
        [&] {
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
        },
        [] { LogError("frmWizard.Form_KeyDown"); });
}

std::int16_t frmWizard::SetCurrentActionForNext(std::int16_t& step) {
    ResumeNext trap([this] { LogError("frmWizard.SetCurrentActionForNext", this); });
    std::int16_t result = -1;
    // A detection whose component fails raises before it answers: it counts as
    // nothing reached.
    std::int32_t code = 32;

    switch (step) {
        case 1:
            for (int i = 0; i <= 3; ++i) {
                trap([&] {
                    if (OptionProfile(i).Value())
                        mvarProfile = " " + std::to_string(i);
                });
            }
            if (mvarCCC == "ThirdRSPI") {
                trap([&] { OptIPPhone->SetValue(false); });
                result = 5;
            } else if (mvarCCC == "ThirdCSTALAN") {
                trap([&] { GetSwitchInfoExt(); });
                trap([&] {
                    if (Trim(mvarCSTAIPAdd).empty())
                        mvarCSTAIPAdd = GetStoredSwitchName();
                });
                trap([&] {
                    if (mvarCSTAIPAdd.empty()) {
                        std::string message = Translate(
                            "#01046#The Wizard has found several PBX IP Addresses. "
                            "Please select "
                            "an IP address and click OK to continue.");
                        mvarCSTAIPAdd = DetectCstaAddress(message);
                    }
                });
                result = 2;
            }
            break;

        case 2:
            if (!Trim(txtcstaIPadd->Text()).empty()) {
                mvarCSTAIPAdd = txtcstaIPadd->Text();
                result = 4;
            }
            break;

        case 4:
            if (!OptIPPhone->Value())
                trap([&] { txtPhonsetnumber->SetText(GetPhoneSetNumber()); });
            result = 5;
            break;

        case 5:
            if (OptIPPhone->Value()) {
                // The multimedia PC set.
                mvarbIsPhoneSet = false;
                trap([&] {
                    if (Trim(mvarIPLANAdd).empty())
                        mvarIPLANAdd = GetStoredIPLANAdd();
                });
                if (!Trim(mvarIPLANAdd).empty())
                    break;  // page 6 shows the address known
                if (bIPLANAutodetect) {
                    trap([&] {
                        std::string discoverAll;
                        code = DetectIPLANBoard(discoverAll);
                    });
                }
                if (code == 0) {
                    if (IsThirdParty(mvarCCC))
                        result = 8;
                } else {
                    if (lIPLANBoardCount > 0 && code == 157)
                        trap([&] { DetectIPLANBoard(mvarIPLANAdd); });
                    result = 6;
                }
            } else {
                // The physical set.
                mvarbIsPhoneSet = true;
                if (IsThirdParty(mvarCCC)) {
                    if (!txtPhonsetnumber->Text().empty())
                        mvarPhoneSetNumber = txtPhonsetnumber->Text();
                    result = 8;
                }
            }
            break;

        case 6:
            if (!Trim(txtIPLANAdd->Text()).empty()) {
                mvarIPLANAdd = Trim(txtIPLANAdd->Text());
                trap([&] { code = DetectIPLANBoard(mvarIPLANAdd); });
                if (code != 0)
                    trap([&] { ShowIPLANError(code); });
                result = 8;
            } else {
                result = 4;
            }
            break;

        case 8:
            result = 9;
            break;

        default:  // 0, 3, 7: the following page; 9 and above: Next is disabled there
            break;
    }
    return result;
}

std::int16_t frmWizard::SetCurrentActionForBack(std::int16_t& step) {
    ResumeNext trap([this] { LogError("frmWizard.SetCurrentActionForBack", this); });
    std::int16_t result = -1;
    switch (step) {
        case 1:
        case 2:
            result = 1;
            break;
        case 3:
        case 4:
            result = 2;
            break;
        case 5:
            result = mvarCCC == "ThirdRSPI" ? 1 : 4;
            break;
        case 6:
            result = 4;
            break;
        case 7:
            result = 6;
            break;
        case 8:
            trap([&] { result = OptIPPhone->Value() ? 4 : 5; });
            break;
        case 9:
            result = 8;
            break;
        default:
            break;
    }
    return result;
}

void frmWizard::SetNavButtons(std::int16_t& step) {
    iCurrentStep = step;
    CommandButton& back = cmdNav(2);
    CommandButton& next = cmdNav(3);
    CommandButton& finish = cmdNav(4);
    if (step == 0 || step == 1) {
        back.SetEnabled(false);
        next.SetEnabled(true);
    } else if (step == 9) {
        next.SetEnabled(false);
        back.SetEnabled(true);
    } else {
        back.SetEnabled(true);
        next.SetEnabled(true);
    }
    if (!mvarbIsWizConfigured) {
        finish.SetEnabled(false);
        if (bFinishReached)
            finish.SetEnabled(true);
    } else {
        finish.SetEnabled(step != 0);
    }
}

void frmWizard::SetWizardCaption(std::int16_t& step) {
    (void)step;
    ResumeNext ignore;
    ignore([&] { SetCaption(TranslateWithProductName(kTitle, 1)); });
}

}  // namespace zelwiz
