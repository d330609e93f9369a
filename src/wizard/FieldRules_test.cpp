// The field rules: Next and Finish follow the page's text field, the handset
// options, and the selection of a field's text when it receives the focus.
#include <gtest/gtest.h>

#include <vector>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

TEST(FieldRulesTable, NextAndFinishFollowTheTrimmedText) {
    struct Case {
        const char* text;
        bool finishBefore;
        bool next, finish;
    };
    struct Table {
        bool configured;
        std::vector<Case> cases;
    };
    const Table tables[] = {
        // Not configured: Finish is never touched.
        {false,
         {{"", true, false, true},
          {"   ", false, false, false},
          {"10.0.0.1", false, true, false},
          {" x ", true, true, true}}},
        // Configured: Finish moves with Next.
        {true,
         {{"", true, false, false},
          {"  ", true, false, false},
          {"10.0.0.1", false, true, true},
          {"\t", false, true, true}}},  // only blanks count as empty
    };
    for (const Table& table : tables) {
        WizardTestPlatform p;
        if (table.configured)
            p.SetConfigured();
        frmWizard& w = p.LoadWizard();
        for (const Case& c : table.cases) {
            SCOPED_TRACE(std::string("text '") + c.text + "' configured " +
                         (table.configured ? "yes" : "no"));
            w.txtcstaIPadd->SetText("seed");
            w.cmdNav(3).SetEnabled(!c.next);
            w.cmdNav(4).SetEnabled(c.finishBefore);
            w.txtcstaIPadd->SetText(c.text);  // the change handler applies the rule
            EXPECT_EQ(w.cmdNav(3).Enabled(), c.next);
            EXPECT_EQ(w.cmdNav(4).Enabled(), c.finish);
        }
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
