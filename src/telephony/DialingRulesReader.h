#pragma once
// The dialing rules reader component: the dialing properties of the current location.

#include <string>

#include "platform/Com.h"

namespace zelwiz {

inline constexpr const char* kCLSID_DialingRulesReader = "{5E0C1A41-7316-4B2A-9C11-0A1B2C3D4E04}";

class DialingRulesReader : public IDispatchObject {
  public:
    // Slots 7 to 22 are not used by the wizard.
    virtual HRESULT Reserved7() { return E_NOTIMPL; }
    virtual HRESULT Reserved8() { return E_NOTIMPL; }
    virtual HRESULT Reserved9() { return E_NOTIMPL; }
    virtual HRESULT Reserved10() { return E_NOTIMPL; }
    virtual HRESULT Reserved11() { return E_NOTIMPL; }
    virtual HRESULT Reserved12() { return E_NOTIMPL; }
    virtual HRESULT Reserved13() { return E_NOTIMPL; }
    virtual HRESULT Reserved14() { return E_NOTIMPL; }
    virtual HRESULT Reserved15() { return E_NOTIMPL; }
    virtual HRESULT Reserved16() { return E_NOTIMPL; }
    virtual HRESULT Reserved17() { return E_NOTIMPL; }
    virtual HRESULT Reserved18() { return E_NOTIMPL; }
    virtual HRESULT Reserved19() { return E_NOTIMPL; }
    virtual HRESULT Reserved20() { return E_NOTIMPL; }
    virtual HRESULT Reserved21() { return E_NOTIMPL; }
    virtual HRESULT Reserved22() { return E_NOTIMPL; }
    virtual HRESULT GetAreaCode(std::string* areaCode) = 0;            // 23
    virtual HRESULT GetLocalAccessCode(std::string* code) = 0;         // 24
    virtual HRESULT GetLongDistanceAccessCode(std::string* code) = 0;  // 25
    virtual HRESULT GetCountry(std::string* country) = 0;              // 26

  protected:
    ~DialingRulesReader() = default;
};

}  // namespace zelwiz
