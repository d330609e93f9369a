#include "components/translator/RegisterTextTranslator.h"

#include <gtest/gtest.h>

#include "environment/ProductKeys.h"
#include "environment/TextTranslator.h"
#include "platform/ComponentCatalog.h"
#include "support/ScopedTestPlatform.h"

namespace zelwiz {
namespace {

class RegisteredTranslator : public ::testing::Test {
  protected:
    RegisteredTranslator() {
        RegisterTextTranslator(catalog);
        InstallPlatform(Platform{&test.registry, &test.shell, &test.toolkit, &catalog});
    }
    void SetLang(const std::string& lang) {
        test.SetText(HKEY_CURRENT_USER, ProductKeys::ZELPhoneSettings(), "lang", lang);
    }
    std::string TranslateWithNewObject(std::string text) {
        auto translator = CreateComponent<TextTranslator>(kCLSID_TextTranslator);
        std::string result;
        EXPECT_EQ(translator->Translate(text, &result), S_OK);
        return result;
    }

    ScopedTestPlatform test;
    ComponentCatalog catalog;
};

TEST_F(RegisteredTranslator, FollowsTheUsersLanguageThroughTheDefaultLanguageList) {
    struct Case {
        const char* lang;  // nullptr: no value
        const char* title;
    };
    const Case cases[] = {
        {nullptr, "%0 Configuration Wizard"},       // index 0: us
        {"1", "Assistant de configuration de %0"},  // fr
        {" 2 ", "%0 Konfigurations-Assistent"},     // ger, blanks ignored
        {"4", "%0 konfigurációs varázsló"},         // hun
        {"6", "%0 Configuration Wizard"},           // no entry 6: English
        {"8", "Configurazione guidata di %0"},      // it
        {"9", "%0 Configuration Wizard"},           // outside the list
        {"-1", "%0 Configuration Wizard"},
        {"fr", "%0 Configuration Wizard"},  // not a number: index 0
    };
    for (const Case& c : cases) {
        if (c.lang != nullptr)
            SetLang(c.lang);
        EXPECT_EQ(TranslateWithNewObject("#01045#%0 Configuration Wizard"), c.title)
            << (c.lang ? c.lang : "(none)");
    }
}

TEST_F(RegisteredTranslator, FollowsAnInstallationsOwnLanguageList) {
    test.SetText(HKEY_LOCAL_MACHINE, ProductKeys::Install(), "LanguageChoice",
                 "0,it,5909,0; 1,us,5900,0; 2,jp,5910,0");
    EXPECT_EQ(TranslateWithNewObject("#01011#Congratulations"), "Congratulazioni");
    SetLang("1");
    EXPECT_EQ(TranslateWithNewObject("#01011#Congratulations"), "Congratulations");
    SetLang("2");  // a language this build has no catalog for
    EXPECT_EQ(TranslateWithNewObject("#01011#Congratulations"), "Congratulations");
}

}  // namespace
}  // namespace zelwiz
