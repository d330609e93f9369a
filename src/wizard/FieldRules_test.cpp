// The field rules: Next and Finish follow the page's text field, the handset
// options, and the selection of a field's text when it receives the focus.
#include <gtest/gtest.h>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

TEST(FieldRules, NextAndFinishFollowTheTrimmedText) {
    struct Case {
        bool configured;  // Finish moves with Next only then
        const char* text;
        bool finishBefore;
        bool next, finish;
    };
    const Case cases[] = {
        {false, "", true, false, true},
        {false, "   ", false, false, false},
        {false, "10.0.0.1", false, true, false},
        {false, " x ", true, true, true},
        {true, "", true, false, false},
        {true, "  ", true, false, false},
        {true, "10.0.0.1", false, true, true},
        {true, "\t", false, true, true},  // only blanks count as empty
    };
    WizardTestPlatform p;
    frmWizard& w = p.LoadWizard();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "' configured " +
                     (c.configured ? "yes" : "no"));
        w.mvarbIsWizConfigured = c.configured;
        w.txtcstaIPadd->SetText("seed");
        w.cmdNav(3).SetEnabled(!c.next);
        w.cmdNav(4).SetEnabled(c.finishBefore);
        w.txtcstaIPadd->SetText(c.text);  // the change handler applies the rule
        EXPECT_EQ(w.cmdNav(3).Enabled(), c.next);
        EXPECT_EQ(w.cmdNav(4).Enabled(), c.finish);
    }
}

TEST(FieldRules, PhoneSetNumberMovesTheButtonsOnlyWithThePhysicalSet) {
    WizardTestPlatform p;
    p.SetConfigured();
    frmWizard& w = p.LoadWizard();
    w.OptIPPhone->SetValue(true);
    EXPECT_TRUE(w.cmdNav(3).Enabled());
    EXPECT_FALSE(w.cmdNav(4).Enabled());  // OptIPPhone_Click on a configured installation
    w.txtPhonsetnumber->SetText("2000");
    w.txtPhonsetnumber->SetText("");
    EXPECT_TRUE(w.cmdNav(3).Enabled());
    EXPECT_FALSE(w.cmdNav(4).Enabled());

    w.Optphonset->SetValue(true);  // changes no button
    EXPECT_TRUE(w.cmdNav(3).Enabled());
    EXPECT_FALSE(w.cmdNav(4).Enabled());
    w.txtPhonsetnumber->SetText("2000");
    EXPECT_TRUE(w.cmdNav(4).Enabled());
    w.txtPhonsetnumber->SetText(" ");
    EXPECT_FALSE(w.cmdNav(3).Enabled());
    EXPECT_FALSE(w.cmdNav(4).Enabled());
}

}  // namespace
}  // namespace zelwiz
