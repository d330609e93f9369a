#pragma once
// What the GUI tests share: the Qt toolkit installed as the platform's toolkit, real key presses
// sent through the window system, answering a modal window from inside its event loop, and
// screenshots written into the build folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/Form.h"
#include "platform/Platform.h"
#include "ui_qt/FormWindow.h"
#include "ui_qt/QtToolkit.h"

namespace zelwiz::testing {

class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The Qt toolkit takes the place of whatever toolkit the platform had.
        Platform platform = CurrentPlatform();
        platform.toolkit = &toolkit;
        previous_ = InstallPlatform(platform);
        toolkit.onUntrappedError = [this](const ErrorRecord& e) { untrapped.push_back(e); };
    }
    void TearDown() override {
        InstallPlatform(previous_);
        EXPECT_TRUE(untrapped.empty()) << "untrapped run-time error " << untrapped[0].Number;
    }

    qt::FormWindow* WindowOf(const Form& form) { return toolkit.WindowOf(form); }

    // Shows the form (not modally) and waits for its window to become active.
    QWidget* Show(Form& form) {
        form.Show();
        QWidget* window = WindowOf(form);
        EXPECT_TRUE(window != nullptr && QTest::qWaitForWindowActive(window)) << "no active window";
        return window;
    }

    template <class W>
    W* Widget(const Form& form, const Control& control) {
        auto* window = toolkit.WindowOf(form);
        return window == nullptr ? nullptr : qobject_cast<W*>(window->WidgetOf(control));
    }

    // Presses a key as the keyboard does: through the active window to the focused widget.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activeWindow();
        ASSERT_NE(target, nullptr) << "no active window to type into";
        QTest::keyClick(target->windowHandle(), key, modifiers);
    }
    static void Type(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }

    // Runs `answer` once a modal window (a modal form or a message box) is up, from inside its
    // event loop; the test goes on when the modal show returns.
    static void WhenModal(std::function<void(QWidget* modal)> answer) {
        auto* timer = new QTimer;
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [timer, answer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            QPointer<QWidget> shown(modal);
            // A dialog shares the activation of its parent: wait for the dialog itself.
            if (QTest::qWaitFor([&] { return QApplication::activeWindow() == modal; }))
                answer(modal);
            else
                ADD_FAILURE() << "the modal window did not become active";
            // A window the answer failed to close would hold the test for ever.
            if (shown && shown->isVisible()) {
                QTimer::singleShot(3000, shown, [shown] {
                    if (shown && shown->isVisible()) {
                        ADD_FAILURE() << "the answer left the modal window open";
                        shown->close();
                    }
                });
            }
        });
        timer->start();
    }

    // Saves a picture of the window into the screenshot folder of the build.
    static void Screenshot(QWidget* window, const QString& name) {
        const QString folder =
            qEnvironmentVariable("ZELWIZ_SCREENSHOTS", QStringLiteral("screenshots"));
        QDir().mkpath(folder);
        const qreal scale = window->devicePixelRatioF();
        const QString suffix = scale > 1.0 ? QStringLiteral("@%1x").arg(scale) : QString();
        QApplication::processEvents();
        EXPECT_TRUE(window->grab().save(folder + "/" + name + suffix + ".png"))
            << name.toStdString();
    }

    qt::QtToolkit toolkit;
    std::vector<ErrorRecord> untrapped;

  private:
    Platform previous_;
};

}  // namespace zelwiz::testing
