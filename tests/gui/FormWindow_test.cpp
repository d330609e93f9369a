// A form shown by the Qt toolkit shows the model, follows its changes and passes the user's
// clicks, typing and focus changes back into it.
#include <QCursor>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "GuiTest.h"
#include "SampleForms.h"
#include "platform/ErrorInfo.h"

namespace zelwiz::testing {
namespace {

class SampleForm : public Form {
  public:
    SampleForm() : Form("frmSample") {
        fraHandset = &Add<Frame>("fraHandset");
        fraHandset->SetCaption("&Handset");
        OptA = &Add<OptionButton>("OptA", fraHandset);
        OptA->SetCaption("&Multimedia PC set");
        OptB = &Add<OptionButton>("OptB", fraHandset);
        OptB->SetCaption("&Physical set");
        Add<Label>("lblName").SetCaption("&Name :");
        txtName = &Add<TextBox>("txtName");
        Add<Label>("lblNumber").SetCaption("N&umber && extension :");
        txtNumber = &Add<TextBox>("txtNumber");
        cmdApply = &Add<CommandButton>("cmdApply");
        cmdApply->SetCaption("&Apply");
        cmdClose = &Add<CommandButton>("cmdClose");
        cmdClose->SetCaption("Close");

        OptA->OnClick = [this] { events.push_back("OptA_Click"); };
        OptB->OnClick = [this] { events.push_back("OptB_Click"); };
        txtName->OnChange = [this] { events.push_back("txtName_Change " + txtName->Text()); };
        for (TextBox* box : {txtName, txtNumber}) {
            box->GotFocus = [this, box] {
                events.push_back("GotFocus " + box->Name());
                box->SetSelection(0, static_cast<int>(box->Text().size()));
            };
        }
        cmdApply->OnClick = [this] { events.push_back("cmdApply_Click"); };
        cmdClose->OnClick = [this] { Unload(); };
    }
    void Form_Load() override { SetCaption("Sample settings"); }

    Frame* fraHandset;
    OptionButton *OptA, *OptB;
    TextBox *txtName, *txtNumber;
    CommandButton *cmdApply, *cmdClose;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

using FormWindowTest = GuiTest;

TEST_F(FormWindowTest, ClicksTypingAndFocusReachTheModel) {
    SampleForm form;
    QWidget* window = Show(form);
    auto* a = Widget<QRadioButton>(form, *form.OptA);
    auto* b = Widget<QRadioButton>(form, *form.OptB);
    auto* name = Widget<QLineEdit>(form, *form.txtName);
    auto* number = Widget<QLineEdit>(form, *form.txtNumber);
    ASSERT_TRUE(a && b && name && number);
    EXPECT_EQ(qobject_cast<QGroupBox*>(a->parentWidget())->title(), "&Handset");
    EXPECT_EQ(number->accessibleName(), "Number & extension :");

    form.OptB->SetValue(true);
    EXPECT_TRUE(b->isChecked());
    EXPECT_FALSE(a->isChecked()) << "the model's choice shows";
    form.OptB->SetValue(false);
    EXPECT_FALSE(a->isChecked() || b->isChecked()) << "the model may clear every option";

    form.events.clear();
    form.txtName->SetText("Jo");
    Press(Qt::Key_N, Qt::AltModifier);  // the label's access key focuses its field
    EXPECT_EQ(QApplication::focusWidget(), name);
    EXPECT_EQ(name->selectedText(), "Jo") << "GotFocus selected the whole text";
    Type("Ann");
    EXPECT_EQ(form.txtName->Text(), "Ann") << "typing replaced the selection";
    Press(Qt::Key_Left);
    Press(Qt::Key_Left);
    Type("x");
    EXPECT_EQ(form.txtName->Text(), "Axnn") << "typing in the middle keeps the caret there";
    EXPECT_EQ(form.txtName->SelStart(), 2) << "the model's caret follows the widget's";
    EXPECT_EQ(name->cursorPosition(), 2);
    Press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), number);
    EXPECT_EQ(form.events, (Events{"txtName_Change Jo", "GotFocus txtName", "txtName_Change A",
                                   "txtName_Change An", "txtName_Change Ann", "txtName_Change Axnn",
                                   "GotFocus txtNumber"}));

    form.events.clear();
    form.txtNumber->SetText("4711");
    form.txtName->SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), name);
    EXPECT_EQ(form.events, (Events{"GotFocus txtName"})) << "GotFocus once, not again by Qt";
    EXPECT_EQ(name->selectedText(), "Axnn");

    form.events.clear();
    QTest::mouseClick(Widget<QPushButton>(form, *form.cmdApply), Qt::LeftButton);
    form.cmdApply->SetEnabled(false);
    QTest::mouseClick(Widget<QPushButton>(form, *form.cmdApply), Qt::LeftButton);
    EXPECT_EQ(form.events, (Events{"cmdApply_Click"})) << "a disabled button takes no click";
    form.txtNumber->SetBackColor(0x8000000F);  // button face: a field that cannot be typed in
    EXPECT_EQ(number->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Button));
    form.txtNumber->SetBackColor(0x000000FF);  // red, stored as 0x00BBGGRR
    EXPECT_EQ(number->palette().color(QPalette::Base), QColor(255, 0, 0));
    form.txtNumber->SetBackColor(TextBox::kWindowBackground);
    Screenshot(window, "generic-form");
    form.Unload();
}

TEST_F(FormWindowTest, HourglassPointerUntrappedErrorsAndDestroyedForms) {
    auto form = std::make_unique<SampleForm>();
    QPointer<QWidget> window = Show(*form);
    form->SetMousePointer(vbHourglass);
    EXPECT_TRUE(window->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(window->cursor().shape(), Qt::WaitCursor);
    form->SetMousePointer(vbDefault);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);

    form->cmdApply->OnClick = [] { Raise(kErrTypeMismatch); };
    QTest::mouseClick(Widget<QPushButton>(*form, *form->cmdApply), Qt::LeftButton);
    ASSERT_EQ(untrapped.size(), 1u);
    EXPECT_EQ(untrapped[0].Number, kErrTypeMismatch);
    untrapped.clear();

    EXPECT_TRUE(toolkit.ActivateWindow("Sample settings"));
    EXPECT_FALSE(toolkit.ActivateWindow("Sample"));
    form.reset();  // destroyed while shown: the window lets go of it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(toolkit.ActivateWindow("Sample settings"));
}

// The program's End inside a modal form ends every event loop and reaches the program entry.
TEST_F(FormWindowTest, EndInsideAModalFormStopsEveryLoopAndReachesTheProgramEntry) {
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
