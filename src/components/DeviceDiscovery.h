#pragma once
// Discovery of PBXs or VoIP boards: one UDP probe to the discovery address, sent again during
// the window to make up for lost datagrams, and the answers collected until the window closes.
// Answers to another probe, of another kind, or that do not parse are ignored; a device that
// answers several times is listed once, where its first answer arrived.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "components/DeviceNetworkSettings.h"
#include "components/DeviceProtocol.h"

namespace zelwiz {

struct FoundDevice {
    std::string address;
    std::uint16_t port = 0;  // VoIP boards: the port of the number request
    std::string name;
    std::chrono::milliseconds answeredAfter{0};  // since the first probe went out
};

// Where the probes of a discovery went ("192.0.2.255:17316", the address resolved) and how many
// were sent.
struct ProbeTrace {
    std::string sentTo;
    int probes = 0;
};

// Status of a discovery: 0 when it ran its window (whatever it found), else the code of the
// reason it could not: kDiscoveryNetworkProblem (no socket, the probe could not be sent) or
// kDiscoveryAddressNotFound (the discovery address does not resolve).
inline constexpr std::int32_t kDiscoveryDone = 0;
inline constexpr std::int32_t kDiscoveryNetworkProblem = 17;
inline constexpr std::int32_t kDiscoveryAddressNotFound = 145;

// kDiscoveryDone when the settings can work, kDiscoveryAddressNotFound when the discovery address
// is neither a dotted quad nor a host name.
std::int32_t CheckDiscoverySettings(const DeviceNetworkSettings& settings);

// `resends` is how many times the probe goes out again, spread over the window.
std::int32_t DiscoverDevices(DeviceKind kind, const DeviceNetworkSettings& settings, int resends,
                             std::vector<FoundDevice>* found, ProbeTrace* trace = nullptr);

}  // namespace zelwiz
