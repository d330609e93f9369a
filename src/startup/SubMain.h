#pragma once
// SubMain: the program's entry. Main decides, in this order, whether the program stops at once
// (another copy runs; "-c"), whether the one-time restore tool runs, and whether the
// configuration is done unattended from an INI file or with the wizard window.

#include <string>
#include <vector>

#include "platform/Registry.h"

namespace zelwiz {

class CRegSettings;
class frmWizard;

// What the program does after Main: end, or live as long as the wizard window is open.
enum class StartupOutcome { Ended, WizardShown };

// `commandLine` is the text after the program name; `wizard` is the form Main loads and shows.
StartupOutcome Main(const std::string& commandLine, frmWizard& wizard);

// Whether the user's "IsWizConfigured" says the wizard was completed before: the INI files are
// then not read and the wizard is shown.
bool WizardCompletedBefore(CRegSettings& reg);
// The INI file of the unattended configuration: "confdirect.ini" beside the program when it
// exists, else "confTapi21.ini" there (`tapi21Chosen` set, whether that file exists or not).
std::string UnattendedIniFile(bool* tapi21Chosen);

// True when another copy runs; that copy's window with the application title is brought forward.
bool ActivatePrevInstance();

// The value-existence test: the key opens for reading and, for a non-empty name, the value
// exists (whatever its type and content).
bool RegValueExists(HKEY hive, const std::string& keyPath, const std::string& valueName);
// The text writer: creates or opens the key and stores the text as REG_SZ, without reporting
// a key that cannot be opened.
void RegWriteText(HKEY hive, const std::string& keyPath, const std::string& valueName,
                  const std::string& text);

inline constexpr const char* kRestoreTool = "restprlconf4_0.exe";

}  // namespace zelwiz
