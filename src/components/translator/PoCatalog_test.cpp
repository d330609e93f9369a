#include "components/translator/PoCatalog.h"

#include <gtest/gtest.h>

namespace zelwiz {
namespace {

TEST(PoCatalog, ReadsEntriesByContextOrIdentifier) {
    PoCatalog catalog;
    std::string error;
    ASSERT_TRUE(catalog.Parse(R"(# header comment
msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"

# "Area Code : "
msgid "01050"
msgstr "Indicatif régional : "

msgctxt "01051"
msgid "Country : "
msgstr "Pays : "

msgid "01054"
msgstr ""
"La fenêtre affiche "
"les propriétés."

msgid "01060"
msgstr "Tab\there, \"quoted\", back\\slash\nnew line"
)",
                              &error))
        << error;
    EXPECT_EQ(catalog.Size(), 4u);  // the header is not an entry
    EXPECT_EQ(*catalog.Find("01050"), "Indicatif régional : ");
    EXPECT_EQ(*catalog.Find("01051"), "Pays : ");
    EXPECT_EQ(catalog.Find("Country : "), nullptr);  // found by its context only
    EXPECT_EQ(*catalog.Find("01054"), "La fenêtre affiche les propriétés.");
    EXPECT_EQ(*catalog.Find("01060"), "Tab\there, \"quoted\", back\\slash\nnew line");
}

TEST(PoCatalog, LeavesOutWhatGettextLeavesOut) {
    PoCatalog catalog;
    std::string error;
    ASSERT_TRUE(
        catalog.Parse("#, fuzzy\nmsgid \"01000\"\nmsgstr \"guess\"\n\n"
                      "msgid \"01001\"\nmsgstr \"\"\n\n"
                      "#, c-format\nmsgid \"01002\"\nmsgstr \"kept\"\n"
                      "msgid \"01003\"\nmsgid_plural \"x\"\nmsgstr[0] \"one\"\n"
                      "msgstr[1] \"many\"\n",
                      &error))
        << error;
    EXPECT_EQ(catalog.Find("01000"), nullptr);  // fuzzy
    EXPECT_EQ(catalog.Find("01001"), nullptr);  // untranslated
    EXPECT_EQ(*catalog.Find("01002"), "kept");
    EXPECT_EQ(*catalog.Find("01003"), "one");

    PoCatalog windows;  // Windows line endings and no final line break
    ASSERT_TRUE(windows.Parse("msgid \"01011\"\r\nmsgstr \"Félicitations\"", nullptr));
    EXPECT_EQ(*windows.Find("01011"), "Félicitations");
}

}  // namespace
}  // namespace zelwiz
