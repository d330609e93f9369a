#include "environment/localize.h"

#include "environment/ProductKeys.h"
#include "environment/mLogError.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "platform/Form.h"
#include "platform/Registry.h"
#include "settings/mLibApi32.h"

namespace zelwiz {
namespace {

std::vector<LanguageRecord> gLanguageTable;
bool gLanguagesLoaded = false;
std::int16_t gCurrentCharset = 0;

constexpr char kSource[] = "localize.SplitLanguageChoice";

// Basic's Split: the parts between the separators; an empty text has no part at all.
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// An element of a split, as an array subscript: error 9 when it is not there.
const std::string& Field(const std::vector<std::string>& fields, size_t index) {
    if (index >= fields.size())
        Raise(kErrSubscriptOutOfRange);
    return fields[index];
}

}  // namespace

const std::vector<LanguageRecord>& LanguageTable() {
    return gLanguageTable;
}
bool LanguagesLoaded() {
    return gLanguagesLoaded;
}
std::int16_t CurrentCharset() {
    return gCurrentCharset;
}

std::string ReadLanguageChoice() {
    std::string result = kDefaultLanguageChoice;
    OnErrorExit(
        [&] {
            const std::string stored =
                Trim(RegReadValue(HKEY_LOCAL_MACHINE, ProductKeys::Install(), "LanguageChoice"));
            if (!stored.empty())
                result = stored;
        },
        [&] {
            LogError("localize.ReadLanguageChoice");
            result = kDefaultLanguageChoice;
        });
    return result;
}

// An unexpected error in an entry (a number that is not one, an index below 0) is logged and
// the walk goes on with the next entry; the fields stored before it stay.
void SplitLanguageChoice(const std::string& LanguageChoice) {
    const std::vector<std::string> entries = Split(LanguageChoice, ';');
    ResumeNext trap([] { LogError(kSource); });

    std::int16_t highest = 0;
    for (const std::string& entry : entries) {
        trap([&] {
            const std::int16_t index = CInt(Trim(Field(Split(entry, ','), 0)));
            if (index > highest)
                highest = index;
        });
    }
    gLanguageTable.assign(static_cast<size_t>(highest) + 1, LanguageRecord{});
    gLanguagesLoaded = true;

    for (const std::string& entry : entries) {
        trap([&] {
            const std::vector<std::string> fields = Split(entry, ',');
            if (fields.size() != 4) {
                LogError(kSource, nullptr,
                         "Wrong language string (incorrect param number): >" + entry + "<");
                return;
            }
            const std::int16_t index = CInt(Trim(fields[0]));
            if (index < 0)
                Raise(kErrSubscriptOutOfRange);
            LanguageRecord& record = gLanguageTable[static_cast<size_t>(index)];
            record.path = Trim(fields[1]);
            if (record.path.empty()) {
                LogError(kSource, nullptr, "Wrong language string (no path): >" + entry + "<");
                record.ressource = 0;
                record.charset = 0;
                return;
            }
            record.ressource = CLng(Trim(fields[2]));
            if (record.ressource == 0)
                LogError(kSource, nullptr,
                         "Wrong language string (ressource = null): >" + entry + "<");
            record.charset = CLng(Trim(fields[3]));
        });
    }
}

std::int16_t GetChartset() {
    std::int16_t charset = 0;
    OnErrorExit(
        [&] {
            const std::int16_t index = CIntNumber(Val(
                Trim(RegReadValue(HKEY_CURRENT_USER, ProductKeys::ZELPhoneSettings(), "lang"))));
            if (!gLanguagesLoaded)
                SplitLanguageChoice(ReadLanguageChoice());
            if (index >= 0 && static_cast<size_t>(index) < gLanguageTable.size() &&
                !gLanguageTable[static_cast<size_t>(index)].path.empty())
                charset = CIntNumber(gLanguageTable[static_cast<size_t>(index)].charset);
        },
        [&] {
            LogError("localize.GetChartset");
            charset = 0;
        });
    return charset;
}

void LoadCharset() {
    gCurrentCharset = GetChartset();
}

void SetFormCharset(Form& Frm) {
    ResumeNext ignore;
    for (const auto& control : Frm.Controls()) {
        ignore([&] {
            if (control->HasFont())
                control->SetFontCharset(gCurrentCharset);
        });
    }
}

std::string ReplaceParams(std::string Text, const std::vector<std::string>& Params) {
    for (size_t i = Params.size(); i-- > 0;) {
        const std::string placeholder = "%" + std::to_string(i);
        const size_t at = Text.find(placeholder);
        if (at != std::string::npos)
            Text.replace(at, placeholder.size(), Params[i]);
    }
    return Text;
}

void ResetLocalizeForTests() {
    gLanguageTable.clear();
    gLanguagesLoaded = false;
    gCurrentCharset = 0;
}

}  // namespace zelwiz
