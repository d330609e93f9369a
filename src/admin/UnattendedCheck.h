#pragma once
// What a first start of zelwiz would do with the INI files beside it, found by running the
// program's own start-up (Main: the wizard's load, the unattended configuration, the save) over a
// copy-on-write layer on the registry, with a shell that records the programs it would start and
// the error log's lines kept instead of written: the prediction and a real run share their code.
// Nothing is changed.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "admin/ChangeList.h"

namespace zelwiz {

class Registry;
class Shell;

// The values are the tool's exit codes.
enum class CheckOutcome {
    Saved = 0,           // saved without a window; the main application starts
    NoIniFile = 2,       // no INI file beside the program: the wizard opens
    WizardNeeded = 3,    // the wizard opens
    RestartNotice = 4,   // saved, then the restart notice instead of the main application
    StoppedOnError = 5,  // a run-time error ends the start: no complete save and no window
};

struct IniValue {
    std::string section;
    std::string name;
    bool present = false;
    std::string value;  // as the configuration takes it: 49 characters at most, trimmed
};

struct CheckReport {
    std::string file;  // the INI file the start chooses; empty when none is read
    std::vector<IniValue> values;
    std::string logFile;
    std::vector<std::string> log;  // the lines without their time stamp
    CheckOutcome outcome = CheckOutcome::WizardNeeded;
    std::string reason;                 // which rule of the decision says so, in plain words
    std::vector<std::string> messages;  // message boxes shown
    std::vector<std::string> started;   // command lines of the programs started
    std::vector<std::string> folders;   // folders made
    std::vector<RegChange> changes;     // hive by hive
};

struct CheckRequest {
    std::string programFolder;  // the folder of zelwiz and its INI files
    std::string iniFile;        // when set: this file instead, taken as the INI file beside zelwiz
                                // ("confTapi21.ini" by that name, "confdirect.ini" by any other);
                                // the program's other files are those of programFolder
};

// BadInput when the INI file the start would read is not a readable UTF-8 text file.
CheckReport CheckUnattended(Registry& registry, Shell& shell, const CheckRequest& request);

// {"file", "values", "wizard_needed", "reason", "log", "started", "folders", "messages",
//  "changes"}
nlohmann::ordered_json ToJson(const CheckReport& report);
std::string ToText(const CheckReport& report);

}  // namespace zelwiz
