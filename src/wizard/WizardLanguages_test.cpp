// The wizard in the user's language: the form translated at load, the texts set
// by program translated when they are set, the product's short name in every
// placeholder, and the character set of the language on every control.
#include <gtest/gtest.h>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

TEST(WizardLanguages, French) {
    WizardTestPlatform p;
    p.SetUser("7316\\ZELPhone\\Settings", "lang", "1");
    p.SetInstall("7316ShortName", "Parlova Neo");
    frmWizard& w = p.LoadWizard();

    EXPECT_EQ(w.Caption(), "Assistant de configuration de Parlova Neo");
    EXPECT_EQ(p.toolkit.AppTitle(), "Assistant de configuration de Parlova Neo");
    EXPECT_EQ(w.cmdNav(3).Caption(), "&Suivant >");

    p.fakes.voip.connectResult = 148;
    w.txtIPLANAdd->SetText("10.2.2.2");
    std::int16_t step = 6;
    EXPECT_EQ(w.SetCurrentActionForNext(step), 8);
    ASSERT_EQ(p.toolkit.messageBoxes.size(), 1u);
    EXPECT_EQ(p.toolkit.messageBoxes[0].prompt,
              "Parlova Neo est en cours d'utilisation. Cette opération n'est pas autorisée. "
              "Veuillez fermer Parlova Neo et réessayer.");
    EXPECT_EQ(p.toolkit.messageBoxes[0].title, "Assistant de configuration de Parlova Neo");
}

TEST(WizardLanguages, PolishTakesTheEasternEuropeanCharsetOnEveryControl) {
    WizardTestPlatform p;
    p.SetUser("7316\\ZELPhone\\Settings", "lang", "5");
    p.SetInstall("CCC", "ThirdRSPI");
    frmWizard& w = p.LoadWizard();

    EXPECT_EQ(w.cmdNav(3).Caption(), "&Dalej >");
    int controlsWithFont = 0;
    for (const auto& control : w.Controls()) {
        if (!control->HasFont())
            continue;
        ++controlsWithFont;
        EXPECT_EQ(control->FontCharset(), 238) << control->Name() << " " << control->Index();
    }
    EXPECT_GT(controlsWithFont, 50);

    p.Next();
    p.Next();
    w.txtPhonsetnumber->SetText("3000");
    p.Next();
    p.Next();
    EXPECT_EQ(w.lbfinishsettings->Caption(),
              " Korvane Parlova 4.0 Build 1234\r\n"
              "  Połączenie z serwerem Microsoft TAPI 2.1\r\n"
              "  Profil: Team\r\n"
              "  Twój numer telefonu: 3000\r\n"
              "  Numer kierunkowy: 01\r\n"
              "  Kraj: 33\r\n"
              "  Kod wyjścia na linię miejską (połączenia lokalne): 0\r\n"
              "  Kod wyjścia na linię miejską (połączenia międzymiastowe): 00\r\n"
              "  Prefiks centrali: 0");
}

}  // namespace
}  // namespace zelwiz
