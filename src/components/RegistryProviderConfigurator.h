#pragma once
// The provider configurator: the telephony providers installed (the Korvane TAPI Service
// Provider when its key Software\Korvane\TSpi_CSTA exists in either hive), the provider's
// switch information, and the "Dialing properties" window that edits the current dialing
// location. Calls before Initialize fail with E_FAIL; a provider index out of range with
// E_INVALIDARG.
//
// GetSwitchInfo answers, each read from Software\Korvane\TSpi_CSTA in HKCU first, then HKLM:
// the PBX name or address ("SwitchName"), the PBX prefix for an outside line ("PbxPrefix") and
// the VoIP board address (Provider\"IpAddress").
//
// ConfigureDialing edits the current location, creating "Location1" when there is none. A user
// who may not write HKEY_LOCAL_MACHINE sees the window read-only, with a line that says so; the
// call then changes nothing and succeeds. A write refused after OK answers its registry status
// as an HRESULT (E_ACCESSDENIED for a refused write).

#include <optional>

#include "components/ProviderLines.h"
#include "telephony/ProviderConfigurator.h"

namespace zelwiz {

class RegistryProviderConfigurator : public ComObject<ProviderConfigurator> {
  public:
    RegistryProviderConfigurator(Registry& registry, AllUsersFlag allUsers);

    HRESULT Initialize() override;
    // The index of the provider's preferred line among its lines, -1 when it has none.
    HRESULT GetDeviceNumber(std::int32_t* device) override;
    // Shows the window modally and returns when the user closed it. `device` (0 or more) names
    // the line shown in the window when it is one of the provider's lines.
    HRESULT ConfigureDialing(std::int32_t device) override;
    HRESULT GetProviderCount(std::int32_t* count) override;
    HRESULT GetProviderName(std::int32_t index, std::string* name) override;
    HRESULT GetSwitchInfo(std::int32_t index, std::string* switchName, std::string* prefix,
                          std::string* boardAddress) override;

  private:
    std::string UserThenMachine(const std::string& path, const char* name) const;

    Registry& registry_;
    AllUsersFlag allUsers_;
    bool initialized_ = false;
    bool providerInstalled_ = false;
    ProviderLines lines_;
};

}  // namespace zelwiz
