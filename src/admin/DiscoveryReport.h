#pragma once
// PBX and VoIP board discovery as the wizard runs it, with the installation's settings, reported
// for an administrator: where the probes went, who answered and how fast, what each board says
// when asked for the set's number, and when nothing answers, the likely reason.

#include <chrono>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "components/DeviceDiscovery.h"
#include "components/DeviceNetworkSettings.h"

namespace zelwiz {

class Registry;

// A number request to one board, as the wizard makes it when the user goes on with that board.
struct BoardAnswer {
    std::string address;
    std::uint16_t port = 0;
    std::int32_t code = 0;  // 0: the board gave the number
    std::string number;
    std::chrono::milliseconds after{0};
    std::string message;  // what the wizard shows for the code, in the user's language
    std::string why;      // for the wizard's own codes: what happened on the network
};

struct Discovery {
    std::string kind;  // "PBX", "VoIP board"
    std::int32_t status = kDiscoveryDone;
    ProbeTrace probes;
    std::vector<FoundDevice> found;
    std::vector<BoardAnswer> answers;  // boards: one per board found
    std::string reason;                // when nothing answered
};

struct DiscoveryReport {
    DeviceNetworkSettings settings;
    Discovery pbxs;
    Discovery boards;
    bool hasUserBoard = false;  // the user's VoIP board address ("IpAddress" of the provider)
    BoardAnswer userBoard;
};

// Runs both discoveries and the number requests on the installed platform's registry settings.
DiscoveryReport RunDiscovery(Registry& registry);

nlohmann::ordered_json ToJson(const DiscoveryReport& report);
std::string ToText(const DiscoveryReport& report);

}  // namespace zelwiz
