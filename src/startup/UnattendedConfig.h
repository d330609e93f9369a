#pragma once
// The unattended configuration: the wizard's members filled from an INI file beside the program
// and saved exactly as Finish would, without showing the window.

#include <string>
#include <vector>

namespace zelwiz {

class frmWizard;

inline constexpr const char* kConfDirectIni = "confdirect.ini";
inline constexpr const char* kConfTapi21Ini = "confTapi21.ini";

// The keys the configuration reads, in its order.
struct IniKey {
    const char* section;
    const char* name;
};
inline constexpr IniKey kHostnameKey{"ADDRESS", "Hostname"};
inline constexpr IniKey kVoipNameKey{"ADDRESS", "voipname"};
inline constexpr IniKey kCentralNameKey{"ADDRESS", "centralname"};
inline constexpr IniKey kProfilKey{"PARLOVA", "Profil"};
inline constexpr IniKey kEdnKey{"PARLOVA", "Edn"};
inline constexpr IniKey kUnattendedKeys[] = {kHostnameKey, kVoipNameKey, kCentralNameKey,
                                             kProfilKey, kEdnKey};

// One value as the configuration reads it: the reader's answer (49 characters at most) without
// the blanks around it. False when the key is missing or has nothing after its "=".
bool ReadUnattendedValue(const std::string& iniFile, IniKey key, std::string* value);

// Why the wizard must be shown after the file has been read, in the order the decision tries.
enum class WizardRule {
    Tapi21WithoutNumber,  // confTapi21.ini gives no directory number
    BoardWithoutNumber,   // confdirect.ini names a VoIP board but no directory number
    PbxWithoutNumber,     // confdirect.ini gives a PBX address but no directory number
    NoPbxAddress,         // confdirect.ini gives no PBX address
};

// Every rule that asks for the wizard, for the form as the file left it; empty when the
// configuration is saved without the window.
std::vector<WizardRule> UnattendedDecision(const frmWizard& form, bool tapi21Chosen);

// Fills the loaded, hidden `form` from `iniFile`. Answers true when the configuration was saved
// (the form is unloaded), false when the wizard must be shown with what the file gave.
bool RunUnattendedConfiguration(frmWizard& form, const std::string& iniFile, bool tapi21Chosen);

}  // namespace zelwiz
