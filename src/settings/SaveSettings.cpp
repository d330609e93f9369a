// frmWizard: SaveSettings, which turns the values the wizard (or the INI file) collected into the
// product's configuration, then starts the main application or asks for a restart; and GetCCC.

#include <string>

#include "FolderSeparator.h"  // the build's platform/posix or platform/win32
#include "environment/Translation.h"
#include "environment/localize.h"
#include "environment/mCustom.h"
#include "environment/modMultiUser.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "settings/CRegSettings.h"
#include "settings/mLibApi32.h"
#include "telephony/DialingLocation.h"
#include "telephony/Hourglass.h"
#include "telephony/ProviderRegistry.h"
#include "wizard/frmWizard.h"

namespace zelwiz {
namespace {

constexpr const char* kLinePrefix = "KORVANE - ";
constexpr const char* kRestartText =
    "#01044#%0 cannot work properly until you restart your computer.";
constexpr std::int16_t kFinishStep = 9;

CRegSettings& RegObj(frmWizard& wiz) {
    if (!wiz.oRegObj)
        Raise(kErrObjectNotSet);
    return *wiz.oRegObj;
}

// Direct writes of whole key paths under HKEY_CURRENT_USER.
void WriteUserValue(const std::string& path, const std::string& name, const std::string& text) {
    SetRegString(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\" + path, name, text);
}

}  // namespace

std::string frmWizard::GetCCC() {
    return RegObj(*this).GetSettingFromHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "CCC", "");
}

void frmWizard::SaveSettings() {
    // What the save wrote reaches the disk when it ends, normally or by an error.
    struct CommitAtEnd {
        ~CommitAtEnd() { CommitRegistry(); }
    } commitAtEnd;
    CRegSettings& reg = RegObj(*this);

    // Without a current dialing location the provider cannot dial: let the user set one, as the
    // dialing-properties page does. Only with a window: a configuration from an INI file runs
    // unattended and must never open the dialing configuration and wait for a user.
    if (!mvarbFileIniExist && NoCurrentDialingLocation(reg))
        ConfigProvider();

    // Finish pressed before the last page: take over the values of the page in front.
    if (mvarbIsWizConfigured && iCurrentStep != kFinishStep) {
        std::int16_t step = iCurrentStep;
        SetCurrentActionForNext(step);
    }

    if (mvarCCC == "ThirdCSTALAN") {
        const std::string userId = reg.GetSettingFromHKey(HKEY_CURRENT_USER, "7316\\ZELDial",
                                                          "Preference", "Permanent ProviderID", "");
        if (Trim(userId).empty()) {
            const std::string machineId = reg.GetSettingFromHKey(
                HKEY_LOCAL_MACHINE, "7316", "Install", "Permanent ProviderID", "");
            if (!Trim(machineId).empty())
                reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316\\ZELDial", "Preference",
                                      "Permanent ProviderID", machineId);
        }
    }

    if (!mvarPRLserverAdd.empty()) {
        WriteUserValue("PRLserver\\Settings", "PRLserverName", mvarPRLserverAdd);
        WriteUserValue("PRLserver\\Settings", "UseCentrallog", "1");
    }

    // Team is phone mode 2; Operator is phone mode 3 with the Team profile.
    if (Val(mvarProfile) == 2) {
        WriteUserValue("ZELPhone\\Settings", "PhoneMode", "2");
        WriteUserValue("Profil\\Team", "PhoneMode", "2");
    }
    if (Val(mvarProfile) == 3) {
        WriteUserValue("ZELPhone\\Settings", "PhoneMode", "3");
        WriteUserValue("Profil\\Team", "PhoneMode", "3");
        mvarProfile = "2";
    }
    WriteUserValue("Install", "ProductProfil", mvarProfile);

    if (mvarbIsPhoneSet) {
        if (!Trim(mvarPhoneSetNumber).empty()) {
            if (mvarCCC == "ThirdCSTALAN") {
                bool isIP = false;
                UpdatePreferredEdns(mvarPhoneSetNumber, isIP);
            }
            reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316\\ZELWiz", "Settings", "EdnSet",
                                  mvarPhoneSetNumber);
            reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316\\ZELDial", "Preference",
                                  "Preferred Line", kLinePrefix + mvarPhoneSetNumber);
        }
        reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316\\ZELDial", "Settings", "ExtHandsetvisible",
                              "0");
    } else {
        if (!Trim(mvarIPLANAdd).empty())
            SaveProviderIpAddress(mvarIPLANAdd);
        // An empty or non-numeric number is a type mismatch: the save ends here.
        if (CLng(mvarIP_EDN) > 0) {
            bool isIP = true;
            UpdatePreferredEdns(mvarIP_EDN, isIP);
            SaveProviderEdnIP(mvarIP_EDN);
            reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316\\ZELWiz", "Settings", "EdnIP",
                                  mvarIP_EDN);
            reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316\\ZELDial", "Preference",
                                  "Preferred Line", kLinePrefix + mvarIP_EDN);
            reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316\\ZELDial", "Settings",
                                  "ExtHandsetvisible", "1");
        }
    }

    if (!Trim(mvarCSTAIPAdd).empty())
        SaveSwitchName(mvarCSTAIPAdd);

    Hourglass hourglass(*this, !mvarbFileIniExist);
    if (IsPreferredLineAddress()) {
        const std::string configured = reg.GetSettingFromHKey(HKEY_CURRENT_USER, "7316", "Install",
                                                              "IsWizConfigured", "False");
        if (Val(Trim(configured)) == 0) {
            // The first configuration: the main application takes over and the wizard ends.
            reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316", "Install", "IsWizConfigured", "-1");
            reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316", "Install", "CCC", mvarCCC);
            StartProductProgram("zelphone.exe");  // raises when it cannot start
            End();
        }
    } else {
        const std::string text = ReplaceParams(Translate(kRestartText), {g7316ShortName});
        Toolkit& toolkit = TheToolkit();
        toolkit.MsgBox(text, vbExclamation | vbOKOnly, toolkit.AppTitle());
    }
    hourglass.Restore();

    reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316", "Install", "IsWizConfigured", "-1");
}

}  // namespace zelwiz
