// zelwiz: the configuration wizard. Wires this build's platform (registry files, POSIX shell,
// the toolkit that opens a display only when a window is shown, the built-in components) and
// runs the start-up; the program then lives as long as the wizard window is open.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "components/BuiltInComponents.h"
#include "components/translator/RegisterTextTranslator.h"
#include "environment/mCustom.h"
#include "environment/mLogError.h"
#include "platform/ComponentCatalog.h"
#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
#include "platform/posix/FileRegistry.h"
#include "platform/posix/PosixShell.h"
#include "platform/posix/PosixSingleInstance.h"
#include "settings/mLibApi32.h"
#include "startup/CommandLineArgs.h"
#include "startup/CommitPoints.h"
#include "startup/SubMain.h"
#include "ui_qt/OnDemandToolkit.h"
#include "wizard/frmWizard.h"

using namespace zelwiz;

namespace {

// What a windowless run must tell the user goes to the error log, which prints it as well.
void Report(const std::string& text) {
    LogError("SubMain.Main", nullptr, text);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    std::unique_ptr<FileRegistry> registry = FileRegistry::FromEnvironment();
    PosixShell shell;
    ComponentCatalog catalog;
    RegisterBuiltInComponents(catalog);
    RegisterTextTranslator(catalog);
    std::unique_ptr<PosixSingleInstance> instance = PosixSingleInstance::ForThisSession();
    qt::OnDemandToolkit toolkit(Report);
    CommittingShell committingShell(shell);
    CommittingToolkit committingToolkit(toolkit);
    InstallPlatform(
        Platform{registry.get(), &committingShell, &committingToolkit, &catalog, instance.get()});
    // Until a window is shown, whatever the program logs is printed too: an administrator
    // deploying without a window sees at once why a run did not do what it should.
    SetLogEcho([](const std::string& line) { std::fprintf(stderr, "zelwiz: %s\n", line.c_str()); });

    for (const std::string& problem : registry->Problems())
        Report(problem);
    if (!instance->FolderProblem().empty())
        Report(instance->FolderProblem());

    // The title the running copy's wizard window carries, so a second copy can find it.
    ReadProductNames();
    toolkit.SetAppTitle(WizardTitle());

    int exitCode = 0;
    try {
        frmWizard wizard;
        if (Main(CommandLineText(arguments), wizard) == StartupOutcome::WizardShown) {
            SetLogEcho({});  // the user has a window now; the log is enough
            instance->Serve([&](const std::string& caption) {
                return toolkit.ActivateWindowFromAnyThread(caption);
            });
            toolkit.Run();
        }
    } catch (const ProgramEnd& end) {
        exitCode = end.exitCode;
    }
    CommitRegistry();
    if (std::getenv("ZELWIZ_DEBUG") != nullptr)
        shell.DebugOutput("registry: " + std::to_string(registry->SyncCount()) + " fsync calls");
    std::fflush(stderr);
    return exitCode;
}
