#include "admin/UnattendedCheck.h"

#include "admin/DryRunShell.h"
#include "admin/InputFile.h"
#include "admin/ScratchFolder.h"
#include "components/BuiltInComponents.h"
#include "components/translator/RegisterTextTranslator.h"
#include "environment/Translation.h"
#include "environment/mLogError.h"
#include "platform/ComponentCatalog.h"
#include "platform/ErrorInfo.h"
#include "platform/HeadlessToolkit.h"
#include "platform/OverlayRegistry.h"
#include "platform/Platform.h"
#include "platform/RegistryTree.h"
#include "platform/SingleInstance.h"
#include "platform/Utf8Path.h"
#include "settings/CRegSettings.h"
#include "startup/SubMain.h"
#include "startup/UnattendedConfig.h"
#include "wizard/frmWizard.h"

namespace zelwiz {
namespace {

// The predicted start is the only copy of the program.
class NoOtherCopy : public SingleInstance {
  public:
    bool PrevInstance() override { return false; }
    bool ActivateWindow(const std::string&) override { return false; }
};

// Installs a platform for its life and puts the previous one back, with the log's writer.
class PlatformScope {
  public:
    PlatformScope(const Platform& platform, LogLineWriter writer)
        : previous_(InstallPlatform(platform)), writer_(SetLogLineWriter(std::move(writer))) {}
    ~PlatformScope() {
        gTextTranslator().Reset();
        ClearErr();
        SetLogLineWriter(std::move(writer_));
        InstallPlatform(previous_);
    }
    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;

  private:
    Platform previous_;
    LogLineWriter writer_;
};

std::string RuleText(WizardRule rule) {
    switch (rule) {
        case WizardRule::Tapi21WithoutNumber:
            return "confTapi21.ini gives no directory number (Edn in [PARLOVA])";
        case WizardRule::BoardWithoutNumber:
            return "the file names a VoIP board (voipname) but gives no directory number (Edn)";
        case WizardRule::PbxWithoutNumber:
            return "the file gives a PBX address (Hostname) but no directory number (Edn)";
        case WizardRule::NoPbxAddress:
            return "the file gives no PBX address (Hostname in [ADDRESS]), which confdirect.ini "
                   "needs";
    }
    return {};
}

// The error field of the last log line, e.g. "Type mismatch - 13 (0xD)".
std::string LastError(const std::vector<std::string>& log) {
    for (auto line = log.rbegin(); line != log.rend(); ++line) {
        const std::size_t first = line->find('\t');
        const std::size_t second = first == std::string::npos ? first : line->find('\t', first + 1);
        if (second == std::string::npos)
            continue;
        std::string field = line->substr(second + 1, line->find('\t', second + 1) - second - 1);
        if (field != "-")
            return field;
    }
    return "see the log";
}

const char* OutcomeText(CheckOutcome outcome) {
    switch (outcome) {
        case CheckOutcome::Saved:
            return "saves without a window, then starts the main application";
        case CheckOutcome::NoIniFile:
            return "the wizard opens: there is no INI file";
        case CheckOutcome::WizardNeeded:
            return "the wizard opens";
        case CheckOutcome::RestartNotice:
            return "saves without a window, then shows the restart notice instead of starting "
                   "the main application";
        case CheckOutcome::StoppedOnError:
            return "stops on an error, and no window opens; what ran before the error stays";
    }
    return "";
}

bool WizardOpens(CheckOutcome outcome) {
    return outcome == CheckOutcome::WizardNeeded || outcome == CheckOutcome::NoIniFile;
}

std::string SavedReason(bool tapi21) {
    return tapi21 ? "confTapi21.ini gives a directory number (Edn)"
                  : "confdirect.ini gives a PBX address (Hostname) and a directory number (Edn)";
}

}  // namespace

CheckReport CheckUnattended(Registry& registry, Shell& shell, const CheckRequest& request) {
    CheckReport report;
    // The file to try goes into a folder of its own under the name the program looks for.
    std::unique_ptr<ScratchFolder> standIn;
    if (!request.iniFile.empty()) {
        const std::string text = ReadIniText(request.iniFile);
        const std::string name = Utf8Text(Utf8Path(request.iniFile).filename());
        standIn = std::make_unique<ScratchFolder>();
        standIn->Write(NameEquals(name, kConfTapi21Ini) ? kConfTapi21Ini : kConfDirectIni, text);
    }

    OverlayRegistry layer(registry);
    DryRunShell dryShell(shell, request.programFolder, standIn ? standIn->Path() : "");
    HeadlessToolkit toolkit;
    ComponentCatalog catalog;
    RegisterBuiltInComponents(catalog);
    RegisterTextTranslator(catalog);
    NoOtherCopy instance;
    PlatformScope scope(Platform{&layer, &dryShell, &toolkit, &catalog, &instance},
                        [&](const std::string& path, const std::string& line) {
                            report.logFile = dryShell.Shown(path);
                            report.log.push_back(dryShell.Shown(line.substr(line.find('\t') + 1)));
                        });

    CRegSettings reg;
    const bool configured = WizardCompletedBefore(reg);
    bool tapi21 = false;
    const std::string iniFile = UnattendedIniFile(&tapi21);
    const bool iniPresent = dryShell.PathExists(iniFile);
    if (!configured && iniPresent) {
        report.file = standIn ? request.iniFile : iniFile;
        if (!standIn)
            ReadIniText(iniFile);
        for (const IniKey& key : kUnattendedKeys) {
            IniValue value{key.section, key.name, false, {}};
            value.present = ReadUnattendedValue(iniFile, key, &value.value);
            report.values.push_back(std::move(value));
        }
    }

    frmWizard wizard;
    bool ended = false;
    StartupOutcome startup = StartupOutcome::Ended;
    try {
        startup = Main("", wizard);
    } catch (const ProgramEnd&) {
        ended = true;
    }
    for (const auto& box : toolkit.messageBoxes)
        report.messages.push_back(box.prompt);
    report.started = dryShell.started;
    report.folders = dryShell.folders;

    if (ended) {
        report.outcome = CheckOutcome::Saved;
        report.reason = SavedReason(tapi21);
    } else if (startup == StartupOutcome::WizardShown && configured) {
        report.outcome = CheckOutcome::WizardNeeded;
        report.reason =
            "this user completed the configuration before (\"IsWizConfigured\" is not 0 in "
            "HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install), so the INI files are not read";
    } else if (startup == StartupOutcome::WizardShown && !iniPresent) {
        report.outcome = CheckOutcome::NoIniFile;
        report.reason = "there is neither " + std::string(kConfDirectIni) + " nor " +
                        kConfTapi21Ini + " in " + request.programFolder;
    } else if (startup == StartupOutcome::WizardShown) {
        report.outcome = CheckOutcome::WizardNeeded;
        for (WizardRule rule : UnattendedDecision(wizard, tapi21))
            report.reason += (report.reason.empty() ? "" : "; and ") + RuleText(rule);
    } else if (!report.messages.empty()) {
        report.outcome = CheckOutcome::RestartNotice;
        report.reason = SavedReason(tapi21) +
                        "; the provider's line object does not confirm that number as the "
                        "preferred line, so the restart notice shows instead of the main "
                        "application starting";
    } else {
        report.outcome = CheckOutcome::StoppedOnError;
        report.reason =
            "a run-time error ends the start: " + LastError(report.log) + " (the last log line)";
    }

    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (RegChange& change : DiffKeys(hive, "", &layer.Before(hive), &layer.After(hive)))
            report.changes.push_back(std::move(change));
    }
    return report;
}

