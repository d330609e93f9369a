#pragma once
// The PBX finder component: discovers the CSTA links of the PBXs on the network.

#include <string>

#include "platform/Com.h"

namespace zelwiz {

inline constexpr const char* kCLSID_PbxFinder = "{5E0C1A41-7316-4B2A-9C11-0A1B2C3D4E03}";

class PbxFinder : public IDispatchObject {
  public:
    virtual HRESULT DiscoverPbx(std::int32_t mode, std::int32_t* status) = 0;  // 7: 0 = done
    virtual HRESULT InitFinder(std::int32_t* status) = 0;                      // 8: 0 = ready
    virtual HRESULT Reserved9() { return E_NOTIMPL; }                          // 9
    virtual HRESULT Reserved10() { return E_NOTIMPL; }                         // 10
    virtual HRESULT get_FirstAddress(std::string* address) = 0;                // 11
    virtual HRESULT get_NextAddress(std::string* address) = 0;                 // 12: one per call
    virtual HRESULT get_PbxCount(std::int32_t* count) = 0;                     // 13

  protected:
    ~PbxFinder() = default;
};

}  // namespace zelwiz
