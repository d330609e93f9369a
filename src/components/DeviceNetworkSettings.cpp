#include "components/DeviceNetworkSettings.h"

#include <algorithm>

#include "components/RegistryValues.h"

namespace zelwiz {
namespace {

std::uint16_t Port(Registry& reg, const char* name, std::uint16_t fallback) {
    const auto value = ReadRegNumber(reg, HKEY_LOCAL_MACHINE, kInstallKeyPath, name);
    if (!value || *value == 0 || *value > 65535)
        return fallback;
    return static_cast<std::uint16_t>(*value);
}

std::chrono::milliseconds Span(Registry& reg, const char* name, std::chrono::milliseconds fallback,
                               DWORD lowest, DWORD highest) {
    const auto value = ReadRegNumber(reg, HKEY_LOCAL_MACHINE, kInstallKeyPath, name);
    if (!value)
        return fallback;
    return std::chrono::milliseconds(std::clamp(*value, lowest, highest));
}

}  // namespace

DeviceNetworkSettings ReadDeviceNetworkSettings(Registry& reg) {
    DeviceNetworkSettings s;
    if (auto address = ReadRegText(reg, HKEY_LOCAL_MACHINE, kInstallKeyPath, "DiscoveryAddress")) {
        const size_t first = address->find_first_not_of(' ');
        const size_t last = address->find_last_not_of(' ');
        if (first != std::string::npos)
            s.discoveryAddress = address->substr(first, last - first + 1);
    }
    s.discoveryPort = Port(reg, "DiscoveryPort", s.discoveryPort);
    s.discoveryTimeout = Span(reg, "DiscoveryTimeout", s.discoveryTimeout, 100, 30000);
    s.boardPort = Port(reg, "VoipBoardPort", s.boardPort);
    s.boardTimeout = Span(reg, "VoipBoardTimeout", s.boardTimeout, 100, 60000);
    return s;
}

}  // namespace zelwiz
