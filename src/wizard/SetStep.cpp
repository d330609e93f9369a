// SetStep: brings a page to the front in four phases: the arrival work of the
// page, the swap of the page containers, the caption and the navigation
// buttons, then the focus. Every statement runs under the trap, so a field that
// fails to fill is logged and the page still comes up.
#include "environment/Translation.h"
#include "environment/mLogError.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "settings/CRegSettings.h"
#include "wizard/frmWizard.h"

namespace zelwiz {

namespace {
constexpr int kPageAway = -10000;  // the Left of every page not in front
}

void frmWizard::SetStep(std::int16_t& step, std::int16_t& direction) {
    ResumeNext trap([this] { LogError("frmWizard.SetStep", this); });
    const bool byNext = direction == 2;
    const bool byBack = direction == 1;

    // Phase 1: arrival work.
    switch (step) {
        case 0:
            trap([&] { ShowCurrentSettings(); });
            break;

        case 1: {
            trap([&] {
                Profile->SetCaption(Translate("#01049#Select your application profile : "));
            });
            // The profile names are the installation's own and are not translated.
            struct Name {
                const char* key;
                const char* fallback;
            };
            static const Name kNames[4] = {{"BasicName", "Basic"},
                                           {"ProName", "Pro"},
                                           {"TeamName", "Team"},
                                           {"OperatorName", "Operator"}};
            for (int i = 0; i < 4; ++i) {
                trap([&] {
                    OptionProfile(i).SetCaption(oRegObj->GetSettingFromHKey(
                        HKEY_LOCAL_MACHINE, "7316", "Install", kNames[i].key, kNames[i].fallback));
                });
            }
            if (byNext)
                trap([&] { OptionProfile(CIntNumber(Val(mvarProfile))).SetValue(true); });
            break;
        }

        case 2:
            if (byNext) {
                trap([&] { txtcstaIPadd->SetText(mvarCSTAIPAdd); });
                trap([&] { txtcstaIPadd->SetEnabled(true); });
                trap([&] { txtcstaIPadd->SetBackColor(TextBox::kWindowBackground); });
                trap([&] { cmdCstaIpDetect->SetVisible(true); });
            }
            break;

        case 4:
            if (byNext) {
                trap([&] {
                    if (IsIPEdnPreferred())
                        OptIPPhone->SetValue(true);
                    else
                        Optphonset->SetValue(true);
                });
            }
            break;

        case 5:
            if (byNext) {
                if (OptIPPhone->Value()) {
                    trap([&] { fraStep(5).SetVisible(false); });
                } else {
                    trap([&] { fraStep(5).SetVisible(true); });
                    trap([&] {
                        lbphonesetTitle->SetCaption(
                            Translate("#01018#Please specify the phone set number to be used by "
                                      "the application. "));
                    });
                    trap([&] {
                        lbphonsetnumber->SetCaption(Translate("#01003#Enter your phone number :"));
                    });
                    trap([&] { txtPhonsetnumber->SetText(GetPhoneSetNumber()); });
                }
            }
            break;

        case 6:
            if (byNext) {
                trap([&] {
                    if (!mvarIPLANAdd.empty())
                        txtIPLANAdd->SetText(mvarIPLANAdd);
                });
                trap([&] { txtIPLANAdd->SetEnabled(true); });
                trap([&] { txtIPLANAdd->SetBackColor(TextBox::kWindowBackground); });
                trap([&] { cmdVoIpDetect->SetVisible(true); });
            }
            break;

        case 8:
            if (byNext) {
                trap([&] {
                    DialingProperties->SetCaption(
                        Translate("#01054#The window displays the Dialing properties. Please "
                                  "verify the following :"));
                });
                trap([&] { AreaCode->SetCaption(Translate("#01050#Area Code : ")); });
                trap([&] { Country->SetCaption(Translate("#01051#Country : ")); });
                trap(
                    [&] { LocalAccessCode->SetCaption(Translate("#01052#Local Access Code : ")); });
                trap([&] {
                    DistanceAccessCode->SetCaption(
                        Translate("#01053#Long Distance Access Code : "));
                });
                trap([&] { PrefixePbx->SetCaption(Translate("#01057#PBX Prefixe : ")); });

                trap([&] { GetTAPIRules(); });

                trap([&] { lbareacode->SetCaption(sAreaCode); });
                trap([&] { lbcountry->SetCaption(sCountry); });
                trap([&] { lblocalaccesscode->SetCaption(sLocalAccessCode); });
                trap([&] { lbdistanceaccesscode->SetCaption(sDistanceAccessCode); });
                trap([&] {
                    lbprefixepbx->SetCaption(Trim(sPrefixePbx).empty() ? sLocalAccessCode
                                                                       : sPrefixePbx);
                });

                // The current dialing location of the platform's telephony, read under
                // the Microsoft company key with the form's own registry object, whose
                // application and company names are put back afterwards.
                std::string appName, company, currentId;
                trap([&] { appName = oRegObj->AppName(); });
                trap([&] { company = oRegObj->Company(); });
                trap([&] { oRegObj->Company("Microsoft"); });
                trap([&] {
                    currentId = oRegObj->GetSettingLongFromHKey(
                        HKEY_LOCAL_MACHINE, "Windows", "CurrentVersion\\Telephony\\Locations",
                        "CurrentID", "0");
                });
                trap([&] { oRegObj->AppName(appName); });
                trap([&] { oRegObj->Company(company); });
                if (Val(currentId) == 0) {
                    trap([&] { cmdNav(3).SetEnabled(false); });
                    trap([&] { ConfigProvider(); });
                    trap([&] { cmdNav(3).SetEnabled(true); });
                }
            }
            break;

        case 9:
            trap([&] { ShowFinishSettings(); });
            bFinishReached = true;
            break;

        default:  // 3, 7: nothing to prepare
            break;
    }

    // Phase 2: the page swap; the previous page is the one in iCurrentStep.
    trap([&] { fraStep(iCurrentStep).SetEnabled(false); });
    trap([&] { fraStep(step).SetLeft(0); });
    trap([&] {
        if (step != iCurrentStep)
            fraStep(iCurrentStep).SetLeft(kPageAway);
    });
    trap([&] { fraStep(step).SetEnabled(true); });

    // Phase 3: caption and buttons (SetNavButtons stores the step in
    // iCurrentStep).
    trap([&] { SetWizardCaption(step); });
    trap([&] { SetNavButtons(step); });

    // Phase 4: the focus.
    if (!byNext && !byBack)
        return;
    switch (step) {
        case 2:
            trap([&] { EnableNextIfFilled(*txtcstaIPadd); });
            trap([&] {
                if (txtcstaIPadd->Enabled())
                    txtcstaIPadd->SetFocus();
            });
            break;
        case 5:
            if (byNext) {
                if (OptIPPhone->Value()) {
                    // Page 5 is passed over: Next is pressed at once, and that inner call
                    // completes the whole transition.
                    trap([&] { cmdNav_Click(3); });
                } else {
                    trap([&] {
                        if (txtPhonsetnumber->Enabled())
                            txtPhonsetnumber->SetFocus();
                    });
                }
            } else {
                trap([&] {
                    if (!OptIPPhone->Value() && txtPhonsetnumber->Enabled())
                        txtPhonsetnumber->SetFocus();
                });
            }
            break;
        case 6:
            trap([&] { EnableNextIfFilled(*txtIPLANAdd); });
            trap([&] {
                if (txtIPLANAdd->Enabled())
                    txtIPLANAdd->SetFocus();
            });
            break;
        default:
            break;
    }
}

}  // namespace zelwiz
