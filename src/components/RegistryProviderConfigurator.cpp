#include "components/RegistryProviderConfigurator.h"

#include "components/ComponentErrors.h"
#include "components/RegistryValues.h"
#include "components/TelephonyLocations.h"
#include "components/frmDialingProperties.h"

namespace zelwiz {

RegistryProviderConfigurator::RegistryProviderConfigurator(Registry& registry,
                                                           AllUsersFlag allUsers)
    : registry_(registry), allUsers_(std::move(allUsers)) {}

HRESULT RegistryProviderConfigurator::Initialize() {
    providerInstalled_ = ProviderInstalled(registry_);
    lines_ = ReadProviderLines(registry_, ProviderHiveFor(allUsers_));
    initialized_ = true;
    return S_OK;
}

HRESULT RegistryProviderConfigurator::GetDeviceNumber(std::int32_t* device) {
    if (device == nullptr)
        return E_POINTER;
    if (!initialized_)
        return E_FAIL;
    *device = lines_.PreferredIndex();
    return S_OK;
}

HRESULT RegistryProviderConfigurator::ConfigureDialing(std::int32_t device) {
    if (!initialized_)
        return E_FAIL;
    if (device < 0)
        return E_INVALIDARG;
    std::string lineName;
    if (static_cast<size_t>(device) < lines_.numbers.size())
        lineName = kLinePrefix + lines_.numbers[static_cast<size_t>(device)];

    const bool readOnly = !LocationsWritable(registry_);
    frmDialingProperties form;
    // Read-only, the window shows what the dialing rules report: the current location or nothing.
    form.Prepare(readOnly ? ReadCurrentLocation(registry_).value_or(DialingLocation{})
                          : LocationToEdit(registry_),
                 readOnly, lineName);
    form.Show(true);
    if (readOnly || !form.Accepted())
        return S_OK;
    return HResultFromWin32(SaveLocation(registry_, form.Entered()));
}

HRESULT RegistryProviderConfigurator::GetProviderCount(std::int32_t* count) {
    if (count == nullptr)
        return E_POINTER;
    if (!initialized_)
        return E_FAIL;
    *count = providerInstalled_ ? 1 : 0;
    return S_OK;
}

HRESULT RegistryProviderConfigurator::GetProviderName(std::int32_t index, std::string* name) {
    if (name == nullptr)
        return E_POINTER;
    if (!initialized_)
        return E_FAIL;
    // The providers are numbered from 0 to the count; the index equal to the count (the end of
    // the list, which callers walking "0 to count" reach) answers an empty name.
    const std::int32_t count = providerInstalled_ ? 1 : 0;
    if (index < 0 || index > count)
        return E_INVALIDARG;
    *name = index < count ? kProviderName : "";
    return S_OK;
}

HRESULT RegistryProviderConfigurator::GetSwitchInfo(std::int32_t index, std::string* switchName,
                                                    std::string* prefix,
                                                    std::string* boardAddress) {
    if (switchName == nullptr || prefix == nullptr || boardAddress == nullptr)
        return E_POINTER;
    if (!initialized_)
        return E_FAIL;
    if (!providerInstalled_ || index != 0)
        return E_INVALIDARG;
    *switchName = UserThenMachine(kProviderKeyPath, "SwitchName");
    *prefix = UserThenMachine(kProviderKeyPath, "PbxPrefix");
    *boardAddress = UserThenMachine(std::string(kProviderKeyPath) + "\\Provider", "IpAddress");
    return S_OK;
}

std::string RegistryProviderConfigurator::UserThenMachine(const std::string& path,
                                                          const char* name) const {
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        if (auto text = ReadRegText(registry_, hive, path, name); text && !text->empty())
            return *text;
    }
    return {};
}

}  // namespace zelwiz
