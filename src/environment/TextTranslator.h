#pragma once
// The text translation component: turns localized strings ("#01044#default text") and the
// captions of a whole form into the user's language.

#include <string>

#include "platform/Com.h"

namespace zelwiz {

class Form;

inline constexpr const char* kCLSID_TextTranslator = "{5E0C1A41-7316-4B2A-9C11-0A1B2C3D4E01}";

class TextTranslator : public IDispatchObject {
  public:
    // Slot 7: the display text of a localized string, placeholders still in it.
    virtual HRESULT Translate(std::string& text, std::string* result) = 0;
    virtual HRESULT Reserved8() { return E_NOTIMPL; }
    virtual HRESULT Reserved9() { return E_NOTIMPL; }
    virtual HRESULT Reserved10() { return E_NOTIMPL; }
    virtual HRESULT Reserved11() { return E_NOTIMPL; }
    // Slot 12: every caption and text of the form that is a localized string is translated.
    virtual HRESULT TranslateForm(Form& form) = 0;

  protected:
    ~TextTranslator() = default;
};

}  // namespace zelwiz
