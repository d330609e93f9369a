#include "admin/SupportBundle.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include "admin/AdminErrors.h"
#include "admin/OutputFile.h"
#include "admin/RegBackup.h"
#include "admin/SystemDescription.h"
#include "environment/mLogError.h"
#include "environment/modMultiUser.h"
#include "platform/Shell.h"
#include "platform/Utf8Path.h"
#include "settings/mLibApi32.h"
#include "startup/UnattendedConfig.h"

namespace zelwiz {
namespace fs = std::filesystem;
namespace {

constexpr const char* kBackupName = "product-keys.reg";

std::string Now() {
    const std::time_t now = std::time(nullptr);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

}  // namespace

std::vector<std::string> MakeSupportBundle(Registry& registry, Shell& shell,
                                           const std::string& programFolder,
                                           const std::string& out) {
    const fs::path folder = Utf8Path(out);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder) || !fs::is_empty(folder, error))
        throw CommandFailed("cannot make the empty folder " + out);
    std::vector<std::string> files;
    std::string about = "zelwiz support bundle, made " + Now() + " by zelwiz-admin " +
                        ZELWIZ_VERSION + "\n\nProgram: zelwiz " + ZELWIZ_VERSION + ", in " +
                        programFolder + "\n";
    const std::string install = "Software\\Korvane\\7316\\Install";
    about += "Installed product: version \"" +
             RegReadValue(HKEY_LOCAL_MACHINE, install, "Version") + "\", build \"" +
             RegReadValue(HKEY_LOCAL_MACHINE, install, "Build") + "\", installation \"" +
             RegReadValue(HKEY_LOCAL_MACHINE, install, "CCC") + "\"\n";
    about += "Platform: " + SystemDescription() + "\nUser: " + shell.LoginUserName() + "\n\n";

    const std::string log = ErrorLogPath();
    const std::string logName = Utf8Text(Utf8Path(log).filename());
    if (fs::copy_file(Utf8Path(log), folder / Utf8Path(logName), error)) {
        files.push_back(logName);
        about += "Error log: " + log + ", copied as " + logName + "\n";
    } else {
        about += "Error log: " + log + " is not there (nothing was logged)\n";
    }
    try {
        WriteFileWhole(Utf8Text(folder / kBackupName), BackupProductKeys(registry));
        files.push_back(kBackupName);
        about += "Product keys: " + std::string(kBackupName) + "\n";
    } catch (const CommandFailed& e) {
        about += "Product keys: none (" + std::string(e.what()) + ")\n";
    }
    for (const char* ini : {kConfDirectIni, kConfTapi21Ini}) {
        const fs::path source = Utf8Path(programFolder) / ini;
        if (fs::copy_file(source, folder / ini, error)) {
            files.push_back(ini);
            about += "INI file: " + Utf8Text(source) + ", copied\n";
        } else {
            about += "INI file: " + Utf8Text(source) + " is not there\n";
        }
    }
    WriteFileWhole(Utf8Text(folder / "about.txt"), about);
    files.insert(files.begin(), "about.txt");
    return files;
}

}  // namespace zelwiz
