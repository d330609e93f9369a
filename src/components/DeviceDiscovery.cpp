#include "components/DeviceDiscovery.h"

#include <algorithm>
#include <cctype>
#include <random>

#include "components/BoundedSockets.h"
#include "components/HostResolver.h"

namespace zelwiz {
namespace {

std::string NewNonce() {
    static const char kDigits[] = "0123456789abcdef";
    std::random_device random;
    std::string nonce;
    for (int i = 0; i < 12; ++i)
        nonce.push_back(kDigits[random() % 16]);
    return nonce;
}

bool SameAddress(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::int32_t CheckDiscoverySettings(const DeviceNetworkSettings& settings) {
    if (ParseIpv4(settings.discoveryAddress) || IsValidHostName(settings.discoveryAddress))
        return kDiscoveryDone;
    return kDiscoveryAddressNotFound;
}

std::int32_t DiscoverDevices(DeviceKind kind, const DeviceNetworkSettings& settings, int resends,
                             std::vector<FoundDevice>* found, ProbeTrace* trace) {
    found->clear();
    ProbeTrace unused;
    if (trace == nullptr)
        trace = &unused;
    *trace = ProbeTrace{};
    const Deadline window = Deadline::After(settings.discoveryTimeout);
    Ipv4Endpoint to{0, settings.discoveryPort};
    if (ResolveIpv4(settings.discoveryAddress, std::chrono::milliseconds(window.RemainingMs()),
                    &to.address) != ResolveStatus::Found) {
        return kDiscoveryAddressNotFound;
    }
    trace->sentTo = Ipv4Text(to.address) + ":" + std::to_string(settings.discoveryPort);
    const auto socket = UdpSocket::Open(Ipv4Endpoint{}, /*broadcast=*/true);
    if (!socket)
        return kDiscoveryNetworkProblem;

    DiscoveryProbe probe{kind, NewNonce()};
    const std::string message = FormatProbe(probe);
    // Probe times: the start of the window, then evenly spread over its first half or so.
    const int sends = 1 + std::clamp(resends, 0, 5);
    const auto span = settings.discoveryTimeout;
    int sent = 0;
    bool anySent = false;
    std::chrono::steady_clock::time_point firstProbe;
    for (;;) {
        if (sent < sends) {
            const Deadline due(window.At() - span + span * sent / (sends + 1));
            if (due.Passed()) {
                const auto status = socket->SendTo(to, message, window);
                if (status == NetStatus::Ok && !anySent)
                    firstProbe = std::chrono::steady_clock::now();
                anySent = anySent || status == NetStatus::Ok;
                trace->probes += status == NetStatus::Ok;
                ++sent;
                if (sent == sends && !anySent)
                    return kDiscoveryNetworkProblem;
                continue;
            }
        }
        const Deadline wait =
            sent < sends ? window.Or(Deadline(window.At() - span + span * sent / (sends + 1)))
                         : window;
        std::string data;
        Ipv4Endpoint from;
        const NetStatus received = socket->ReceiveFrom(wait, &data, &from);
        if (received == NetStatus::TimedOut) {
            if (window.Passed())
                break;
            continue;
        }
        if (received != NetStatus::Ok)
            break;  // the socket failed: what was found so far is the answer
        auto answer = ParseAnswer(data);
        if (!answer || answer->kind != kind || answer->nonce != probe.nonce)
            continue;
        FoundDevice device{
            answer->address == kSenderAddress ? Ipv4Text(from.address) : answer->address,
            answer->port, answer->name,
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  firstProbe)};
        const bool known = std::any_of(found->begin(), found->end(), [&](const FoundDevice& d) {
            return SameAddress(d.address, device.address);
        });
        if (!known)
            found->push_back(std::move(device));
    }
    return kDiscoveryDone;
}

}  // namespace zelwiz
