#include "admin/AdminCommands.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <ostream>

#include "admin/InputFile.h"
#include "admin/UnattendedCheck.h"
#include "platform/Shell.h"

namespace zelwiz {
namespace {

constexpr int kUsageError = 2;

std::string Dump(const nlohmann::json& json) {
    return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
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
                     "this INI file instead, read as confTapi21.ini when it has that name and as "
                     "confdirect.ini otherwise")
        ->excludes(folderOption)
        ->check(CLI::ExistingFile);
    checkCommand->add_flag("--json", json, "one JSON object instead of text");

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? 0 : kUsageError;
    }

    try {
        if (checkCommand->parsed()) {
            if (check.programFolder.empty() && check.iniFile.empty())
                check.programFolder = shell.ProgramFolder();
            if (!check.programFolder.empty())
                check.programFolder = std::filesystem::absolute(check.programFolder).string();
            const CheckReport report = CheckUnattended(registry, shell, check);
            out << (json ? Dump(ToJson(report)) : ToText(report));
            return static_cast<int>(report.outcome);
        }
    } catch (const BadInput& e) {
        err << "zelwiz-admin: " << e.what() << "; nothing was written\n";
        return kUsageError;
    }
    return 0;
}

}  // namespace zelwiz
