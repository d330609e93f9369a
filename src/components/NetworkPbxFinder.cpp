#include "components/NetworkPbxFinder.h"

#include "components/ComponentErrors.h"

namespace zelwiz {

HRESULT NetworkPbxFinder::InitFinder(std::int32_t* status) {
    if (status == nullptr)
        return E_POINTER;
    settings_ = ReadDeviceNetworkSettings(registry_);
    found_.clear();
    next_ = 0;
    *status = CheckDiscoverySettings(*settings_);
    return S_OK;
}

HRESULT NetworkPbxFinder::DiscoverPbx(std::int32_t mode, std::int32_t* status) {
    if (status == nullptr)
        return E_POINTER;
    if (!settings_)
        return E_FAIL;
    if (mode < 0 || mode > 5)
        return E_INVALIDARG;
    next_ = 0;
    *status = DiscoverDevices(DeviceKind::Pbx, *settings_, mode, &found_);
    return S_OK;
}

HRESULT NetworkPbxFinder::get_FirstAddress(std::string* address) {
    if (address == nullptr)
        return E_POINTER;
    if (!settings_)
        return E_FAIL;
    next_ = 0;
    return get_NextAddress(address);
}

HRESULT NetworkPbxFinder::get_NextAddress(std::string* address) {
    if (address == nullptr)
        return E_POINTER;
    if (!settings_)
        return E_FAIL;
    if (next_ >= found_.size())
        return DISP_E_BADINDEX;
    *address = found_[next_++].address;
    return S_OK;
}

HRESULT NetworkPbxFinder::get_PbxCount(std::int32_t* count) {
    if (count == nullptr)
        return E_POINTER;
    if (!settings_)
        return E_FAIL;
    *count = static_cast<std::int32_t>(found_.size());
    return S_OK;
}

}  // namespace zelwiz
