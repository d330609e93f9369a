// zelwiz-qtdemo: the program's wizard window on the Qt front end, over an in-memory registry
// (nothing of the user's configuration is read or written) with this build's components and
// translator. With --exit-after-first-paint it ends right after the wizard window has been
// painted once: the program that the start-up measurement runs.
#include <QApplication>
#include <cstring>
#include <memory>

#include "FirstPaint.h"
#include "components/BuiltInComponents.h"
#include "components/translator/RegisterTextTranslator.h"
#include "platform/ComponentCatalog.h"
#include "platform/Platform.h"
#include "platform/TreeRegistry.h"
#include "platform/posix/PosixShell.h"
#include "telephony/ProviderHive.h"
#include "ui_qt/FormWindow.h"
#include "ui_qt/QtToolkit.h"
#include "wizard/frmWizard.h"

using namespace zelwiz;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qt::QtToolkit toolkit;
    TreeRegistry registry;
    PosixShell shell;
    ComponentCatalog catalog;
    RegisterBuiltInComponents(catalog, [] { return bAllUsers; });
    RegisterTextTranslator(catalog);
    InstallPlatform(Platform{&registry, &shell, &toolkit, &catalog});
    toolkit.SetAppTitle("Parlova Configuration Wizard");

    try {
        frmWizard wizard;
        wizard.Show();
        std::unique_ptr<FirstPaint> end;
        if (argc > 1 && std::strcmp(argv[1], "--exit-after-first-paint") == 0)
            end = std::make_unique<FirstPaint>(toolkit.WindowOf(wizard), [&] { wizard.Unload(); });
        toolkit.Run();
    } catch (const ProgramEnd& end) {
        return end.exitCode;
    }
    return 0;
}
