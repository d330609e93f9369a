// Modal forms and message boxes: the modal show returns when the form unloads, whichever way the
// user closes it.
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include "GuiTest.h"
#include "SampleForms.h"

namespace zelwiz::testing {
namespace {

using ModalTest = GuiTest;

TEST_F(ModalTest, VoipErrorMessageBoxesCarryTheirIconTitleAndOneOkButtonAndClose) {
    struct Case {
        int style;
        QMessageBox::Icon icon;
    };
    for (const Case& c :
         {Case{vbExclamation, QMessageBox::Warning}, Case{vbCritical, QMessageBox::Critical}}) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        qsizetype buttons = 0;
        WhenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            icon = box->icon();
            title = box->windowTitle();
            text = box->text();
            buttons = box->buttons().size();
            Screenshot(box, QStringLiteral("message-box-%1").arg(c.style));
            Press(Qt::Key_Return);
        });
        const int answer = toolkit.MsgBox(
            "The Wizard failed to connect to VoIP board. This IP address is not valid.", c.style,
            "Parlova Configuration Wizard");
        EXPECT_EQ(answer, vbOK);
        EXPECT_EQ(icon, c.icon) << c.style;
        EXPECT_EQ(title, "Parlova Configuration Wizard");
        EXPECT_EQ(text,
                  "The Wizard failed to connect to VoIP board. This IP address is not valid.");
        EXPECT_EQ(buttons, 1);
    }
}

TEST_F(ModalTest, EndInsideAModalFormStopsEveryLoopAndReachesTheProgramEntry) {
    SampleSelection owner;
    Show(owner);
    SampleSelection dialog;
    dialog.cmdOk->OnClick = [] { End(3); };
    bool returned = false;
    owner.cmdOk->OnClick = [&] {
        dialog.Show(true);
        returned = true;
    };
    WhenModal([](QWidget*) {
        Press(Qt::Key_Tab);  // from the list to OK
        Press(Qt::Key_Return);
    });
    QTest::mouseClick(Widget<QPushButton>(owner, *owner.cmdOk), Qt::LeftButton);
    EXPECT_FALSE(returned) << "the program ends inside the modal show";
    try {
        toolkit.Run();
        ADD_FAILURE() << "Run returned";
    } catch (const ProgramEnd& end) {
        EXPECT_EQ(end.exitCode, 3);
    }
}

}  // namespace
}  // namespace zelwiz::testing
