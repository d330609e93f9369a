#include "components/translator/BuiltInCatalogs.h"

#include <map>
#include <string>

namespace zelwiz {

const PoCatalog* BuiltInCatalog(std::string_view language) {
    // Parsed once; the build has checked the files with msgfmt, and a catalog that still fails
    // to parse is left out so that its texts show in their default wording.
    static const std::map<std::string, PoCatalog, std::less<>> catalogs = [] {
        std::map<std::string, PoCatalog, std::less<>> parsed;
        for (const CatalogSource& source : BuiltInCatalogSources()) {
            PoCatalog catalog;
            if (catalog.Parse(source.po, nullptr))
                parsed.emplace(std::string(source.language), std::move(catalog));
        }
        return parsed;
    }();
    auto it = catalogs.find(language);
    return it == catalogs.end() ? nullptr : &it->second;
}

}  // namespace zelwiz
