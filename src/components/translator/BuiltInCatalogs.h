#pragma once
// The translation catalogs compiled into the program: one gettext PO text per language of the
// language-choice list, named by the language's path field ("us", "fr", "ger", "sp", "hun", "plk",
// "nl", "it"). The PO files live in po/ beside this file; the build turns them into
// CatalogSources.cpp.

#include <span>
#include <string_view>

#include "components/translator/PoCatalog.h"

namespace zelwiz {

struct CatalogSource {
    std::string_view language;
    std::string_view po;
};

// The PO texts, in the order of the default language-choice list.
std::span<const CatalogSource> BuiltInCatalogSources();

// The parsed catalog of a language, read once at first use; nullptr for a language this build
// has no catalog for.
const PoCatalog* BuiltInCatalog(std::string_view language);

// The language every other one falls back to.
inline constexpr std::string_view kFallbackLanguage = "us";

}  // namespace zelwiz
