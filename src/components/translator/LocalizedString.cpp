#include "components/translator/LocalizedString.h"

namespace zelwiz {

bool SplitLocalizedString(std::string_view text, LocalizedString* parts) {
    constexpr size_t kDigits = 5;
    if (text.size() < kDigits + 2 || text[0] != '#' || text[kDigits + 1] != '#')
        return false;
    for (size_t i = 1; i <= kDigits; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    parts->id = text.substr(1, kDigits);
    parts->defaultText = text.substr(kDigits + 2);
    return true;
}

}  // namespace zelwiz
