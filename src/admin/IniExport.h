#pragma once
// The current user's configuration as an INI file of the unattended configuration, to copy a
// working desk to the next one. What the file cannot carry is found by running the program's own
// unattended configuration of the file for a new user (over a copy-on-write layer, so nothing is
// written) and comparing the product's keys it would give that user with this user's.

#include <string>
#include <vector>

namespace zelwiz {

class Registry;
class Shell;

struct IniExport {
    std::string fileName;  // "confdirect.ini" or "confTapi21.ini"
    std::string text;      // CR LF line ends
    // What a new user configured from the file would not get, one line each, e.g.
    // HKEY_CURRENT_USER\Software\Korvane\7316\ZELWiz\Settings "IPLANAutodetect" = "0": a new
    // user gets none.
    std::vector<std::string> losses;
};

// CommandFailed when the user has no configuration (the wizard was never completed).
IniExport ExportIni(Registry& registry, Shell& shell, bool tapi21);

}  // namespace zelwiz
