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

// One value of the file: present when the reader answers at least one character.
bool ReadIni(const std::string& file, const char* section, const char* key, std::string* value) {
    const std::string raw = TheShell().PrivateProfileString(section, key, "", kValueBuffer, file);
    *value = Trim(raw);
    return !raw.empty();
}

void LogMissing(const char* message) {
    Err().Source = "zelwiz";
    LogError("SubMain.Main", nullptr, message);
}

}  // namespace

bool RunUnattendedConfiguration(frmWizard& form, const std::string& iniFile, bool tapi21Chosen) {
    form.mvarbIsWizConfigured = false;
    form.mvarPRLserverAdd.clear();
    form.mvarbIsPhoneSet = true;
    form.mvarProfile.clear();
    form.mvarbFileIniExist = true;

    std::string value;
    if (ReadIni(iniFile, "ADDRESS", "Hostname", &value)) {
        form.mvarCSTAIPAdd = value;
    } else {
        LogMissing("The CSTA Ip Address field must be fill");
    }
    if (ReadIni(iniFile, "ADDRESS", "voipname", &value)) {
        form.mvarIPLANAdd = value;
        form.mvarbIsPhoneSet = false;
    } else {
        LogMissing("The VoIp Address field is empty");
    }
    if (ReadIni(iniFile, "ADDRESS", "centralname", &value))
        form.mvarPRLserverAdd = value;

    if (ReadIni(iniFile, "PARLOVA", "Profil", &value)) {
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

    if (ReadIni(iniFile, "PARLOVA", "Edn", &value)) {
        form.mvarPhoneSetNumber = value;
        form.mvarIP_EDN = value;
    } else {
        form.mvarPhoneSetNumber.clear();
        form.mvarIP_EDN.clear();
    }
    if (form.mvarProfile.empty())
        form.mvarProfile = "2";

    if (form.mvarPhoneSetNumber.empty() && tapi21Chosen)
        return false;
    const bool wizardNeeded =
        !tapi21Chosen && ((!form.mvarIPLANAdd.empty() && form.mvarIP_EDN.empty()) ||
                          (form.mvarPhoneSetNumber.empty() && !form.mvarCSTAIPAdd.empty()) ||
                          form.mvarCSTAIPAdd.empty());
    if (wizardNeeded)
        return false;
    form.SaveSettings();
    form.Unload();
    return true;
}

}  // namespace zelwiz
