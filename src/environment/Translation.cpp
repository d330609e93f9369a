#include "environment/Translation.h"

#include "platform/ComponentCatalog.h"
#include "platform/ErrorInfo.h"

namespace zelwiz {

ComPtr<TextTranslator>& gTextTranslator() {
    static ComPtr<TextTranslator> instance;
    return instance;
}

std::string Translate(const std::string& localized) {
    auto& translator = gTextTranslator();
    if (!translator)
        Raise(kErrObjectNotSet);
    std::string text = localized;
    std::string result;
    CheckHr(translator->Translate(text, &result));
    return result;
}

}  // namespace zelwiz
