// Modal forms and message boxes: the modal show returns when the form unloads, whichever way the
// user closes it.
#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "GuiTest.h"
#include "SampleForms.h"

namespace zelwiz::testing {
namespace {

class ModalTest : public GuiTest {
  protected:
    // Shows the selection dialog modally, as the detection does, and answers what it chose.
    struct Outcome {
        bool cancelled;
        std::string address;
    };
    Outcome Select(const std::function<void(QWidget*)>& answer) {
        SampleSelection dialog;
        dialog.lbIPAddsMsg->SetCaption("Please select an IP address and click &OK to continue.");
        for (const char* address : {"10.0.0.1", "10.0.0.2", "pbx-north"})
            dialog.lstIPAdds->AddItem(address);
        WhenModal(answer);
        dialog.Show(true);
        EXPECT_FALSE(dialog.IsLoaded()) << "the modal show returns once the dialog unloaded";
        return {dialog.bUnload, dialog.sSelectedIPAdd};
    }
};

TEST_F(ModalTest, TheListDialogIsAnsweredWithTheKeyboard) {
    bool wasModal = false;
    bool listFocused = false;
    const Outcome chosen = Select([&](QWidget* modal) {
        wasModal = modal->isModal() && modal->windowTitle() == "PBX selection";
        listFocused = qobject_cast<QListWidget*>(QApplication::focusWidget()) != nullptr;
        Screenshot(modal, "selection-dialog-modal");
        Press(Qt::Key_Down);  // from the first address, which has the focus frame, to the second
        Press(Qt::Key_Tab);   // to OK
        Press(Qt::Key_Return);
    });
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(listFocused) << "the list has the focus first";
    EXPECT_FALSE(chosen.cancelled);
    EXPECT_EQ(chosen.address, "10.0.0.2");

    const Outcome cancelled = Select([](QWidget*) { Press(Qt::Key_C, Qt::AltModifier); });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.address, "");

    const Outcome closed = Select([](QWidget* modal) { modal->close(); });
    EXPECT_FALSE(closed.cancelled) << "closing the window is neither OK nor Cancel";
    EXPECT_EQ(closed.address, "");
}

TEST_F(ModalTest, MessageBoxesCarryTheirIconTitleAndOneOkButton) {
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
        const int answer =
            toolkit.MsgBox("Parlova cannot work properly until you restart your computer.", c.style,
                           "Parlova Configuration Wizard");
        EXPECT_EQ(answer, vbOK);
        EXPECT_EQ(icon, c.icon) << c.style;
        EXPECT_EQ(title, "Parlova Configuration Wizard");
        EXPECT_EQ(text, "Parlova cannot work properly until you restart your computer.");
        EXPECT_EQ(buttons, 1);
    }
}

TEST_F(ModalTest, EndInsideAModalFormStopsEveryLoopAndReachesTheProgramEntry) {
    SampleWizard wizard;
    Show(wizard);
    wizard.cmdNav_Click(3);
    wizard.cmdNav_Click(3);
    SampleSelection dialog;
    dialog.cmdOk->OnClick = [] { End(3); };
    bool returned = false;
    wizard.cmdCstaIpDetect->OnClick = [&] {
        dialog.Show(true);
        returned = true;
    };
    WhenModal([](QWidget*) {
        Press(Qt::Key_Tab);  // from the list to OK
        Press(Qt::Key_Return);
    });
    QTest::mouseClick(Widget<QPushButton>(wizard, *wizard.cmdCstaIpDetect), Qt::LeftButton);
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
