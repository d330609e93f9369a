#pragma once
// A localized string: "#", five decimal digits, "#", then the default English text, which may hold
// the placeholders %0, %1 ("#01044#%0 cannot work properly until you restart your computer.").

#include <string_view>

namespace zelwiz {

struct LocalizedString {
    std::string_view id;           // the five digits
    std::string_view defaultText;  // everything after the second "#"
};

// Splits a localized string; false for a text that does not start with an identifier.
bool SplitLocalizedString(std::string_view text, LocalizedString* parts);

}  // namespace zelwiz
