#include "components/translator/CatalogTextTranslator.h"

#include "components/translator/LocalizedString.h"
#include "components/translator/PoCatalog.h"
#include "platform/Form.h"

namespace zelwiz {

std::string CatalogTextTranslator::TranslateText(std::string_view text) const {
    LocalizedString parts;
    if (!SplitLocalizedString(text, &parts))
        return std::string(text);
    if (catalog_ != nullptr) {
        if (const std::string* translated = catalog_->Find(parts.id))
            return *translated;
    }
    return std::string(parts.defaultText);
}

HRESULT CatalogTextTranslator::Translate(std::string& text, std::string* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = TranslateText(text);
    return S_OK;
}

HRESULT CatalogTextTranslator::TranslateForm(Form& form) {
    LocalizedString parts;
    if (SplitLocalizedString(form.Caption(), &parts))
        form.SetCaption(TranslateText(form.Caption()));
    for (const auto& control : form.Controls()) {
        if (SplitLocalizedString(control->Caption(), &parts))
            control->SetCaption(TranslateText(control->Caption()));
        if (control->Kind() == ControlKind::TextBox) {
            auto& box = static_cast<TextBox&>(*control);
            if (SplitLocalizedString(box.Text(), &parts))
                box.SetText(TranslateText(box.Text()));
        }
    }
    return S_OK;
}

}  // namespace zelwiz
