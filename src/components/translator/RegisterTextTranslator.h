#pragma once
// Registers this build's TextTranslator in the components catalog under kCLSID_TextTranslator.
// Each object made translates into the user's language as it stands when the object is made,
// English when this build has no catalog for that language.

namespace zelwiz {

class ComponentCatalog;

void RegisterTextTranslator(ComponentCatalog& catalog);

}  // namespace zelwiz
