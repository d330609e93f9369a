#include "startup/SubMain.h"

#include "FolderSeparator.h"  // the build's platform/posix or platform/win32
#include "environment/mCustom.h"
#include "environment/mLogError.h"
#include "environment/modMultiUser.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/Toolkit.h"
#include "settings/CRegSettings.h"
#include "startup/CommandLineArgs.h"
#include "startup/UnattendedConfig.h"
#include "telephony/ProviderHive.h"
#include "wizard/frmWizard.h"

namespace zelwiz {
namespace {

void LogMainError() {
    LogError("SubMain.Main");
}

// "-c NAME ADDRESS": the provider's machine-wide PBX name and address, then the program ends.
void WriteMachineAddresses(const std::vector<std::string>& args, size_t i, CRegSettings& reg) {
    if (reg.IsUserAdmin(HKEY_LOCAL_MACHINE, "TSpi_CSTA", "")) {
        // A missing value after "-c" is past the end of the arguments: subscript out of range.
        auto element = [&](size_t n) -> const std::string& {
            if (n >= args.size())
                Raise(kErrSubscriptOutOfRange);
            return args[n];
        };
        if (!Trim(element(i + 1)).empty()) {
            RegWriteText(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "SwitchName",
                         element(i + 1));
        }
        if (!Trim(element(i + 2)).empty()) {
            RegWriteText(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA\\Provider", "IpAddress",
                         element(i + 2));
        }
    }
}

// The product's restore tool, once per user, waited for while the user interface stays alive.
void RunRestoreToolOnce(CRegSettings& reg) {
    reg.AppName("7316");
    reg.hKey(HKEY_CURRENT_USER);
    if (Val(reg.GetSetting("Install", "SetPrlConf4-1", "0")) != 0)
        return;
    if (RegValueExists(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "IsWizConfigured")) {
        std::uint32_t processId = 0;
        ResumeNext trap(LogMainError);
        trap([&] { processId = StartProductProgram(kRestoreTool, "-s"); });
        if (processId != 0)
            trap([&] { WaitOnProgram(processId, false); });
    }
    reg.SaveSetting("Install", "SetPrlConf4-1", "-1");
}

}  // namespace

bool RegValueExists(HKEY hive, const std::string& keyPath, const std::string& valueName) {
    Registry& registry = TheRegistry();
    HKEY key = 0;
    if (registry.OpenKey(hive, keyPath, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegKey closer(registry, key);
    if (valueName.empty())
        return true;
    DWORD size = 0;
    return registry.QueryValue(key, valueName, nullptr, nullptr, &size) == ERROR_SUCCESS;
}

void RegWriteText(HKEY hive, const std::string& keyPath, const std::string& valueName,
                  const std::string& text) {
    Registry& registry = TheRegistry();
    HKEY key = 0;
    if (registry.CreateKey(hive, keyPath, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    RegKey closer(registry, key);
    registry.SetString(key, valueName, text);
}

bool WizardCompletedBefore(CRegSettings& reg) {
    const std::string configured = reg.GetSettingFromHKey(HKEY_CURRENT_USER, "7316", "Install",
                                                          "IsWizConfigured", BoolText(false));
    return Val(Trim(configured)) != 0;
}

std::string UnattendedIniFile(bool* tapi21Chosen) {
    const std::string direct = AppFolder() + kFolderSeparator + kConfDirectIni;
    *tapi21Chosen = !TheShell().PathExists(direct);
    return *tapi21Chosen ? AppFolder() + kFolderSeparator + kConfTapi21Ini : direct;
}

bool ActivatePrevInstance() {
    SingleInstance& instance = TheInstance();
    if (!instance.PrevInstance())
        return false;
    Toolkit& toolkit = TheToolkit();
    const std::string title = toolkit.AppTitle();
    toolkit.SetAppTitle("~!@#$%^&");
    const bool found = instance.ActivateWindow(title);
    TheShell().DebugOutput("SubMain.ActivatePrevInstance - the running copy " +
                           std::string(found ? "brought forward" : "has no") + " window \"" +
                           title + "\"");
    toolkit.SetAppTitle(title);
    return true;
}

StartupOutcome Main(const std::string& commandLine, frmWizard& wizard) {
    StartupOutcome outcome = StartupOutcome::Ended;
    OnErrorExit(
        [&] {
            if (ActivatePrevInstance())
                return;
            CopyHKLM2HKCU();
            bAllUsers = false;
            CRegSettings reg;

            const std::vector<std::string> args = GetCommandLineArgs(commandLine);
            const std::int32_t count = CLng(args[0]);
            for (std::int32_t i = 1; i <= count; ++i) {
                const std::string& arg = args[static_cast<size_t>(i)];
                if (arg == "-a") {
                    bAllUsers = true;
                } else if (arg == "-c") {
                    WriteMachineAddresses(args, static_cast<size_t>(i), reg);
                    return;  // the program ends, with or without the writes
                }
            }

            RunRestoreToolOnce(reg);
            ReadProductNames();

            if (!WizardCompletedBefore(reg)) {
                bool tapi21 = false;
                const std::string iniFile = UnattendedIniFile(&tapi21);
                wizard.Load();
                wizard.mvarbFileIniExist = false;
                if (TheShell().PathExists(iniFile) &&
                    RunUnattendedConfiguration(wizard, iniFile, tapi21))
                    return;
            }
            wizard.Show(false);
            outcome = StartupOutcome::WizardShown;
        },
        LogMainError);
    return outcome;
}

}  // namespace zelwiz
