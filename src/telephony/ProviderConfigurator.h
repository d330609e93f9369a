#pragma once
// The provider configurator component: the TAPI providers, their switch information, and the
// dialing-properties configuration shown to the user.

#include <string>

#include "platform/Com.h"

namespace zelwiz {

inline constexpr const char* kCLSID_ProviderConfigurator = "{5E0C1A41-7316-4B2A-9C11-0A1B2C3D4E05}";

class ProviderConfigurator : public IDispatchObject {
  public:
    virtual HRESULT Initialize() = 0;  // 7
    virtual HRESULT Reserved8() { return E_NOTIMPL; }
    virtual HRESULT Reserved9() { return E_NOTIMPL; }
    virtual HRESULT Reserved10() { return E_NOTIMPL; }
    virtual HRESULT Reserved11() { return E_NOTIMPL; }
    virtual HRESULT GetDeviceNumber(std::int32_t* device) = 0;  // 12: negative: none
    virtual HRESULT Reserved13() { return E_NOTIMPL; }
    virtual HRESULT Reserved14() { return E_NOTIMPL; }
    virtual HRESULT Reserved15() { return E_NOTIMPL; }
    virtual HRESULT Reserved16() { return E_NOTIMPL; }
    virtual HRESULT Reserved17() { return E_NOTIMPL; }
    virtual HRESULT Reserved18() { return E_NOTIMPL; }
    virtual HRESULT Reserved19() { return E_NOTIMPL; }
    virtual HRESULT Reserved20() { return E_NOTIMPL; }
    virtual HRESULT Reserved21() { return E_NOTIMPL; }
    virtual HRESULT ConfigureDialing(std::int32_t device) = 0;  // 22: returns when closed
    virtual HRESULT Reserved23() { return E_NOTIMPL; }
    virtual HRESULT GetProviderCount(std::int32_t* count) = 0;                   // 24
    virtual HRESULT GetProviderName(std::int32_t index, std::string* name) = 0;  // 25
    virtual HRESULT Reserved26() { return E_NOTIMPL; }
    virtual HRESULT Reserved27() { return E_NOTIMPL; }
    virtual HRESULT Reserved28() { return E_NOTIMPL; }
    virtual HRESULT Reserved29() { return E_NOTIMPL; }
    virtual HRESULT Reserved30() { return E_NOTIMPL; }
    virtual HRESULT Reserved31() { return E_NOTIMPL; }
    virtual HRESULT Reserved32() { return E_NOTIMPL; }
    // 33: three outputs; the second is the PBX prefix for an outside line.
    virtual HRESULT GetSwitchInfo(std::int32_t index, std::string* info1, std::string* prefix,
                                  std::string* info3) = 0;

  protected:
    ~ProviderConfigurator() = default;
};

// The line object of the product, bound late by this programmatic identifier; its calls are
// "Initialize", "Preferredline", "LineAddress" (one by-reference argument) and "Terminate".
inline constexpr const char* kProgID_LineObject = "LNKTL.LNK";

}  // namespace zelwiz
