#include "GuiTest.h"

#include <QDir>

namespace zelwiz::testing {

void GuiTest::Screenshot(QWidget* window, const QString& name) {
    const QString folder =
        qEnvironmentVariable("ZELWIZ_SCREENSHOTS", QStringLiteral("screenshots"));
    QDir().mkpath(folder);
    const qreal scale = window->devicePixelRatioF();
    const QString suffix = scale > 1.0 ? QStringLiteral("@%1x").arg(scale) : QString();
    QApplication::processEvents();
    EXPECT_TRUE(window->grab().save(folder + "/" + name + suffix + ".png")) << name.toStdString();
}

}  // namespace zelwiz::testing
