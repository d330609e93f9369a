#pragma once
// This build's TextTranslator: translates localized strings from one compiled-in catalog, the
// one of the user's language chosen when the object is made.

#include <string>
#include <string_view>

#include "environment/TextTranslator.h"

namespace zelwiz {

class PoCatalog;

class CatalogTextTranslator : public ComObject<TextTranslator> {
  public:
    // `catalog` may be nullptr: every localized string then shows its default text.
    explicit CatalogTextTranslator(const PoCatalog* catalog) : catalog_(catalog) {}

    HRESULT Translate(std::string& text, std::string* result) override;
    HRESULT TranslateForm(Form& form) override;

    // The display text of `text`: the catalog's translation of its identifier, else its default
    // text; a text without an identifier comes back unchanged.
    std::string TranslateText(std::string_view text) const;

  private:
    const PoCatalog* catalog_;
};

}  // namespace zelwiz
