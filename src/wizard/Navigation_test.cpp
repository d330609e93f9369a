// The Next and Back tables, the button states of each page and the field rules that move them,
// and the wizard driven headless along its typical paths, forth and back, as the user presses the
// buttons.
#include <gtest/gtest.h>

#include <deque>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

// Next from the profile page and the pages with a text field: the page that follows (-1: the
// next one) and what the member of the page's field holds after it.
TEST(NextTable, ProfileAndFieldPages) {
    struct Case {
        const char* name;
        const char* ccc;
        std::int16_t step;
        const char* text;    // the page's field (the PBX address on page 1)
        const char* before;  // the field's member before
        std::int16_t expected;
        const char* after;
    };
    const Case cases[] = {
        {"no profile chosen, a PBX address already set", "ThirdCSTALAN", 1, "", "set", 2, "set"},
        {"PBX address blank", "", 2, "   ", "", -1, ""},
        {"PBX address taken untrimmed", "ThirdCSTALAN", 2, " pbx.local ", "", 4, " pbx.local "},
        {"physical set, standard installation", "", 5, "2000", "", -1, ""},
        {"physical set, TAPI server", "ThirdRSPI", 5, " 2000", "", 8, " 2000"},
        {"physical set, direct link, empty number", "ThirdCSTALAN", 5, "", "1999", 8, "1999"},
        {"VoIP board address blank goes back to the handset", "", 6, "  ", "", 4, ""},
        {"beyond the last page", "", 10, "", "", -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WizardTestPlatform p;
        frmWizard& w = p.LoadWizard();
        w.mvarCCC = c.ccc;
        w.mvarProfile = "kept";
        for (int i = 0; i < 4; ++i)
            w.OptionProfile(i).SetValue(false);
        w.Optphonset->SetValue(true);
        TextBox& field = c.step == 5   ? *w.txtPhonsetnumber
                         : c.step == 6 ? *w.txtIPLANAdd
                                       : *w.txtcstaIPadd;
        std::string& member = c.step == 5   ? w.mvarPhoneSetNumber
                              : c.step == 6 ? w.mvarIPLANAdd
                                            : w.mvarCSTAIPAdd;
        member = c.before;
        field.SetText(c.text);
        std::int16_t step = c.step;
        EXPECT_EQ(w.SetCurrentActionForNext(step), c.expected);
        EXPECT_EQ(member, c.after);
        EXPECT_EQ(w.mvarProfile, "kept");
        EXPECT_EQ(w.mvarbIsPhoneSet, c.step == 5);
        EXPECT_TRUE(p.toolkit.messageBoxes.empty());
        EXPECT_EQ(p.fakes.Created("VoipBoardFinder") + p.fakes.Created("PbxFinder"), 0);
    }
}

TEST(NextTable, MultimediaSetOnPageFive) {
    struct Case {
        const char* name;
        const char* ccc;
        const char* stored;               // the provider's board address
        const char* autodetect;           // "IPLANAutodetect"
        std::deque<std::int32_t> checks;  // the board's answers, one discovery and dialog each
        std::int16_t expected;
        const char* board;  // mvarIPLANAdd after
    };
    const Case cases[] = {
        {"stored board address", "ThirdCSTALAN", "10.9.9.9", "True", {}, -1, "10.9.9.9"},
        {"automatic detection switched off", "ThirdCSTALAN", "", "False", {}, 6, ""},
        {"board found, standard installation", "", "", "True", {0}, -1, "10.3.3.3"},
        {"PBX too slow: the check runs once more", "ThirdCSTALAN", "", "True", {157, 157}, 6, ""},
        {"other failure: no second check", "ThirdCSTALAN", "", "True", {146}, 6, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WizardTestPlatform p;
        p.SetInstall("CCC", c.ccc);
        p.SetUser("TSpi_CSTA\\Provider", "IpAddress", c.stored);
        p.SetUser("7316\\ZELWiz\\Settings", "IPLANAutodetect", c.autodetect);
        p.fakes.voip.boards = {"10.3.3.3"};
        p.fakes.voip.connectResults = c.checks;
        for (size_t i = 0; i < c.checks.size(); ++i)
            p.AnswerSelection(0);
        frmWizard& w = p.LoadWizard();
        w.OptIPPhone->SetValue(true);
        w.mvarbIsPhoneSet = true;
        std::int16_t step = 5;
        EXPECT_EQ(w.SetCurrentActionForNext(step), c.expected);
        EXPECT_FALSE(w.mvarbIsPhoneSet);
        EXPECT_EQ(w.mvarIPLANAdd, c.board);
        EXPECT_EQ(p.fakes.Created("VoipBoardFinder"), static_cast<int>(c.checks.size()));
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
            std::int16_t step = row.step;
            w.SetNavButtons(step);
            SCOPED_TRACE("step " + std::to_string(row.step) + " mode " + std::to_string(m));
            EXPECT_EQ(w.cmdNav(2).Enabled(), expected[m].back);
            EXPECT_EQ(w.cmdNav(3).Enabled(), expected[m].next);
            EXPECT_EQ(w.cmdNav(4).Enabled(), expected[m].finish);
        }
    }
}

// The field rules: Next, and Finish once the wizard was completed before, follow the page's field.
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

// The paths: at each step the page in front and its buttons, the fields and the members.
constexpr NavState kFirst{false, true, false};    // pages 0 and 1 before page 9 was reached
constexpr NavState kMiddle{true, true, false};    // Finish disabled until page 9
constexpr NavState kBlocked{true, false, false};  // an empty field holds Next back
constexpr NavState kLast{true, false, true};

// The summaries of a standard installation are the summary tests' own.
TEST(WizardPaths, StandardInstallationWithThePhysicalSet) {
    WizardTestPlatform p;
    frmWizard& w = p.LoadWizard();
    ExpectFront(w, 0, kFirst);
    EXPECT_EQ(w.mvarProfile, "2");  // nothing stored: Team, written back for the user

    p.Next();
    ExpectFront(w, 1, kFirst);
    EXPECT_TRUE(w.OptionProfile(2).Value());
    w.OptionProfile(1).SetValue(true);

    p.Next();
    ExpectFront(w, 2, kBlocked);
    EXPECT_EQ(w.mvarProfile, " 1");
    w.txtcstaIPadd->SetText("10.1.1.1");

    p.Next();
    ExpectFront(w, 4, kMiddle);
    EXPECT_TRUE(w.Optphonset->Value());  // no multimedia set stored

    p.Next();
    ExpectFront(w, 5, kMiddle);
    EXPECT_TRUE(w.fraStep(5).Visible());
    w.txtPhonsetnumber->SetText("2000");

    p.Next();
    ExpectFront(w, 6, kBlocked);
    w.txtIPLANAdd->SetText("  10.2.2.2 ");

    p.Next();
    ExpectFront(w, 8, kMiddle);
    EXPECT_EQ(w.mvarIPLANAdd, "10.2.2.2");
    EXPECT_EQ(w.lbprefixepbx->Caption(), "0");              // no PBX prefix: the local access code
    EXPECT_EQ(p.fakes.Created("ProviderConfigurator"), 0);  // a dialing location exists

    p.Next();
    ExpectFront(w, 9, kLast);

    // And back again: Finish stays enabled from now on, the fields keep what was typed.
    for (int page : {8, 5, 4, 2, 1}) {
        p.Back();
        ExpectFront(w, page, {page > 1, true, true});
    }
    EXPECT_EQ(w.txtPhonsetnumber->Text(), "2000");
    EXPECT_TRUE(w.Optphonset->Value());
    EXPECT_EQ(w.txtcstaIPadd->Text(), "10.1.1.1");
    EXPECT_TRUE(w.OptionProfile(1).Value());

    EXPECT_TRUE(p.Log().empty());
    EXPECT_EQ(p.fakes.LiveOperationObjects(), 0);
}

TEST(WizardPaths, DirectLinkWithTheMultimediaSetFoundAtOnce) {
    WizardTestPlatform p;
    p.SetInstall("CCC", "ThirdCSTALAN");
    p.fakes.provider.providers = {{"Korvane TAPI Service Provider", "", "9", ""}};
    p.fakes.pbx.addresses = {"10.0.0.1"};
    p.AnswerSelection(0);  // the PBX
    p.fakes.voip.boards = {"10.3.3.3"};
    p.fakes.voip.ednText = "7001";
    p.AnswerSelection(0);  // the VoIP board
    frmWizard& w = p.LoadWizard();
    EXPECT_EQ(w.lbIntro->Caption(),
              " Korvane Parlova 4.0 Build 1234\r\n"
              "  A direct connection to the PBX\r\n"
              "  Profile : Team\r\n"
              "  Area Code : 01\r\n"
              "  Country : 33\r\n"
              "  Local Access Code : 0\r\n"
              "  Long Distance Access Code : 00\r\n");

    p.Next();
    w.OptionProfile(1).SetValue(true);
    p.Next();
    ExpectFront(w, 2, kMiddle);
    EXPECT_EQ(w.txtcstaIPadd->Text(), "10.0.0.1");
    EXPECT_EQ(w.sPrefixePbx, "9");

    p.Next();
    ExpectFront(w, 4, kMiddle);
    w.OptIPPhone->SetValue(true);
    p.Next();  // found and reached: straight to the dialing properties
    ExpectFront(w, 8, kMiddle);
    EXPECT_FALSE(w.fraStep(5).Visible());
    EXPECT_EQ(w.mvarIPLANAdd, "10.3.3.3");
    EXPECT_EQ(w.mvarIP_EDN, "7001");
    EXPECT_EQ(w.lbprefixepbx->Caption(), "9");

    p.Next();
    ExpectFront(w, 9, kLast);
    EXPECT_EQ(w.lbfinishsettings->Caption(),
              " Korvane Parlova 4.0 Build 1234\r\n"
              "  A direct connection to the PBX\r\n"
              "  Profile : Pro\r\n"
              "  PBX : 10.0.0.1\r\n"
              "  VoIP board : 10.3.3.3\r\n"
              "  Your phone number : 7001\r\n"
              "  Area Code : 01\r\n"
              "  Country : 33\r\n"
              "  Local Access Code : 0\r\n"
              "  Long Distance Access Code : 00\r\n"
              "  PBX Prefixe : 9");
    EXPECT_TRUE(p.toolkit.modalAnswers.empty());
    EXPECT_TRUE(p.Log().empty());
}

TEST(WizardPaths, FinishOnPageOneTakesTheProfileAndSaves) {
    WizardTestPlatform p;
    p.SetConfigured();
    frmWizard& w = p.LoadWizard();
    ExpectFront(w, 0, {false, true, false});
    p.Next();
    ExpectFront(w, 1, {false, true, true});
    w.OptionProfile(3).SetValue(true);
    p.Finish();  // the page's values are taken over before saving
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\ZELPhone\\Settings", "PhoneMode"),
              std::string("3", 2));
    // No multimedia set number: the save stops with a type mismatch, which the
    // button's trap logs before it closes the wizard all the same.
    ExpectOneLogLine(p, "frmWizard.cmdNav_Click", "Type mismatch - 13 (0xD)");
}

}  // namespace
}  // namespace zelwiz
