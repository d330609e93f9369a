#include "admin/AdminCommands.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <ostream>

#include "admin/DiscoveryReport.h"
#include "admin/IniExport.h"
#include "admin/InputFile.h"
#include "admin/OutputFile.h"
#include "admin/RegBackup.h"
#include "admin/SupportBundle.h"
#include "admin/UnattendedCheck.h"
#include "platform/Shell.h"
#include "platform/Utf8Path.h"

namespace zelwiz {
namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

// The folder of zelwiz: the one given, else this tool's own (it is installed beside zelwiz).
std::string ProgramFolder(const std::string& given, Shell& shell) {
    return Utf8Text(
        std::filesystem::absolute(Utf8Path(given.empty() ? shell.ProgramFolder() : given)));
}

std::string Dump(const nlohmann::ordered_json& json) {
    return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace

int RunAdminCommand(const std::vector<std::string>& args, Registry& registry, Shell& shell,
                    std::ostream& out, std::ostream& err) {
    CLI::App app{"zelwiz-admin: the administrator's companion of the zelwiz configuration wizard",
                 "zelwiz-admin"};
    app.require_subcommand(1);
    bool json = false;

    CheckRequest check;
    auto* checkCommand = app.add_subcommand(
        "check",
        "What a first start of zelwiz would do with its INI file, writing nothing.\n"
        "Exit code 0: saved without a window; 3: the wizard opens; 4: saved, then the "
        "restart notice; 5: stops on an error; 2: no INI file could be read.");
    auto* folderOption = checkCommand->add_option(
        "--program-folder", check.programFolder,
        "the folder of zelwiz with confdirect.ini or confTapi21.ini (default: this tool's)");
    checkCommand
        ->add_option("--ini", check.iniFile,
                     "this INI file instead, as if it were beside zelwiz: read as confTapi21.ini "
                     "when it has that name and as confdirect.ini otherwise")
        ->excludes(folderOption);
    checkCommand->add_flag("--json", json, "one JSON object instead of text");

    std::string exportOut;
    bool tapi21 = false, force = false;
    auto* exportCommand = app.add_subcommand(
        "export",
        "This user's configuration as an INI file that configures the next desk.\n"
        "What the file cannot carry is named, and nothing is written, unless --force.");
    exportCommand->add_option("--out", exportOut, "the file to write (default: standard output)");
    exportCommand->add_flag("--tapi21", tapi21,
                            "a confTapi21.ini (the directory number alone decides) instead of a "
                            "confdirect.ini");
    exportCommand->add_flag("--force", force, "write the file even though something is lost");

    std::string backupFile;
    auto* backupCommand = app.add_subcommand(
        "backup",
        "The product's keys (Software\\Korvane in both hives) as a file regedit imports.");
    backupCommand->add_option("FILE", backupFile, "the .reg file to write")->required();

    std::string restoreFile;
    auto* restoreCommand = app.add_subcommand(
        "restore", "Puts the product's keys back as a backup has them, whole or not at all.");
    restoreCommand->add_option("FILE", restoreFile, "the .reg file to read")->required();

    std::string bundleOut, bundleFolder;
    auto* bundleCommand = app.add_subcommand(
        "bundle",
        "What support asks for in one folder: the error log, a backup of the product's "
        "keys, the version, the platform and the INI files beside zelwiz.");
    bundleCommand->add_option("OUT", bundleOut, "the folder to make")->required();
    bundleCommand->add_option("--program-folder", bundleFolder,
                              "the folder of zelwiz (default: this tool's)");

    auto* discoverCommand = app.add_subcommand(
        "discover",
        "PBX and VoIP board discovery with this installation's settings: who answers, "
        "how fast, and why nothing does.\nExit code 0 when a device answered, 1 when "
        "none did.");
    discoverCommand->add_flag("--json", json, "one JSON object instead of text");

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? 0 : kUsageError;
    }

    try {
        if (checkCommand->parsed()) {
            check.programFolder = ProgramFolder(check.programFolder, shell);
            const CheckReport report = CheckUnattended(registry, shell, check);
            out << (json ? Dump(ToJson(report)) : ToText(report));
            return static_cast<int>(report.outcome);
        }
        if (exportCommand->parsed()) {
            const IniExport exported = ExportIni(registry, shell, tapi21);
            if (!exported.losses.empty()) {
                err << "zelwiz-admin: " << exported.fileName
                    << " cannot carry all of this configuration:\n";
                for (const std::string& loss : exported.losses)
                    err << "  " << loss << "\n";
                if (!force) {
                    err << "Nothing was written; --force writes the file anyway.\n";
                    return kFailed;
                }
            }
            if (exportOut.empty()) {
                out << exported.text;
            } else {
                WriteFileWhole(exportOut, exported.text);
                err << "zelwiz-admin: wrote " << exportOut << "; put it beside zelwiz as "
                    << exported.fileName << "\n";
            }
            return 0;
        }
        if (backupCommand->parsed()) {
            WriteFileWhole(backupFile, BackupProductKeys(registry));
            err << "zelwiz-admin: wrote " << backupFile << "\n";
            return 0;
        }
        if (discoverCommand->parsed()) {
            const DiscoveryReport report = RunDiscovery(registry);
            out << (json ? Dump(ToJson(report)) : ToText(report));
            return report.pbxs.found.empty() && report.boards.found.empty() ? kFailed : 0;
        }
        if (restoreCommand->parsed()) {
            const std::vector<RegChange> changes = RestoreProductKeys(registry, restoreFile);
            for (const RegChange& change : changes)
                out << HiveName(change.hive) << ": " << Describe(change) << "\n";
            out << (changes.empty() ? "Nothing to change: the keys are as the file has them.\n"
                                    : "Restored " + std::to_string(changes.size()) +
                                          " changes from " + restoreFile + ".\n");
            return 0;
        }
        if (bundleCommand->parsed()) {
            const auto files =
                MakeSupportBundle(registry, shell, ProgramFolder(bundleFolder, shell), bundleOut);
            out << bundleOut << ":\n";
            for (const std::string& file : files)
                out << "  " << file << "\n";
            return 0;
        }
    } catch (const CommandFailed& e) {
        err << "zelwiz-admin: " << e.what() << "\n";
        return kFailed;
    } catch (const BadInput& e) {
        err << "zelwiz-admin: " << e.what() << "; nothing was written\n";
        return kUsageError;
    }
    return 0;
}

}  // namespace zelwiz
