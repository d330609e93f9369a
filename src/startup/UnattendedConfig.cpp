#include "startup/UnattendedConfig.h"

#include "environment/mLogError.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "wizard/frmWizard.h"

namespace zelwiz {
namespace {

constexpr std::size_t kValueBuffer = 50;  // the reader's buffer: 49 characters and the NUL

void LogMissing(const char* message) {
    Err().Source = "zelwiz";
    LogError("SubMain.Main", nullptr, message);
}

}  // namespace

// Present when the reader answers at least one character.
bool ReadUnattendedValue(const std::string& iniFile, IniKey key, std::string* value) {
    const std::string raw =
        TheShell().PrivateProfileString(key.section, key.name, "", kValueBuffer, iniFile);
    *value = Trim(raw);
    return !raw.empty();
}

std::vector<WizardRule> UnattendedDecision(const frmWizard& form, bool tapi21Chosen) {
    if (tapi21Chosen) {
        if (form.mvarPhoneSetNumber.empty())
            return {WizardRule::Tapi21WithoutNumber};
        return {};
    }
    std::vector<WizardRule> rules;
    if (!form.mvarIPLANAdd.empty() && form.mvarIP_EDN.empty())
        rules.push_back(WizardRule::BoardWithoutNumber);
    if (form.mvarPhoneSetNumber.empty() && !form.mvarCSTAIPAdd.empty())
        rules.push_back(WizardRule::PbxWithoutNumber);
    if (form.mvarCSTAIPAdd.empty())
        rules.push_back(WizardRule::NoPbxAddress);
    return rules;
}

bool RunUnattendedConfiguration(frmWizard& form, const std::string& iniFile, bool tapi21Chosen) {
    form.mvarbIsWizConfigured = false;
    form.mvarPRLserverAdd.clear();
    form.mvarbIsPhoneSet = true;
    form.mvarProfile.clear();
    form.mvarbFileIniExist = true;

    std::string value;
    if (ReadUnattendedValue(iniFile, kHostnameKey, &value)) {
        form.mvarCSTAIPAdd = value;
    } else {
        LogMissing("The CSTA Ip Address field must be fill");
    }
    if (ReadUnattendedValue(iniFile, kVoipNameKey, &value)) {
        form.mvarIPLANAdd = value;
        form.mvarbIsPhoneSet = false;
    } else {
        LogMissing("The VoIp Address field is empty");
    }
    if (ReadUnattendedValue(iniFile, kCentralNameKey, &value))
        form.mvarPRLserverAdd = value;

    if (ReadUnattendedValue(iniFile, kProfilKey, &value)) {
        form.mvarProfile = value;
        static const char* const kKeywords[4] = {"BASIC", "PRO", "TEAM", "OPERATOR"};
        for (int i = 0; i < 4; ++i) {
            if (UCase(value) == kKeywords[i])
                form.mvarProfile = std::to_string(i);
        }
        // A text that is not a number is a type mismatch for the caller's trap.
        const std::int16_t profile = CInt(form.mvarProfile);
        if (profile < 0 || profile > 3)
            form.mvarProfile = "2";
    } else {
        LogMissing("The Profile field is empty");
    }

    if (ReadUnattendedValue(iniFile, kEdnKey, &value)) {
        form.mvarPhoneSetNumber = value;
        form.mvarIP_EDN = value;
    } else {
        form.mvarPhoneSetNumber.clear();
        form.mvarIP_EDN.clear();
    }
    if (form.mvarProfile.empty())
        form.mvarProfile = "2";

    if (!UnattendedDecision(form, tapi21Chosen).empty())
        return false;
    form.SaveSettings();
    form.Unload();
    return true;
}

}  // namespace zelwiz
