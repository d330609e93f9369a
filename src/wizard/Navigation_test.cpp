// The Next and Back tables and the button states of each page.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

std::int16_t NextFrom(frmWizard& w, std::int16_t step) {
    return w.SetCurrentActionForNext(step);
}

TEST(NextTable, RowsWithoutADetection) {
    struct Case {
        const char* name;
        const char* ccc;
        std::int16_t step;
        std::function<void(frmWizard&)> arrange;
        std::int16_t expected;
        std::function<void(frmWizard&)> check;
    };
    const Case cases[] = {
        {"welcome", "", 0, {}, -1, {}},
        {"profile page without an option keeps the profile", "", 1,
         [](frmWizard& w) {
             w.mvarProfile = "kept";
             for (int i = 0; i < 4; ++i)
                 w.OptionProfile(i).SetValue(false);
         },
         -1, [](frmWizard& w) { EXPECT_EQ(w.mvarProfile, "kept"); }},
        {"direct link keeps a PBX address already set", "ThirdCSTALAN", 1,
         [](frmWizard& w) { w.mvarCSTAIPAdd = "typed"; }, 2,
         [](frmWizard& w) { EXPECT_EQ(w.mvarCSTAIPAdd, "typed"); }},
        {"PBX address blank", "", 2, [](frmWizard& w) { w.txtcstaIPadd->SetText("   "); }, -1,
         [](frmWizard& w) { EXPECT_EQ(w.mvarCSTAIPAdd, ""); }},
        {"PBX address taken untrimmed", "ThirdCSTALAN", 2,
         [](frmWizard& w) { w.txtcstaIPadd->SetText(" pbx.local "); }, 4,
         [](frmWizard& w) { EXPECT_EQ(w.mvarCSTAIPAdd, " pbx.local "); }},
        {"handset: multimedia set", "", 4,
         [](frmWizard& w) {
             w.txtPhonsetnumber->SetText("kept");
             w.OptIPPhone->SetValue(true);
         },
         5, [](frmWizard& w) { EXPECT_EQ(w.txtPhonsetnumber->Text(), "kept"); }},
        {"handset: physical set proposes the number", "", 4,
         [](frmWizard& w) {
             w.mvarPhoneSetNumber = "5000";
             w.Optphonset->SetValue(true);
         },
         5, [](frmWizard& w) { EXPECT_EQ(w.txtPhonsetnumber->Text(), "5000"); }},
        {"physical set, standard installation", "", 5,
         [](frmWizard& w) {
             w.Optphonset->SetValue(true);
             w.txtPhonsetnumber->SetText("2000");
         },
         -1,
         [](frmWizard& w) {
             EXPECT_TRUE(w.mvarbIsPhoneSet);
             EXPECT_EQ(w.mvarPhoneSetNumber, "");
         }},
        {"physical set, TAPI server", "ThirdRSPI", 5,
         [](frmWizard& w) {
             w.Optphonset->SetValue(true);
             w.txtPhonsetnumber->SetText(" 2000");
         },
         8,
         [](frmWizard& w) {
             EXPECT_TRUE(w.mvarbIsPhoneSet);
             EXPECT_EQ(w.mvarPhoneSetNumber, " 2000");
         }},
        {"physical set, direct link, empty number keeps the member", "ThirdCSTALAN", 5,
         [](frmWizard& w) {
             w.mvarPhoneSetNumber = "1999";
             w.Optphonset->SetValue(true);
             w.txtPhonsetnumber->SetText("");
         },
         8, [](frmWizard& w) { EXPECT_EQ(w.mvarPhoneSetNumber, "1999"); }},
        {"VoIP board address blank goes back to the handset",
         "",
         6,
         [](frmWizard& w) { w.txtIPLANAdd->SetText("  "); },
         4,
         {}},
        {"dialing properties", "", 8, {}, 9, {}},
        {"beyond", "", 12, {}, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WizardTestPlatform p;
        frmWizard& w = p.LoadWizard();
        w.mvarCCC = c.ccc;
        if (c.arrange)
            c.arrange(w);
        EXPECT_EQ(NextFrom(w, c.step), c.expected);
        if (c.check)
            c.check(w);
        EXPECT_TRUE(p.toolkit.messageBoxes.empty());
        EXPECT_EQ(p.fakes.Created("VoipBoardFinder") + p.fakes.Created("PbxFinder"), 0);
    }
}

TEST(NextTable, MultimediaSetOnPageFive) {
    struct Case {
        const char* name;
        const char* ccc;
        std::function<void(WizardTestPlatform&)> arrange;
        std::int16_t expected;
        const char* board;  // mvarIPLANAdd after
        int finders;        // VoipBoardFinder objects made
    };
    const Case cases[] = {
        {"stored board address", "ThirdCSTALAN",
         [](WizardTestPlatform& p) { p.SetUser("TSpi_CSTA\\Provider", "IpAddress", "10.9.9.9"); },
         -1, "10.9.9.9", 0},
        {"automatic detection switched off", "ThirdCSTALAN",
         [](WizardTestPlatform& p) {
             p.SetUser("7316\\ZELWiz\\Settings", "IPLANAutodetect", "False");
         },
         6, "", 0},
        {"board found, TAPI server", "ThirdRSPI",
         [](WizardTestPlatform& p) {
             p.fakes.voip.boards = {"10.3.3.3"};
             p.AnswerSelection(0);
         },
         8, "10.3.3.3", 1},
        {"PBX too slow: the check runs once more", "ThirdCSTALAN",
         [](WizardTestPlatform& p) {
             p.fakes.voip.boards = {"10.3.3.3"};
             p.fakes.voip.connectResults = {157, 157};
             p.AnswerSelection(0);
             p.AnswerSelection(0);
         },
         6, "", 2},
        {"other failure: no second check", "ThirdCSTALAN",
         [](WizardTestPlatform& p) {
             p.fakes.voip.boards = {"10.3.3.3"};
             p.fakes.voip.connectResult = 146;
             p.AnswerSelection(0);
         },
         6, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WizardTestPlatform p;
        p.SetInstall("CCC", c.ccc);
        if (c.arrange)
            c.arrange(p);
        frmWizard& w = p.LoadWizard();
        w.OptIPPhone->SetValue(true);
        w.mvarbIsPhoneSet = true;
        EXPECT_EQ(NextFrom(w, 5), c.expected);
        EXPECT_FALSE(w.mvarbIsPhoneSet);
        EXPECT_EQ(w.mvarIPLANAdd, c.board);
        EXPECT_EQ(p.fakes.Created("VoipBoardFinder"), c.finders);
        EXPECT_TRUE(p.toolkit.messageBoxes.empty());  // page 5 shows no error
        EXPECT_TRUE(p.toolkit.modalAnswers.empty());
    }
}

TEST(BackTable, EveryStep) {
    struct Case {
        const char* ccc;
        std::int16_t step;
        bool multimedia;
        std::int16_t expected;
    };
    const Case cases[] = {
        {"", 0, false, -1},
        {"", 1, false, 1},
        {"", 2, false, 1},
        {"", 3, false, 2},
        {"", 4, false, 2},
        {"", 5, false, 4},
        {"ThirdCSTALAN", 5, false, 4},
        {"ThirdRSPI", 5, false, 1},
        {"", 6, true, 4},
        {"", 7, false, 6},
        {"", 8, true, 4},
        {"", 8, false, 5},
        {"ThirdRSPI", 8, false, 5},
        {"", 9, false, 8},
        {"", 10, false, -1},
    };
    WizardTestPlatform p;
    frmWizard& w = p.LoadWizard();
    for (const Case& c : cases) {
        w.mvarCCC = c.ccc;
        (c.multimedia ? w.OptIPPhone : w.Optphonset)->SetValue(true);
        std::int16_t step = c.step;
        EXPECT_EQ(w.SetCurrentActionForBack(step), c.expected)
            << "step " << c.step << " " << c.ccc << (c.multimedia ? " multimedia" : "");
    }
}

TEST(NavButtons, BackNextAndFinishOfEveryPage) {
    struct Row {
        std::int16_t step;
        NavState fresh;          // never configured, page 9 not reached
        NavState finishReached;  // never configured, page 9 reached before
        NavState configured;
    };
    const Row rows[] = {
        {0, {false, true, false}, {false, true, true}, {false, true, false}},
        {1, {false, true, false}, {false, true, true}, {false, true, true}},
        {2, {true, true, false}, {true, true, true}, {true, true, true}},
        {5, {true, true, false}, {true, true, true}, {true, true, true}},
        {8, {true, true, false}, {true, true, true}, {true, true, true}},
        {9, {true, false, false}, {true, false, true}, {true, false, true}},
    };
    WizardTestPlatform p;
    frmWizard& w = p.LoadWizard();
    for (const Row& row : rows) {
        const std::pair<bool, bool> modes[] = {{false, false}, {false, true}, {true, false}};
        const NavState expected[] = {row.fresh, row.finishReached, row.configured};
        for (int m = 0; m < 3; ++m) {
            w.mvarbIsWizConfigured = modes[m].first;
            w.bFinishReached = modes[m].second;
            for (int i = 2; i <= 4; ++i)
                w.cmdNav(i).SetEnabled(m % 2 == 0);
            w.cmdNav(1).SetEnabled(true);
            std::int16_t step = row.step;
            w.SetNavButtons(step);
            SCOPED_TRACE("step " + std::to_string(row.step) + " mode " + std::to_string(m));
            EXPECT_EQ(w.iCurrentStep, row.step);
            EXPECT_EQ(w.cmdNav(2).Enabled(), expected[m].back);
            EXPECT_EQ(w.cmdNav(3).Enabled(), expected[m].next);
            EXPECT_EQ(w.cmdNav(4).Enabled(), expected[m].finish);
        }
    }
}

}  // namespace
}  // namespace zelwiz
