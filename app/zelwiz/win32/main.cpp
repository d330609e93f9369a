// zelwiz.exe: the configuration wizard on Windows. Wires the platform of Windows itself (the
// registry, the shell services, one copy per session, the native windows) with this build's
// components and runs the start-up; the program then lives as long as the wizard window is open.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "components/BuiltInComponents.h"
#include "components/translator/RegisterTextTranslator.h"
#include "environment/VersionInfo.h"
#include "environment/mCustom.h"
#include "environment/mLogError.h"
#include "platform/ComponentCatalog.h"
#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
#include "platform/win32/CommandLineTail.h"
#include "platform/win32/VersionResource.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SingleInstance.h"
#include "startup/CommitPoints.h"
#include "startup/SubMain.h"
#include "ui_win32/Win32Toolkit.h"
#include "wizard/frmWizard.h"

using namespace zelwiz;

namespace {

// What a windowless run must tell the user goes to the error log, which prints it as well.
void Report(const std::string& text) {
    LogError("SubMain.Main", nullptr, text);
}

}  // namespace

int main() {
    VersionInfo::SetFromResource(VersionResourceText("CompanyName"),
                                 VersionResourceText("ProductName"));
    Win32Registry registry;
    Win32Shell shell;
    ComponentCatalog catalog;
    RegisterBuiltInComponents(catalog);
    RegisterTextTranslator(catalog);
    Win32SingleInstance instance("Korvane Parlova Configuration Wizard");
    win32::Win32Toolkit toolkit;
    toolkit.report = Report;
    // For the start-up measurement: the program ends right after its first window is painted.
    if (const char* exit = std::getenv("ZELWIZ_EXIT_AFTER_FIRST_PAINT"); exit && *exit)
        toolkit.onFirstPaint = [] { End(0); };
    CommittingShell committingShell(shell);
    CommittingToolkit committingToolkit(toolkit);
    InstallPlatform(Platform{&registry, &committingShell, &committingToolkit, &catalog, &instance});
    // No window is shown: whatever the program logs is printed too.
    SetLogEcho([](const std::string& line) { std::fprintf(stderr, "zelwiz: %s\n", line.c_str()); });

    // The title the running copy's wizard window carries, so a second copy can find it.
    ReadProductNames();
    toolkit.SetAppTitle(WizardTitle());

    int exitCode = 0;
    try {
        frmWizard wizard;
        if (Main(CommandLineTail(), wizard) == StartupOutcome::WizardShown)
            toolkit.Run();
    } catch (const ProgramEnd& end) {
        exitCode = end.exitCode;
    }
    CommitRegistry();
    std::fflush(stderr);
    return exitCode;
}
