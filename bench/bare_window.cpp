// The reference of the start-up measurement: a bare Qt Widgets window, shown and, with
// --exit-after-first-paint, closed right after it has been painted once.
#include <QApplication>
#include <QWidget>
#include <cstring>
#include <memory>

#include "FirstPaint.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(584, 360);
    std::unique_ptr<FirstPaint> end;
    if (argc > 1 && std::strcmp(argv[1], "--exit-after-first-paint") == 0)
        end = std::make_unique<FirstPaint>(&window, [] { QCoreApplication::quit(); });
    window.show();
    return QApplication::exec();
}
