#include "components/translator/CatalogTextTranslator.h"

#include <gtest/gtest.h>

#include "components/translator/BuiltInCatalogs.h"
#include "platform/Form.h"

namespace zelwiz {
namespace {

// Every localized string the program shows, with its English text.
struct EnglishText {
    const char* id;
    const char* text;
};
const EnglishText kEnglish[] = {
    {"01000",
     "Welcome to the %0 Configuration Wizard program. This Program will help you to configure %1. "
     "You can use this Wizard to set up a new or an existing configuration."},
    {"01001",
     "After completing this window, the Wizard will automatically set all %0 parameters. Please "
     "specify the type of handset you would like to use and click Next."},
    {"01002", "I want to use a physical set"},
    {"01003", "Enter your phone number :"},
    {"01004", "I want to use a Multimedia Pc based Set"},
    {"01005", " Please enter the VoIP board name or IP address."},
    {"01006", "IPLAN board name or address"},
    {"01007", "The Wizard failed to connect to VoIP board. This IP address is not valid."},
    {"01008", " Please enter this IP address or name."},
    {"01009", "Veranex (or JV board) IP address or name"},
    {"01010", "The Wizard failed to connect to the PBX. This PBX name or IP address is not valid."},
    {"01011", "Congratulations"},
    {"01012",
     "%0 is now configured with your personal settings. We hope you will be satisfied with %1 in "
     "your all days' work."},
    {"01013", "To save these settings, click Finish."},
    {"01014", "&Cancel"},
    {"01015", "&Back"},
    {"01016", "&Next >"},
    {"01017", "&Finish"},
    {"01018", "Please specify the phone set number to be used by the application. "},
    {"01019", "A direct connection to the PBX"},
    {"01020", "Connection to a Microsoft TAPI 2.1 Server"},
    {"01023", "  Profile : "},
    {"01025", "Not found"},
    {"01026", "Your phone number : "},
    {"01027", "VoIP board : "},
    {"01029", "PBX : "},
    {"01030", "The Wizard failed to detect automatically VoIP board."},
    {"01031", "The Wizard failed to find VoIP board."},
    {"01032",
     "All the licenses for VoIP are currently used. Please check with you administrator for new "
     "licenses."},
    {"01033",
     "The sound card (or the driver) is not present on your computer or it is already used by an "
     "other application."},
    {"01034",
     "The Wizard can not find all VoIP parameters. The Multimedia Pc based Set can not be used."},
    {"01035",
     "The Wizard has found several VoIP board IP Addresses. Please select an IP address and click "
     "OK to continue."},
    {"01036", "VoIP board selection"},
    {"01038", "%0 is in use. This operation is not authorised. Please close %1 and try again."},
    {"01039", "The Wizard failed to connect to VoIP board. It is probably a network problem."},
    {"01040",
     "PBX does not respond in time (can be a licence problem). Please check with your "
     "administrator."},
    {"01041", "There is not enough memory available for this task"},
    {"01042",
     "The sound driver is HALF DUPLEX, re-install your sound driver with FULL DUPLEX drive"},
    {"01043", "&OK"},
    {"01044", "%0 cannot work properly until you restart your computer."},
    {"01045", "%0 Configuration Wizard"},
    {"01046",
     "The Wizard has found several PBX IP Addresses. Please select an IP address and click OK to "
     "continue."},
    {"01047", "PBX selection"},
    {"01048",
     "Connection to VOIP board is refused :  -Set is out of service  -No more VOIP licenses "
     "available"},
    {"01049", "Select your application profile : "},
    {"01050", "Area Code : "},
    {"01051", "Country : "},
    {"01052", "Local Access Code : "},
    {"01053", "Long Distance Access Code : "},
    {"01054", "The window displays the Dialing properties. Please verify the following :"},
    {"01055", "&Detect"},
    {"01056", "&Configure..."},
    {"01057", "PBX Prefixe : "},
};

bool HasPlaceholder(const std::string& text, const char* placeholder) {
    return text.find(placeholder) != std::string::npos;
}

TEST(BuiltInCatalogs, EnglishCatalogHoldsTheProgramsOwnTexts) {
    const PoCatalog* english = BuiltInCatalog("us");
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(english->Size(), std::size(kEnglish));
    for (const EnglishText& e : kEnglish) {
        const std::string* text = english->Find(e.id);
        ASSERT_NE(text, nullptr) << e.id;
        EXPECT_EQ(*text, e.text) << e.id;
    }
}

// The summaries join labels and values without separators of their own, so every translation
// keeps the leading and trailing blanks of the English text, its placeholders and its access key.
TEST(BuiltInCatalogs, EveryLanguageTranslatesEveryTextKeepingItsShape) {
    const char* const languages[] = {"fr", "ger", "sp", "hun", "plk", "nl", "it"};
    ASSERT_EQ(BuiltInCatalogSources().size(), std::size(languages) + 1);
    for (const char* language : languages) {
        SCOPED_TRACE(language);
        const PoCatalog* catalog = BuiltInCatalog(language);
        ASSERT_NE(catalog, nullptr);
        EXPECT_EQ(catalog->Size(), std::size(kEnglish));
        for (const EnglishText& e : kEnglish) {
            SCOPED_TRACE(e.id);
            const std::string english = e.text;
            const std::string* text = catalog->Find(e.id);
            ASSERT_NE(text, nullptr);
            if (english != "&OK") {
                EXPECT_NE(*text, english);
            }
            EXPECT_EQ(HasPlaceholder(*text, "%0"), HasPlaceholder(english, "%0"));
            EXPECT_EQ(HasPlaceholder(*text, "%1"), HasPlaceholder(english, "%1"));
            EXPECT_EQ(HasPlaceholder(*text, "&"), HasPlaceholder(english, "&"));
            EXPECT_EQ(text->find_first_not_of(' '), english.find_first_not_of(' '));
            EXPECT_EQ(text->back() == ' ', english.back() == ' ');
        }
    }
}

TEST(BuiltInCatalogs, UnknownLanguageHasNoCatalog) {
    EXPECT_EQ(BuiltInCatalog("jp"), nullptr);
    EXPECT_EQ(BuiltInCatalog(""), nullptr);
    EXPECT_NE(BuiltInCatalog(kFallbackLanguage), nullptr);
}

std::string Translated(IDispatchObject* object, std::string text) {
    std::string result = "untouched";
    EXPECT_EQ(static_cast<TextTranslator*>(object)->Translate(text, &result), S_OK);
    return result;
}

TEST(CatalogTextTranslator, TranslatesByIdentifierAndFallsBackToTheDefaultText) {
    auto* french = new CatalogTextTranslator(BuiltInCatalog("fr"));
    EXPECT_EQ(Translated(french, "#01045#%0 Configuration Wizard"),
              "Assistant de configuration de %0");
    // The translation belongs to the identifier, whatever default text comes with it.
    EXPECT_EQ(Translated(french, "#01014#Cancel"), "&Annuler");
    EXPECT_EQ(Translated(french, "#01014#&Cancel"), "&Annuler");
    EXPECT_EQ(Translated(french, "#01054#&The window displays the Dialing properties."),
              "La fenêtre affiche les propriétés de numérotation. Veuillez vérifier les éléments "
              "suivants :");
    // An identifier without a translation gives its default text, placeholders kept.
    EXPECT_EQ(Translated(french, "#01021#Something %0 new"), "Something %0 new");
    EXPECT_EQ(Translated(french, "#01099#"), "");
    // A text without an identifier comes back unchanged.
    for (const char* plain :
         {"Basic", "", "#0104#x", "#01a45#x", "01045#x", "#01045x", "#010450#x"})
        EXPECT_EQ(Translated(french, plain), plain);

    std::string text = "#01011#Congratulations";
    EXPECT_EQ(french->Translate(text, nullptr), E_POINTER);
    EXPECT_EQ(text, "#01011#Congratulations");  // the argument is not changed
    french->Release();

    auto* none = new CatalogTextTranslator(nullptr);
    EXPECT_EQ(Translated(none, "#01011#Congratulations"), "Congratulations");
    none->Release();
}

class SampleForm : public Form {
  public:
    SampleForm() : Form("SampleForm") {
        SetCaption("#01036#VoIP board selection");
        message = &Add<Label>("message");
        message->SetCaption("#01046#several PBX");
        name = &Add<Label>("name");
        name->SetCaption("Operator");
        ok = &Add<CommandButton>("ok");
        ok->SetCaption("#01043#&OK");
        option = &Add<OptionButton>("option");
        option->SetCaption("#01002#I want to use a physical set");
        box = &Add<TextBox>("box");
        box->SetText("#01025#Not found");
        box->OnChange = [this] { ++changes; };
        picture = &Add<Image>("picture");
    }
    Label* message;
    Label* name;
    CommandButton* ok;
    OptionButton* option;
    TextBox* box;
    Image* picture;
    int changes = 0;
};

TEST(CatalogTextTranslator, TranslateFormTranslatesEveryLocalizedCaptionAndText) {
    SampleForm form;
    auto* polish = new CatalogTextTranslator(BuiltInCatalog("plk"));
    EXPECT_EQ(polish->TranslateForm(form), S_OK);
    polish->Release();

    EXPECT_EQ(form.Caption(), "Wybór karty VoIP");
    EXPECT_EQ(form.message->Caption(),
              "Kreator znalazł kilka adresów IP central. Wybierz adres IP i kliknij przycisk OK, "
              "aby kontynuować.");
    EXPECT_EQ(form.name->Caption(), "Operator");
    EXPECT_EQ(form.ok->Caption(), "&OK");
    EXPECT_EQ(form.option->Caption(), "Chcę używać fizycznego aparatu telefonicznego");
    EXPECT_FALSE(form.option->Value());  // translating a caption selects nothing
    EXPECT_EQ(form.box->Text(), "Nie znaleziono");
    EXPECT_EQ(form.changes, 1);  // the text changed as if typed
    EXPECT_EQ(form.picture->Caption(), "");
}

}  // namespace
}  // namespace zelwiz
