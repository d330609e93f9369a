// The program's wizard on the Qt toolkit, driven as a user does: keys and clicks on the real
// window, the registry asserted afterwards.
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include "GuiTest.h"
#include "support/WizardTestPlatform.h"
#include "ui_qt/WizardView.h"

namespace zelwiz::testing {
namespace {

class RealWizardTest : public GuiTest {
  protected:
    // The page the window shows, as a step number; -1 for none.
    int ShownStep() {
        qt::FormWindow* window = WindowOf(*p.wizard);
        auto* stack = window->findChild<QStackedWidget*>();
        for (int step = 0; step < 10; ++step) {
            if (stack->currentWidget() == window->WidgetOf(p.wizard->fraStep(step)))
                return step;
        }
        return -1;
    }
    std::optional<std::string> User(const std::string& path, const std::string& name) {
        return p.Raw(HKEY_CURRENT_USER, "Software\\Korvane\\" + path, name);
    }

    WizardTestPlatform p;  // installed before GuiTest::SetUp puts the Qt toolkit in
};

TEST_F(RealWizardTest, TypicalPathToFinishWithScreenshotOfEachPage) {
    p.fakes.voip.ednText = "7001";
    frmWizard& w = p.LoadWizard();
    QWidget* window = Show(w);
    ASSERT_NE(dynamic_cast<qt::WizardView*>(&WindowOf(w)->View()), nullptr);
    EXPECT_EQ(window->windowTitle(), "Parlova Configuration Wizard");
    auto shot = [&] { Screenshot(window, QStringLiteral("wizard-page-%1").arg(w.iCurrentStep)); };

    EXPECT_EQ(ShownStep(), 0);
    shot();
    Press(Qt::Key_Return);
    EXPECT_EQ(ShownStep(), 1);
    shot();
    Press(Qt::Key_Return);  // the stored profile stays chosen

    EXPECT_EQ(ShownStep(), 2);
    auto* address = Widget<QLineEdit>(w, *w.txtcstaIPadd);
    EXPECT_EQ(QApplication::focusWidget(), address);
    Type("10.1.1.1");
    shot();
    Press(Qt::Key_Return);  // Enter reaches the form's Next, not the field

    EXPECT_EQ(ShownStep(), 4);
    auto* pcSet = Widget<QRadioButton>(w, *w.OptIPPhone);
    QTest::mouseClick(pcSet, Qt::LeftButton, {}, QPoint(8, pcSet->height() / 2));
    EXPECT_TRUE(w.OptIPPhone->Value());
    Press(Qt::Key_Down);  // back to the physical set with the arrow key
    EXPECT_TRUE(w.Optphonset->Value());
    EXPECT_FALSE(w.OptIPPhone->Value());
    shot();
    Press(Qt::Key_Return);

    EXPECT_EQ(ShownStep(), 5);
    EXPECT_EQ(QApplication::focusWidget(), Widget<QLineEdit>(w, *w.txtPhonsetnumber));
    Type("2000");
    shot();
    Press(Qt::Key_Return);

    EXPECT_EQ(ShownStep(), 6);
    EXPECT_EQ(QApplication::focusWidget(), Widget<QLineEdit>(w, *w.txtIPLANAdd));
    Type("10.2.2.2");
    shot();
    Press(Qt::Key_Return);  // the board answers: on to the dialing properties

    EXPECT_EQ(ShownStep(), 8);
    // Each value stands beside its caption, though it was filled in before the page first showed.
    auto* areaCaption = Widget<QLabel>(w, *w.AreaCode);
    auto* areaValue = Widget<QLabel>(w, *w.lbareacode);
    ASSERT_TRUE(areaCaption && areaValue);
    EXPECT_EQ(areaValue->text(), "01");
    EXPECT_EQ(areaValue->y(), areaCaption->y());
    EXPECT_GT(areaValue->x(), areaCaption->geometry().right());
    shot();
    Press(Qt::Key_Return);
    EXPECT_EQ(ShownStep(), 9);
    shot();

    // Finish (Enter: Next is disabled on the last page). The line check fails with the fakes,
    // so the wizard asks for a restart before it closes.
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        title = box->windowTitle();
        Screenshot(box, "wizard-restart-message");
        Press(Qt::Key_Return);
    });
    Press(Qt::Key_Return);
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(title, "Parlova Configuration Wizard");
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(WindowOf(w), nullptr);
    EXPECT_EQ(User("7316\\Install", "IsWizConfigured"), std::string("-1", 3));
    EXPECT_EQ(User("TSpi_CSTA", "SwitchName"), std::string("10.1.1.1", 9));
    EXPECT_EQ(User("7316\\ZELDial\\Settings", "ExtHandsetvisible"), std::string("0", 2));
    EXPECT_TRUE(p.Log().empty());
}

TEST_F(RealWizardTest, AltAndTheConfigureKeyOpenTheDialingPropertiesOnTheDialingPage) {
    frmWizard& w = p.LoadWizard();
    Show(w);
    std::int16_t step = 8, forward = 2;
    w.SetStep(step, forward);
    ASSERT_EQ(ShownStep(), 8);
    const std::string caption = w.cmdDialingProperties->Caption();
    const size_t amp = caption.find('&');
    ASSERT_NE(amp, std::string::npos) << caption;
    const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(caption[amp + 1])));
    ASSERT_TRUE(key >= 'a' && key <= 'z') << caption;
    Press(static_cast<Qt::Key>(Qt::Key_A + (key - 'a')), Qt::AltModifier);
    EXPECT_TRUE(WaitUntil([&] { return p.fakes.provider.configuredDevices.size() == 1; }))
        << "Alt+" << key << " did not press " << caption;
    w.Unload();
}

TEST_F(RealWizardTest, EscapeInAFieldCancelsWithoutSaving) {
    frmWizard& w = p.LoadWizard();
    Show(w);
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), Widget<QLineEdit>(w, *w.txtcstaIPadd));
    Type("10.9.9.9");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(User("7316\\Install", "IsWizConfigured"), std::nullopt);
    EXPECT_EQ(User("TSpi_CSTA", "SwitchName"), std::nullopt);
}

}  // namespace
}  // namespace zelwiz::testing
