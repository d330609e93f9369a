// zelwiz-qtdemo: the Qt front end showing the sample ten-page wizard of the GUI tests (its own
// pages, pictures, navigation and selection dialog). With --exit-after-first-paint it ends right
// after the wizard window has been painted once: the program that the start-up measurement runs.
#include <QApplication>
#include <cstring>
#include <memory>

#include "FirstPaint.h"
#include "SampleForms.h"
#include "platform/Platform.h"
#include "ui_qt/FormWindow.h"
#include "ui_qt/QtToolkit.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zelwiz::qt::QtToolkit toolkit;
    zelwiz::InstallPlatform(zelwiz::Platform{nullptr, nullptr, &toolkit, nullptr});
    toolkit.SetAppTitle("Parlova Configuration Wizard");

    zelwiz::testing::SampleWizard wizard;
    wizard.Load();
    std::unique_ptr<FirstPaint> end;
    wizard.Show();
    if (argc > 1 && std::strcmp(argv[1], "--exit-after-first-paint") == 0)
        end = std::make_unique<FirstPaint>(toolkit.WindowOf(wizard), [&] { wizard.Unload(); });
    toolkit.Run();
    return 0;
}
