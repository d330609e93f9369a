// The wizard layout: the picture of the step, the page in front, the navigation bar; the whole
// wizard driven with the keyboard alone.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>

#include "GuiTest.h"
#include "SampleForms.h"
#include "ui_qt/PicturePane.h"
#include "ui_qt/WizardView.h"

namespace zelwiz::testing {
namespace {

class WizardTest : public GuiTest {
  protected:
    QWidget* PageInFront(const SampleWizard& wizard) {
        auto* stack = WindowOf(wizard)->findChild<QStackedWidget*>();
        return stack == nullptr ? nullptr : stack->currentWidget();
    }
    QWidget* PageOf(const SampleWizard& wizard, int step) {
        return WindowOf(wizard)->WidgetOf(wizard.fraStep(step));
    }
    qt::PicturePane* Pane(const SampleWizard& wizard) {
        return WindowOf(wizard)->findChild<qt::PicturePane*>();
    }
};

TEST_F(WizardTest, LayoutShowsThePageAtLeftZeroItsPictureAndTheNavigationBar) {
    SampleWizard wizard;
    QWidget* window = Show(wizard);
    auto* view = dynamic_cast<qt::WizardView*>(&WindowOf(wizard)->View());
    ASSERT_NE(view, nullptr) << "the wizard form gets the wizard layout";
    EXPECT_EQ(window->windowTitle(), "Parlova Configuration Wizard");
    EXPECT_EQ(PageInFront(wizard), PageOf(wizard, 0));
    EXPECT_EQ(Pane(wizard)->Step(), 0);
    EXPECT_FALSE(Pane(wizard)->ShowsFile());

    // Back, Next, Finish, Cancel from left to right, together on the bar picNav.
    std::vector<int> order;
    QWidget* bar = window->findChild<QWidget*>("picNav");
    for (int index : {2, 3, 4, 1}) {
        auto* button = Widget<QPushButton>(wizard, wizard.cmdNav(index));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->parentWidget(), bar);
        order.push_back(button->mapTo(window, QPoint()).x());
    }
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_GT(window->findChild<QWidget*>("picNav")->mapTo(window, QPoint()).y(),
              PageOf(wizard, 0)->mapTo(window, QPoint()).y());

