#include "platform/Form.h"

#include <gtest/gtest.h>

#include "platform/ErrorInfo.h"
#include "platform/HeadlessToolkit.h"
#include "platform/Platform.h"

namespace zelwiz {
namespace {

class SampleForm : public Form {
  public:
    SampleForm() : Form("frmSample") {
        page = &Add<Frame>("fraPage");
        a = &Add<OptionButton>("OptA", page);
        b = &Add<OptionButton>("OptB", page);
        other = &Add<OptionButton>("OptOther");
        text = &Add<TextBox>("txtField", page);
        AddTo(nav, "cmdNav", 1);
        AddTo(nav, "cmdNav", 3);
        a->OnClick = [this] { clicks.push_back("A"); };
        b->OnClick = [this] { clicks.push_back("B"); };
        text->OnChange = [this] { clicks.push_back("change:" + text->Text()); };
        text->GotFocus = [this] { clicks.push_back("focus"); };
    }
    void Form_Load() override { ++loads; }
    void Form_Unload(int& cancel) override {
        ++unloads;
        cancel = refuseUnload ? 1 : 0;
    }

    Frame* page;
    OptionButton *a, *b, *other;
    TextBox* text;
    ControlArray<CommandButton> nav;
    std::vector<std::string> clicks;
    int loads = 0, unloads = 0;
    bool refuseUnload = false;
};

class WindowModel : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = InstallPlatform(Platform{nullptr, nullptr, &toolkit, nullptr});
    }
    void TearDown() override { InstallPlatform(previous); }
    HeadlessToolkit toolkit;
    Platform previous;
};

TEST_F(WindowModel, SelectingAnOptionClearsItsContainerSiblingsAndRunsItsClick) {
    SampleForm f;
    f.other->SetValue(true);
    f.a->SetValue(true);
    f.b->SetValue(true);
    EXPECT_FALSE(f.a->Value());
    EXPECT_TRUE(f.b->Value());
    EXPECT_TRUE(f.other->Value()) << "another container keeps its choice";
    f.b->SetValue(true);
    f.b->SetValue(false);
    EXPECT_EQ(f.clicks, (std::vector<std::string>{"A", "B"}))
        << "no click when nothing changes or on clearing";
}

TEST_F(WindowModel, ChangeHandlerRunsOnlyForADifferentTextAndFocusRunsGotFocus) {
    SampleForm f;
    f.Load();
    f.text->SetText("abc");
    f.text->SetText("abc");
    f.text->SetFocus();
    EXPECT_EQ(f.clicks, (std::vector<std::string>{"change:abc", "focus"}));
    EXPECT_EQ(toolkit.focused, f.text);
    f.text->SetEnabled(false);
    EXPECT_THROW(f.text->SetFocus(), BasicError) << "a disabled control cannot take the focus";
}

TEST_F(WindowModel, ModalShowReturnsAfterTheScriptedAnswerAndUnloadsOnce) {
    SampleForm f;
    toolkit.modalAnswers.push_back(
        [](Form& form) { static_cast<SampleForm&>(form).b->SetValue(true); });
    f.Show(true);
    EXPECT_EQ(f.loads, 1);
    EXPECT_EQ(f.unloads, 1);
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_TRUE(f.b->Value()) << "the form's state survives its unloading";
    ASSERT_EQ(toolkit.shown.size(), 1u);
    EXPECT_TRUE(toolkit.shown[0].modal);
    EXPECT_TRUE(toolkit.openForms.empty());

    f.Show(false);
    f.SetCaption("Parlova Configuration Wizard");
    EXPECT_TRUE(toolkit.ActivateWindow("Parlova Configuration Wizard"));
    EXPECT_FALSE(toolkit.ActivateWindow("Parlova"));
    f.refuseUnload = true;
    f.Unload();
    EXPECT_TRUE(f.IsLoaded()) << "Form_Unload may cancel";
}

}  // namespace
}  // namespace zelwiz
