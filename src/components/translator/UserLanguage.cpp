#include "components/translator/UserLanguage.h"

#include "environment/ProductKeys.h"
#include "environment/localize.h"
#include "platform/Conversions.h"
#include "platform/Registry.h"
#include "settings/mLibApi32.h"

namespace zelwiz {

std::string UserLanguagePath() {
    const double index =
        Val(Trim(RegReadValue(HKEY_CURRENT_USER, ProductKeys::ZELPhoneSettings(), "lang")));
    if (!LanguagesLoaded())
        SplitLanguageChoice(ReadLanguageChoice());
    const auto& table = LanguageTable();
    if (index < 0 || index >= static_cast<double>(table.size()))
        return {};
    return table[static_cast<size_t>(index)].path;
}

}  // namespace zelwiz
