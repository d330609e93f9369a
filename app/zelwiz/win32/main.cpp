// zelwiz.exe: the configuration wizard on Windows. Wires the platform of Windows itself (the
// registry, the shell services, one copy per session) with this build's components and runs the
// start-up. Until the wizard has native windows, a run that must show it tells so and ends.
#include <cstdio>
#include <string>

#include "components/BuiltInComponents.h"
#include "components/translator/RegisterTextTranslator.h"
#include "environment/VersionInfo.h"
#include "environment/localize.h"
#include "environment/mCustom.h"
#include "environment/mLogError.h"
#include "platform/ComponentCatalog.h"
#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
#include "platform/WindowlessToolkit.h"
#include "platform/win32/CommandLineTail.h"
#include "platform/win32/VersionResource.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SingleInstance.h"
#include "startup/CommitPoints.h"
#include "startup/SubMain.h"
#include "wizard/frmWizard.h"

using namespace zelwiz;

namespace {

// What a windowless run must tell the user: one line on stderr and one in the error log.
void Report(const std::string& text) {
    std::fprintf(stderr, "zelwiz: %s\n", text.c_str());
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
    WindowlessToolkit toolkit("this build has no windows yet", Report);
    CommittingShell committingShell(shell);
    CommittingToolkit committingToolkit(toolkit);
    InstallPlatform(Platform{&registry, &committingShell, &committingToolkit, &catalog, &instance});

    // The title the running copy's wizard window carries, so a second copy can find it.
    ReadProductNames();
    toolkit.SetAppTitle(ReplaceParams("%0 Configuration Wizard", {g7316ShortName}));

    int exitCode = 0;
    try {
        frmWizard wizard;
        Main(CommandLineTail(), wizard);
    } catch (const ProgramEnd& end) {
        exitCode = end.exitCode;
    }
    CommitRegistry();
    std::fflush(stderr);
    return exitCode;
}
