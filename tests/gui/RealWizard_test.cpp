// The program's wizard on the Qt toolkit, driven as a user does: keys and clicks on the real
// window, the registry asserted afterwards.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include "GuiTest.h"
#include "environment/Translation.h"
#include "support/WizardTestPlatform.h"
#include "telephony/frmEditSettings.h"
#include "ui_qt/ControlWidgets.h"
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

TEST_F(RealWizardTest, TypicalPathToFinishWithTheKeyboard) {
    p.fakes.voip.ednText = "7001";
    frmWizard& w = p.LoadWizard();
    QWidget* window = Show(w);
    ASSERT_NE(dynamic_cast<qt::WizardView*>(&WindowOf(w)->View()), nullptr);
    EXPECT_EQ(window->windowTitle(), "Parlova Configuration Wizard");

    EXPECT_EQ(ShownStep(), 0);
    Press(Qt::Key_Return);
    EXPECT_EQ(ShownStep(), 1);
    Press(Qt::Key_Return);  // the stored profile stays chosen

    EXPECT_EQ(ShownStep(), 2);
    auto* address = Widget<QLineEdit>(w, *w.txtcstaIPadd);
    EXPECT_EQ(QApplication::focusWidget(), address);
    Type("10.1.1.1");
    Press(Qt::Key_Return);  // Enter reaches the form's Next, not the field

    EXPECT_EQ(ShownStep(), 4);
    auto* pcSet = Widget<QRadioButton>(w, *w.OptIPPhone);
    QTest::mouseClick(pcSet, Qt::LeftButton, {}, QPoint(8, pcSet->height() / 2));
    EXPECT_TRUE(w.OptIPPhone->Value());
    Press(Qt::Key_Down);  // back to the physical set with the arrow key
    EXPECT_TRUE(w.Optphonset->Value());
    EXPECT_FALSE(w.OptIPPhone->Value());
    Press(Qt::Key_Return);

    EXPECT_EQ(ShownStep(), 5);
    EXPECT_EQ(QApplication::focusWidget(), Widget<QLineEdit>(w, *w.txtPhonsetnumber));
    Type("2000");
    Press(Qt::Key_Return);

    EXPECT_EQ(ShownStep(), 6);
    EXPECT_EQ(QApplication::focusWidget(), Widget<QLineEdit>(w, *w.txtIPLANAdd));
    Type("10.2.2.2");
    Press(Qt::Key_Return);  // the board answers: on to the dialing properties

    EXPECT_EQ(ShownStep(), 8);
    EXPECT_EQ(w.lbareacode->Caption(), "01");
    // Alt and the access key of Configure open the dialing properties; Alt+N goes on.
    const std::string configure = w.cmdDialingProperties->Caption();
    const size_t amp = configure.find('&');
    ASSERT_NE(amp, std::string::npos) << configure;
    const char key =
        static_cast<char>(std::tolower(static_cast<unsigned char>(configure[amp + 1])));
    ASSERT_TRUE(key >= 'a' && key <= 'z') << configure;
    Press(static_cast<Qt::Key>(Qt::Key_A + (key - 'a')), Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.fakes.provider.configuredDevices.size() == 1; }))
        << "Alt+" << key << " did not press " << configure;
    Press(Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ShownStep() == 9; }));

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

// What depends on the scale: where the controls of each page stand.
TEST_F(RealWizardTest, LayoutAndScreenshotOfEachPage) {
    frmWizard& w = p.LoadWizard();
    QWidget* window = Show(w);
    for (std::int16_t page = 0; page < 10; ++page) {
        std::int16_t step = page, byNext = 2;
        w.SetStep(step, byNext);
        ASSERT_EQ(ShownStep(), page);
        Screenshot(window, QStringLiteral("wizard-page-%1").arg(page));
    }
    // Each value of the dialing page stands beside its caption, though it was filled in before
    // the page first showed.
    auto* caption = Widget<QLabel>(w, *w.AreaCode);
    auto* value = Widget<QLabel>(w, *w.lbareacode);
    ASSERT_TRUE(caption && value);
    EXPECT_EQ(value->text(), "01");
    EXPECT_EQ(value->y(), caption->y());
    EXPECT_GT(value->x(), caption->geometry().right());
    w.Unload();
}

