#pragma once
// What the program itself does for languages: the placeholders of its localized strings, the
// list of languages the product offers ("LanguageChoice"), the user's language ("lang") and the
// character set every window's fonts use for it. Translating the texts is the text translation
// component's work.
//
// A language-choice string is a list of entries separated by ";", each of exactly four fields
// separated by "," (blanks around a field are ignored): language index (>= 0), path (a short
// language code; empty makes the entry invalid), ressource number (0 is reported), and the
// Windows character set of the language's fonts.

#include <cstdint>
#include <string>
#include <vector>

namespace zelwiz {

class Form;

// The list used when the registry has none.
inline constexpr char kDefaultLanguageChoice[] =
    "0,us,5900,0; 1,fr,5901,0; 2,ger,5902,0; 3,sp,5903,0; 4,hun,5904,238; 5,plk,5905,238; "
    "7,nl,5907,0; 8,it,5909,0";

struct LanguageRecord {
    std::string path;
    std::int32_t ressource = 0;
    std::int32_t charset = 0;
};

// Module state: the table indexed 0 .. highest index of the last split string (indexes that no
// entry names stay empty), whether it was built (never reset during a run), and the character
// set chosen for the run.
const std::vector<LanguageRecord>& LanguageTable();
bool LanguagesLoaded();
std::int16_t CurrentCharset();

// "LanguageChoice" of HKLM ...\7316\Install, trimmed; the default list when it is empty.
std::string ReadLanguageChoice();
// Builds LanguageTable from the string. Malformed entries are logged
// ("localize.SplitLanguageChoice") and skipped; the other entries are still taken.
void SplitLanguageChoice(const std::string& LanguageChoice);
// The character set of the user's language (HKCU ...\7316\ZELPhone\Settings "lang"); 0 when the
// language has no entry. Loads the language table on first use.
std::int16_t GetChartset();
// Sets CurrentCharset from GetChartset, once, before any form is set up.
void LoadCharset();
// Sets the font character set of every control of the form to CurrentCharset.
void SetFormCharset(Form& Frm);
// Replaces the first "%<i>" by Params[i], from the highest index down (so "%10" goes before
// "%1" could match it).
std::string ReplaceParams(std::string Text, const std::vector<std::string>& Params);

// Empties the language table and clears LanguagesLoaded and CurrentCharset.
void ResetLocalizeForTests();

}  // namespace zelwiz
