#pragma once
// The one shared TextTranslator instance: created by the wizard form's load, used by every form
// and message, released by the wizard form's unload.

#include <string>

#include "environment/TextTranslator.h"
#include "platform/Com.h"

namespace zelwiz {

// The shared instance; empty until the wizard form loads.
ComPtr<TextTranslator>& gTextTranslator();

// Translate of the shared instance: error 91 when there is none, a failing HRESULT is raised.
std::string Translate(const std::string& localized);

}  // namespace zelwiz
