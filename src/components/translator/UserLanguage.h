#pragma once
// The user's language as the translator sees it: the index stored in "lang" (HKCU
// ...\7316\ZELPhone\Settings) looked up in the language table built from the language-choice
// list.

#include <string>

namespace zelwiz {

// The path field of the user's language ("us", "fr", "plk", ...); empty when "lang" names no
// entry of the list.
std::string UserLanguagePath();

}  // namespace zelwiz
