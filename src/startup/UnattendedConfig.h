#pragma once
// The unattended configuration: the wizard's members filled from an INI file beside the program
// and saved exactly as Finish would, without showing the window.

#include <string>

namespace zelwiz {

class frmWizard;

inline constexpr const char* kConfDirectIni = "confdirect.ini";
inline constexpr const char* kConfTapi21Ini = "confTapi21.ini";

// Fills the loaded, hidden `form` from `iniFile`. Answers true when the configuration was saved
// (the form is unloaded), false when the wizard must be shown with what the file gave.
bool RunUnattendedConfiguration(frmWizard& form, const std::string& iniFile, bool tapi21Chosen);

}  // namespace zelwiz
