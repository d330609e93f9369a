// The wizard driven headless along its typical paths, forth and back, as the
// user presses the buttons: at each step the page in front, the buttons, the
// fields and the members, and on pages 0 and 9 the exact summary.
#include <gtest/gtest.h>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

constexpr NavState kFirst{false, true, false};    // pages 0 and 1 before page 9 was reached
constexpr NavState kMiddle{true, true, false};    // Finish disabled until page 9
constexpr NavState kBlocked{true, false, false};  // an empty field holds Next back
constexpr NavState kLast{true, false, true};

// Presses Back once for each page given, which comes in front with Finish enabled (page 9
// was reached).
void BackThrough(WizardTestPlatform& p, frmWizard& w, std::initializer_list<int> pages) {
    for (int page : pages) {
        p.Back();
        ExpectFront(w, page, {page > 1, true, true});
    }
}

const char kStoredNothing[] =
    " Korvane Parlova 4.0 Build 1234\r\n"
    "  Not found\r\n"
    "  Profile : Team\r\n"
    "  Area Code : 01\r\n"
    "  Country : 33\r\n"
    "  Local Access Code : 0\r\n"
    "  Long Distance Access Code : 00\r\n";

TEST(WizardPaths, StandardInstallationWithThePhysicalSet) {
    WizardTestPlatform p;
    p.fakes.voip.ednText = "7001";
    frmWizard& w = p.LoadWizard();

    ExpectFront(w, 0, kFirst);
    EXPECT_EQ(w.lbIntro->Caption(), kStoredNothing);
    EXPECT_EQ(w.mvarProfile,
              "2");  // nothing stored: Team, written back for the user

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
    EXPECT_EQ(w.lbprefixepbx->Caption(),
              "0");  // no PBX prefix: the local access code
    EXPECT_EQ(p.fakes.Created("ProviderConfigurator"),
              0);  // a dialing location exists

    p.Next();
    ExpectFront(w, 9, kLast);
    EXPECT_EQ(w.lbfinishsettings->Caption(),
              " Korvane Parlova 4.0 Build 1234\r\n"
              "  Not found\r\n"
              "  Profile : Pro\r\n"
              "  Your phone number : \r\n"
              "  Area Code : 01\r\n"
              "  Country : 33\r\n"
              "  Local Access Code : 0\r\n"
              "  Long Distance Access Code : 00\r\n"
              "  PBX Prefixe : 0");

    // And back again: Finish stays enabled from now on.
    BackThrough(p, w, {8, 5, 4, 2, 1});
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

    BackThrough(p, w, {8, 4, 2, 1});
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
    EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "ProductProfil"),
              std::string("2", 2));
    EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\ZELPhone\\Settings", "PhoneMode"),
              std::string("3", 2));
    // No multimedia set number: the save stops with a type mismatch, which the
    // button's trap logs before it closes the wizard all the same.
    const auto log = p.Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0][1].rfind(WizardLogPrefix(&w, "frmWizard.cmdNav_Click"), 0), 0u) << log[0][1];
    EXPECT_EQ(log[0][3], "Type mismatch - 13 (0xD)");
}

}  // namespace
}  // namespace zelwiz
