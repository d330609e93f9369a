#include "components/translator/RegisterTextTranslator.h"

#include <gtest/gtest.h>

#include "environment/ProductKeys.h"
#include "environment/TextTranslator.h"
#include "platform/ComponentCatalog.h"
#include "support/ScopedTestPlatform.h"

namespace zelwiz {
namespace {

// Each translator object is made for the user's language as it stands, through the installation's
// language list or the default one.
TEST(RegisteredTranslator, FollowsTheUsersLanguageThroughTheLanguageList) {
    const char* const ownList = "0,it,5909,0; 1,us,5900,0; 2,jp,5910,0";
    const struct {
        const char* list;  // the installation's "LanguageChoice"; nullptr: the default list
        const char* lang;  // nullptr: no value
        const char* title;
    } cases[] = {
        {nullptr, nullptr, "%0 Configuration Wizard"},       // index 0: us
        {nullptr, "1", "Assistant de configuration de %0"},  // fr
        {nullptr, " 2 ", "%0 Konfigurations-Assistent"},     // ger, blanks ignored
        {nullptr, "4", "%0 konfigurációs varázsló"},         // hun
        {nullptr, "6", "%0 Configuration Wizard"},           // no entry 6: English
        {nullptr, "8", "Configurazione guidata di %0"},      // it
        {nullptr, "9", "%0 Configuration Wizard"},           // outside the list
        {nullptr, "-1", "%0 Configuration Wizard"},
        {nullptr, "fr", "%0 Configuration Wizard"},  // not a number: index 0
        {ownList, nullptr, "Configurazione guidata di %0"},
        {ownList, "1", "%0 Configuration Wizard"},
        {ownList, "2", "%0 Configuration Wizard"},  // a language this build has no catalog for
    };
    for (const auto& c : cases) {
        ScopedTestPlatform test;
        ComponentCatalog catalog;
        RegisterTextTranslator(catalog);
        InstallPlatform(Platform{&test.registry, &test.shell, &test.toolkit, &catalog});
        if (c.list != nullptr)
            test.SetText(HKEY_LOCAL_MACHINE, ProductKeys::Install(), "LanguageChoice", c.list);
        if (c.lang != nullptr)
            test.SetText(HKEY_CURRENT_USER, ProductKeys::ZELPhoneSettings(), "lang", c.lang);
        std::string text = "#01045#%0 Configuration Wizard", title;
        EXPECT_EQ(CreateComponent<TextTranslator>(kCLSID_TextTranslator)->Translate(text, &title),
                  S_OK);
        EXPECT_EQ(title, c.title) << (c.list ? c.list : "default list") << ", lang "
                                  << (c.lang ? c.lang : "(none)");
    }
}

}  // namespace
}  // namespace zelwiz