// The address selection dialog over the wizard: translated before it shows, in the character set
// of the user's language, following the model's changes while it is up, answered with the keys.
TEST_F(RealWizardTest, SelectionDialogShowsTheModelAndIsAnsweredWithTheKeyboard) {
    p.SetUser("7316\\ZELPhone\\Settings", "lang", "4");  // Hungarian: Eastern European fonts
    Show(p.LoadWizard());
    bVoipSelection = false;
    frmEditSettings& dialog = frmEditSettings::Default();
    dialog.lbIPAddsMsg->SetCaption(Translate(
        "#01046#The Wizard has found several PBX IP Addresses. Please select an IP address and "
        "click OK to continue."));
    for (const char* address : {"10.1.0.10", "10.1.0.11", "pbx-north.example"})
        dialog.lstIPAdds->AddItem(address);
    WhenModal([&](QWidget* modal) {
        auto* message = Widget<QLabel>(dialog, *dialog.lbIPAddsMsg);
        auto* list = Widget<QListWidget>(dialog, *dialog.lstIPAdds);
        auto* ok = Widget<QPushButton>(dialog, *dialog.cmdOk);
        ASSERT_TRUE(message && list && ok);
        EXPECT_EQ(modal->windowTitle(), "Alközpont kiválasztása");
        EXPECT_EQ(ok->text(), "&OK") << "the form is translated before it shows";
        EXPECT_EQ(ok->accessibleName(), "OK");
        EXPECT_EQ(message->buddy(), list) << "the label names the list that follows it";
        EXPECT_EQ(list->accessibleName(), message->text());
        EXPECT_EQ(list->property(qt::kFontCharsetProperty).toInt(), 238);
        ASSERT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ(list->selectedItems()[0]->text(), "10.1.0.10") << "the first address is chosen";
        Screenshot(modal, "frmEditSettings");

        dialog.SetCaption("VoIP board selection");
        dialog.lstIPAdds->Clear();
        EXPECT_EQ(list->count(), 0);
        dialog.lstIPAdds->AddItem("voip-1");
        dialog.lstIPAdds->AddItem("voip-2");
        dialog.lstIPAdds->SetSelectedIndex(1);
        dialog.cmdCancel->SetVisible(false);
        dialog.lbIPAddsMsg->SetCaption("Choose a board");
        dialog.lbIPAddsMsg->SetFontCharset(0);
        EXPECT_EQ(modal->windowTitle(), "VoIP board selection");
        EXPECT_EQ(list->selectedItems().value(0)->text(), "voip-2");
        EXPECT_TRUE(Widget<QPushButton>(dialog, *dialog.cmdCancel)->isHidden());
        EXPECT_EQ(message->text(), "Choose a board");
        EXPECT_EQ(list->accessibleName(), "Choose a board") << "the field's name follows its label";
        EXPECT_EQ(message->property(qt::kFontCharsetProperty).toInt(), 0);
        dialog.cmdOk->SetEnabled(false);
        EXPECT_FALSE(ok->isEnabled());
        dialog.cmdOk->SetEnabled(true);
        dialog.lbIPAddsMsg->SetLeft(-10000);
        EXPECT_TRUE(message->isHidden()) << "a control out of the window is not shown";
        Press(Qt::Key_Up);
        Press(Qt::Key_Tab);
        Press(Qt::Key_Return);
    });
    dialog.ShowModal();
    EXPECT_FALSE(frmEditSettings::Instance().bIsUnload());
    EXPECT_EQ(frmEditSettings::Instance().GetSelectedIPAdd(), "voip-1");
    frmEditSettings::Instance().Unload();
    p.wizard->Unload();
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
