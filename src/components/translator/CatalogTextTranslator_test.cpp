#include "components/translator/CatalogTextTranslator.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "components/frmDialingProperties.h"
#include "components/translator/BuiltInCatalogs.h"
#include "platform/Form.h"
#include "telephony/frmEditSettings.h"
#include "wizard/frmWizard.h"

namespace zelwiz {
namespace {

// The summaries join labels and values without separators of their own, so every translation
// keeps the leading and trailing blanks of the English text, its placeholders and its access key.
TEST(BuiltInCatalogs, EveryLanguageTranslatesEveryTextKeepingItsShape) {
    const PoCatalog* english = BuiltInCatalog("us");
    ASSERT_NE(english, nullptr);
    ASSERT_EQ(english->Size(), 53u) << "every localized text the program shows";
    const char* const languages[] = {"fr", "ger", "sp", "hun", "plk", "nl", "it"};
    ASSERT_EQ(BuiltInCatalogSources().size(), std::size(languages) + 1);
    for (const char* language : languages) {
        SCOPED_TRACE(language);
        const PoCatalog* catalog = BuiltInCatalog(language);
        ASSERT_NE(catalog, nullptr);
        EXPECT_EQ(catalog->Size(), english->Size());
        for (const auto& [id, source] : english->Entries()) {
            SCOPED_TRACE(id);
            const std::string* text = catalog->Find(id);
            ASSERT_NE(text, nullptr);
            EXPECT_TRUE(*text != source || source == "&OK") << *text << " left in English";
            for (const char* mark : {"%0", "%1", "&"})
                EXPECT_EQ(text->find(mark) == source.npos, source.find(mark) == source.npos)
                    << mark;
            EXPECT_EQ(text->find_first_not_of(' '), source.find_first_not_of(' '));
            EXPECT_EQ(text->back() == ' ', source.back() == ' ');
        }
    }
}

// The access key of a caption: what follows its single "&" (a letter of several UTF-8 bytes
// compared as it is), lower case; empty when none. "&&" shows an "&".
std::string AccessKey(const std::string& caption) {
    for (size_t i = caption.find('&'); i != std::string::npos && i + 1 < caption.size();
         i = caption.find('&', i + 2)) {
        if (caption[i + 1] == '&')
            continue;
        size_t end = i + 2;
        while (end < caption.size() && (static_cast<unsigned char>(caption[end]) & 0xC0) == 0x80)
            ++end;
        std::string key = caption.substr(i + 1, end - i - 1);
        key[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(key[0])));
        return key;
    }
    return {};
}

// The captions a user sees at the same time, from the forms themselves: on each wizard page,
// the page's own controls and those outside every page (the navigation bar); in a dialog, all of
// its controls.
std::vector<std::vector<std::string>> CaptionsShownTogether() {
    std::vector<std::vector<std::string>> sets;
    frmWizard wizard;
    auto pageOf = [&](const Control& control) {
        for (const Control* c = &control; c != nullptr; c = c->Container()) {
            if (c->Name() == "fraStep")
                return c->Index();
        }
        return -1;
    };
    for (int page = 0; page <= 9; ++page) {
        sets.emplace_back();
        for (const auto& control : wizard.Controls()) {
            const int on = pageOf(*control);
            if ((on == page && control->Name() != "fraStep") || on == -1)
                sets.back().push_back(control->Caption());
        }
    }
    frmDialingProperties dialing;
    for (const Form* dialog : {static_cast<const Form*>(&frmEditSettings::Instance()),
                               static_cast<const Form*>(&dialing)}) {
        sets.emplace_back();
        for (const auto& control : dialog->Controls())
            sets.back().push_back(control->Caption());
    }
    return sets;
}

TEST(BuiltInCatalogs, CaptionsShownTogetherHaveDistinctAccessKeysInEveryLanguage) {
    const auto sets = CaptionsShownTogether();
    ASSERT_EQ(sets.size(), 12u);
    std::vector<std::pair<std::string_view, const PoCatalog*>> catalogs = {{"default", nullptr}};
    for (const CatalogSource& source : BuiltInCatalogSources())
        catalogs.emplace_back(source.language, BuiltInCatalog(source.language));
    for (const auto& [language, catalog] : catalogs) {
        CatalogTextTranslator translator(catalog);
        for (const auto& captions : sets) {
            std::map<std::string, std::string> byKey;
            for (const std::string& caption : captions) {
                const std::string shown = translator.TranslateText(caption);
                const std::string key = AccessKey(shown);
                if (key.empty())
                    continue;
                auto [it, added] = byKey.emplace(key, shown);
                EXPECT_TRUE(added) << language << ": \"" << shown << "\" and \"" << it->second
                                   << "\" share the access key " << key;
            }
        }
    }
}

// The Translate slot the program calls is decided by the registered translator's tests.
TEST(CatalogTextTranslator, TranslatesByIdentifierAndFallsBackToTheDefaultText) {
    CatalogTextTranslator french(BuiltInCatalog("fr"));
    EXPECT_EQ(french.TranslateText("#01014#Cancel"), "&Annuler")
        << "the translation belongs to the identifier, whatever default text comes with it";
    // An identifier without a translation gives its default text, placeholders kept.
    EXPECT_EQ(french.TranslateText("#01021#Something %0 new"), "Something %0 new");
    EXPECT_EQ(french.TranslateText("#01099#"), "");
    // A text without an identifier comes back unchanged.
    for (const char* plain :
         {"Basic", "", "#0104#x", "#01a45#x", "01045#x", "#01045x", "#010450#x"})
        EXPECT_EQ(french.TranslateText(plain), plain);

    std::string text = "#01011#Congratulations";
    EXPECT_EQ(french.Translate(text, nullptr), E_POINTER);
    EXPECT_EQ(text, "#01011#Congratulations");  // the argument is not changed
    EXPECT_EQ(CatalogTextTranslator(nullptr).TranslateText(text), "Congratulations");
}

}  // namespace
}  // namespace zelwiz