    // The page brought to Left 0 comes to the front even while the one it replaces is still at 0.
    wizard.fraStep(8).SetLeft(0);
    EXPECT_EQ(PageInFront(wizard), PageOf(wizard, 8));
    EXPECT_EQ(Pane(wizard)->Step(), 8);
    // A caption ending in ":" and the empty label after it stand side by side.
    QApplication::processEvents();
    QWidget* name = WindowOf(wizard)->WidgetOf(*wizard.FindControl("AreaCode"));
    QWidget* value = WindowOf(wizard)->WidgetOf(*wizard.dialingValues[0]);
    EXPECT_EQ(value->geometry().top(), name->geometry().top());
    EXPECT_GT(value->geometry().left(), name->geometry().right());
    wizard.fraStep(8).SetLeft(-10000);
    EXPECT_EQ(PageInFront(wizard), PageOf(wizard, 0));
    wizard.fraStep(0).SetEnabled(false);
    EXPECT_FALSE(PageOf(wizard, 0)->isEnabled());
    EXPECT_EQ(PageOf(wizard, 0)->accessibleName(), "Introduction Screen");
    wizard.Unload();
}

TEST_F(WizardTest, KeyboardAloneFromTheWelcomePageToFinish) {
    SampleWizard wizard;
    Show(wizard);
    Press(Qt::Key_Return);  // Next, seen by the form before the focused button
    EXPECT_EQ(wizard.iCurrentStep, 1);
    Press(Qt::Key_Tab);  // from Next to Cancel (Finish is disabled)
    Press(Qt::Key_Tab);  // round to the page: the first profile
    EXPECT_EQ(QApplication::focusWidget(), Widget<QRadioButton>(wizard, wizard.OptionProfile(0)));
    Press(Qt::Key_Space);
    EXPECT_TRUE(wizard.OptionProfile(0).Value());
    Press(Qt::Key_Down);
    EXPECT_TRUE(wizard.OptionProfile(1).Value()) << "the arrow keys move the choice";
    EXPECT_FALSE(wizard.OptionProfile(0).Value());
    Press(Qt::Key_N, Qt::AltModifier);  // Next by its access key
    ASSERT_TRUE(WaitUntil([&] { return wizard.iCurrentStep == 2; }));

    auto* address = Widget<QLineEdit>(wizard, *wizard.txtcstaIPadd);
    EXPECT_EQ(QApplication::focusWidget(), address) << "the page put the focus on its field";
    EXPECT_FALSE(wizard.cmdNav(3).Enabled()) << "Next waits for an address";
    Press(Qt::Key_Return);
    EXPECT_EQ(wizard.iCurrentStep, 2) << "Enter with Next disabled and Finish disabled: nothing";
    Type("pbx-main");
    EXPECT_EQ(wizard.txtcstaIPadd->Text(), "pbx-main");
    EXPECT_TRUE(Widget<QPushButton>(wizard, wizard.cmdNav(3))->isEnabled());
    Press(Qt::Key_Return);  // reaches Form_KeyDown, not the text box
    EXPECT_EQ(wizard.iCurrentStep, 3);
    Press(Qt::Key_Return);
    EXPECT_EQ(wizard.iCurrentStep, 4);
    Press(Qt::Key_P, Qt::AltModifier);  // "I want to use a &physical set"
    ASSERT_TRUE(WaitUntil([&] { return wizard.Optphonset->Value(); }));
    for (int step = 4; step < 9; ++step)
        Press(Qt::Key_Return);
    EXPECT_EQ(wizard.iCurrentStep, 9);
    EXPECT_TRUE(Widget<QPushButton>(wizard, wizard.cmdNav(4))->isEnabled());
    Press(Qt::Key_Return);  // Next is disabled on the last page: Enter is Finish
    EXPECT_TRUE(wizard.saved);
    EXPECT_FALSE(wizard.IsLoaded());
    EXPECT_EQ(WindowOf(wizard), nullptr);
}

TEST_F(WizardTest, EscapeCancelsFromAFieldAndTabFollowsThePage) {
    SampleWizard wizard;
    wizard.txtcstaIPadd->SetText("old-pbx");
    Show(wizard);
    wizard.cmdNav_Click(3);
    wizard.cmdNav_Click(3);
    auto* address = Widget<QLineEdit>(wizard, *wizard.txtcstaIPadd);
    EXPECT_EQ(QApplication::focusWidget(), address);
    EXPECT_EQ(address->selectedText(), "old-pbx") << "a field's text is selected on the focus";

    // Tab order: the page in creation order, then Back, Next, Finish (disabled), Cancel.
    std::vector<QWidget*> chain;
    for (int i = 0; i < 5; ++i) {
        Press(Qt::Key_Tab);
        chain.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(chain,
              (std::vector<QWidget*>{Widget<QPushButton>(wizard, *wizard.cmdCstaIpDetect),
                                     Widget<QPushButton>(wizard, wizard.cmdNav(2)),
                                     Widget<QPushButton>(wizard, wizard.cmdNav(3)),
                                     Widget<QPushButton>(wizard, wizard.cmdNav(1)), address}));
    EXPECT_EQ(wizard.events.back(), "GotFocus txtcstaIPadd") << "tabbing in runs GotFocus again";

    Press(Qt::Key_Escape);
    EXPECT_FALSE(wizard.IsLoaded());
    EXPECT_FALSE(wizard.saved);
    EXPECT_EQ(wizard.events.back(), "cmdNav_Click 1");
}

TEST_F(WizardTest, DetectShowsTheSelectionDialogOverTheWizard) {
    SampleWizard wizard;
    Show(wizard);
    wizard.cmdNav_Click(3);
    wizard.cmdNav_Click(3);
    QWidget* parent = nullptr;
    WhenModal([&](QWidget* modal) {
        parent = modal->parentWidget();
        Press(Qt::Key_End);
        Press(Qt::Key_O, Qt::AltModifier);
    });
    Press(Qt::Key_D, Qt::AltModifier);  // &Detect
    ASSERT_TRUE(WaitUntil([&] { return wizard.txtcstaIPadd->Text() == "pbx-north"; }));
    EXPECT_EQ(parent, WindowOf(wizard)) << "the dialog stands over the wizard";
    EXPECT_TRUE(Widget<QPushButton>(wizard, wizard.cmdNav(3))->isEnabled());
    wizard.Unload();
}

TEST_F(WizardTest, ScreenshotOfEveryPageWithTheDrawnAndTheCustomPicture) {
    SampleWizard wizard;
    QWidget* window = Show(wizard);
    wizard.OptionProfile(1).SetValue(true);
    wizard.txtcstaIPadd->SetText("pbx-main");
    for (int step = 0; step < 10; ++step) {
        if (step > 0)
            wizard.cmdNav_Click(3);
        EXPECT_EQ(PageInFront(wizard), PageOf(wizard, step));
        EXPECT_EQ(Pane(wizard)->Step(), step);
        Screenshot(window, QStringLiteral("sample-wizard-page-%1").arg(step));
    }
    wizard.Unload();

    // "AWindow.bmp" beside the program replaces the drawn pictures on every page.
    QTemporaryDir dir;
    QImage custom(164, 314, QImage::Format_RGB32);
    custom.fill(QColor(120, 40, 40));
    ASSERT_TRUE(custom.save(dir.filePath("AWindow.bmp")));
    SampleWizard branded;
    branded.pictureFile = dir.filePath("AWindow.bmp").toStdString();
    window = Show(branded);
    EXPECT_TRUE(Pane(branded)->ShowsFile());
    branded.cmdNav_Click(3);
    EXPECT_TRUE(Pane(branded)->ShowsFile()) << "Next copies the picture of page 0";
    EXPECT_EQ(window->grab().toImage().pixelColor(window->devicePixelRatio() * 10,
                                                  window->devicePixelRatio() * 10),
              QColor(120, 40, 40));
    Screenshot(window, "sample-wizard-custom-picture");
    branded.Unload();
}

}  // namespace
}  // namespace zelwiz::testing