nlohmann::ordered_json ToJson(const CheckReport& report) {
    nlohmann::ordered_json values = nlohmann::ordered_json::array();
    for (const IniValue& v : report.values) {
        values.push_back({{"section", v.section},
                          {"key", v.name},
                          {"value", v.present ? nlohmann::ordered_json(v.value) : nullptr}});
    }
    nlohmann::ordered_json changes = nlohmann::ordered_json::array();
    for (const RegChange& change : report.changes)
        changes.push_back(ToJson(change));
    return {{"file", report.file.empty() ? nlohmann::ordered_json(nullptr)
                                         : nlohmann::ordered_json(report.file)},
            {"values", values},
            {"wizard_needed", WizardOpens(report.outcome)},
            {"reason", report.reason},
            {"log", report.log},
            {"started", report.started},
            {"folders", report.folders},
            {"messages", report.messages},
            {"changes", changes}};
}

std::string ToText(const CheckReport& report) {
    std::string text;
    text += "INI file:  " + (report.file.empty() ? std::string("none read") : report.file) + "\n";
    for (const IniValue& v : report.values) {
        text += "  [" + v.section + "] " + v.name +
                (v.present ? " = \"" + v.value + "\"" : std::string(" is missing")) + "\n";
    }
    text += std::string("Outcome:   ") + OutcomeText(report.outcome) + " (exit " +
            std::to_string(static_cast<int>(report.outcome)) + ")\n";
    text += "Reason:    " + report.reason + "\n";
    for (const std::string& message : report.messages)
        text += "Message:   " + message + "\n";
    for (const std::string& started : report.started)
        text += "Starts:    " + started + "\n";
    for (const std::string& folder : report.folders)
        text += "Makes:     " + folder + "\n";
    if (!report.log.empty()) {
        text += "Log lines, added to " + report.logFile + ":\n";
        for (std::string line : report.log) {
            for (auto tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', tab))
                line.replace(tab, 1, " | ");
            text += "  " + line + "\n";
        }
    }
    text += WizardOpens(report.outcome) ? "Registry changes before the wizard opens:\n"
                                        : "Registry changes:\n";
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        std::string lines;
        for (const RegChange& change : report.changes) {
            if (change.hive == hive)
                lines += "    " + Describe(change) + "\n";
        }
        text += "  " + std::string(HiveName(hive)) + (lines.empty() ? ": none\n" : "\n" + lines);
    }
    return text;
}

}  // namespace zelwiz
