#include "environment/modMultiUser.h"

#include <chrono>
#include <thread>
#include "FolderSeparator.h"  // the build's platform/posix or platform/win32

#include "environment/ErrorReport.h"
#include "environment/ProductKeys.h"
#include "environment/mCustom.h"
#include "environment/mLogError.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/Toolkit.h"
#include "settings/mLibApi32.h"

namespace zelwiz {
namespace {

std::string DataPathCache;
bool IsPerUserPath = false;

// Between two polls of a running program: long enough not to spin, short enough that the window
// stays responsive.
constexpr std::chrono::milliseconds kPollInterval{20};

}  // namespace

std::string AppFolder() {
    return TheShell().ProgramFolder();
}

std::string GetNetUserName() {
    std::string name = TheShell().LoginUserName();
    return name.substr(0, name.find('\0'));
}

std::string DataPath() {
    if (!DataPathCache.empty())
        return DataPathCache;
    std::string result;
    OnErrorExit(
        [&] {
            // A folder exists from here on, even if a later step fails: an error logged meanwhile
            // finds it.
            DataPathCache = AppFolder();
            const std::string userPath =
                Trim(RegReadValue(HKEY_CURRENT_USER, ProductKeys::ZELPhone(), "DataPath"));
            std::string multiUser =
                Trim(RegReadValue(HKEY_LOCAL_MACHINE, ProductKeys::Install(), "MultiUser"));
            if (multiUser.empty())
                multiUser = "yes";
            const std::string machinePath =
                Trim(RegReadValue(HKEY_LOCAL_MACHINE, ProductKeys::Install(), "DataPath"));

            if (!userPath.empty()) {
                DataPathCache = userPath;
                IsPerUserPath = true;
            } else if (UCase(multiUser) == "YES") {
                const std::string profile = GetUserProfilePath();
                if (!profile.empty()) {
                    DataPathCache = profile + kFolderSeparator + g7316Name;
                    IsPerUserPath = true;
                }
            } else if (!machinePath.empty()) {
                DataPathCache = machinePath;
            }
            MakeSubDir(DataPathCache);
            result = DataPathCache;
        },
        [] { LogError("modMultiUser.DataPath"); });
    return result;
}

std::string GetUserProfilePath() {
    std::string result;
    OnErrorExit(
        [&] {
            const std::string folder = TheShell().AppDataFolder(true);
            if (folder.empty())
                return;
            if (!TheShell().PathExists(folder)) {
                LogError("modMultiUser.GetUserProfilePath", nullptr, "The folder does not exist");
                return;
            }
            result = folder.substr(0, folder.find('\0'));
        },
        [] { LogError("modMultiUser.GetUserProfilePath"); });
    return result;
}

// Each level ends at the next separator or, when none is left, at the end of a drive name ("D:"
// on Windows; where paths have no drives a ":" is an ordinary character of a folder name).
void MakeSubDir(const std::string& Path) {
    const auto levelEnd = [](const std::string& rest) {
        const size_t sep = rest.find(kFolderSeparator);
        return sep != std::string::npos ? sep : rest.find_first_of(kDriveSeparators);
    };
    OnErrorExit(
        [&] {
            std::string prefix;
            std::string rest = Path;
            for (size_t sep = levelEnd(rest); sep != std::string::npos; sep = levelEnd(rest)) {
                prefix += rest.substr(0, sep + 1);
                rest.erase(0, sep + 1);
                MakeDir(prefix);
            }
            std::string whole = Path;
            MakeDir(whole);
        },
        [] { LogError("modMultiUser.MakeSubDir"); });
}

void MakeDir(std::string& Path) {
    ResumeNext trap([] { LogError("modMultiUser.MakeDir"); });
    bool exists = false;
    trap([&] { exists = Path.empty() || TheShell().PathExists(Path); });
    if (exists)
        return;
    std::int32_t code = 0;
    trap([&] { code = TheShell().CreateFolder(Path, !IsPerUserPath); });
    if (code != 0) {
        // The failed call's system error stands in the log line, as the API's last error did.
        Err().LastDllError = code;
        LogError("modMultiUser.MakeDir", nullptr, Path);
    }
}

std::uint32_t StartProductProgram(const std::string& name, const std::string& arguments) {
    const std::string path = AppFolder() + kFolderSeparator + name;
    const std::uint32_t processId =
        TheShell().StartProgram("\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments));
    if (processId == 0)
        Raise(kErrFileNotFound, {}, "File not found: " + path);
    return processId;
}

std::uint32_t WaitOnProgram(std::uint32_t ProcessId, bool Wait) {
    std::uint32_t exitCode = 0;
    OnErrorExit(
        [&] {
            Shell& shell = TheShell();
            const Shell::ProcessHandle process = shell.OpenProcess(ProcessId);
            if (process == 0)
                return;
            if (Wait) {
                if (!shell.WaitForProcess(process)) {
                    shell.CloseProcess(process);
                    return;
                }
                shell.GetExitCode(process, &exitCode);
            } else {
                bool known = shell.GetExitCode(process, &exitCode);
                while (known && exitCode == STILL_ACTIVE) {
                    TheToolkit().DoEvents();
                    std::this_thread::sleep_for(kPollInterval);
                    known = shell.GetExitCode(process, &exitCode);
                }
                if (!known)
                    exitCode = 0;  // the code cannot be read any more: stop waiting
            }
            shell.CloseProcess(process);
        },
        [] { LogError("modMultiUser.WaitOnProgram"); });
    return exitCode;
}

void CopyHKLM2HKCU() {
    OnErrorExit(
        [] {
            for (const char* name : {"lang", "Help"}) {
                if (!Trim(RegReadValue(HKEY_CURRENT_USER, ProductKeys::ZELPhoneSettings(), name))
                         .empty())
                    continue;
                std::string value =
                    Trim(RegReadValue(HKEY_LOCAL_MACHINE, ProductKeys::Install(), name));
                if (value.empty())
                    value = "0";
                RegWriteValue(HKEY_CURRENT_USER, ProductKeys::ZELPhoneSettings(), name, value);
            }
        },
        [] {
            TheToolkit().MsgBox(ErrorReport(Err(), "modMultiUser.CopyHKLM2HKCU"), vbCritical,
                                "Titre");
        });
}

void ResetMultiUserForTests() {
    DataPathCache.clear();
    IsPerUserPath = false;
}

}  // namespace zelwiz
