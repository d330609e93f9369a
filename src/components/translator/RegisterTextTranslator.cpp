#include "components/translator/RegisterTextTranslator.h"

#include "components/translator/BuiltInCatalogs.h"
#include "components/translator/CatalogTextTranslator.h"
#include "components/translator/UserLanguage.h"
#include "platform/ComponentCatalog.h"

namespace zelwiz {

void RegisterTextTranslator(ComponentCatalog& catalog) {
    catalog.Register(kCLSID_TextTranslator, []() -> IDispatchObject* {
        const PoCatalog* language = BuiltInCatalog(UserLanguagePath());
        if (language == nullptr)
            language = BuiltInCatalog(kFallbackLanguage);
        return new CatalogTextTranslator(language);
    });
}

}  // namespace zelwiz
