#pragma once
// The PBX finder: discovers PBXs with the device protocol's UDP probe. InitFinder reads the
// discovery settings (status 0, or 145 when the discovery address cannot be a host);
// DiscoverPbx(mode) runs one discovery, `mode` being how many times the probe is sent again
// within the window (0 to 5; the wizard passes 2). The addresses come in the order their first
// answers arrived: FirstAddress, then NextAddress once per further PBX. Calls before InitFinder
// fail with E_FAIL; reading past the last address with DISP_E_BADINDEX.

#include <optional>
#include <vector>

#include "components/DeviceDiscovery.h"
#include "platform/Registry.h"
#include "telephony/PbxFinder.h"

namespace zelwiz {

class NetworkPbxFinder : public ComObject<PbxFinder> {
  public:
    explicit NetworkPbxFinder(Registry& registry) : registry_(registry) {}

    HRESULT DiscoverPbx(std::int32_t mode, std::int32_t* status) override;
    HRESULT InitFinder(std::int32_t* status) override;
    HRESULT get_FirstAddress(std::string* address) override;
    HRESULT get_NextAddress(std::string* address) override;
    HRESULT get_PbxCount(std::int32_t* count) override;

  private:
    Registry& registry_;
    std::optional<DeviceNetworkSettings> settings_;
    std::vector<FoundDevice> found_;
    size_t next_ = 0;
};

}  // namespace zelwiz
