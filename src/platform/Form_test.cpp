#include "platform/Form.h"

#include <gtest/gtest.h>

namespace zelwiz {
namespace {

class SampleForm : public Form {
  public:
    SampleForm() : Form("frmSample") {
        Frame* page = &Add<Frame>("fraPage");
        a = &Add<OptionButton>("OptA", page);
        b = &Add<OptionButton>("OptB", page);
        other = &Add<OptionButton>("OptOther");
        a->OnClick = [this] { clicks.push_back("A"); };
        b->OnClick = [this] { clicks.push_back("B"); };
    }

    OptionButton *a, *b, *other;
    std::vector<std::string> clicks;
};

TEST(WindowModel, SelectingAnOptionClearsItsContainerSiblingsAndRunsItsClick) {
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

}  // namespace
}  // namespace zelwiz
