#pragma once
// Where and how long the finders look for PBXs and VoIP boards, from the installation's key
// HKLM\Software\Korvane\7316\Install (numbers as REG_DWORD or as decimal text):
//
//   "DiscoveryAddress"  where the probe goes; default the limited broadcast 255.255.255.255
//   "DiscoveryPort"     UDP port of the probe; default 17316
//   "DiscoveryTimeout"  how long answers are collected, in ms; default 2000 (100 to 30000)
//   "VoipBoardPort"     TCP port of a board whose address was typed; default 17317
//   "VoipBoardTimeout"  bound of one number request to a board, in ms; default 5000 (100 to
//                       60000)
//
// A value that is missing, not a number, or a port outside 1 to 65535 takes the default; a
// timeout outside its range is brought back into it.

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace zelwiz {

inline constexpr const char* kInstallKeyPath = "Software\\Korvane\\7316\\Install";

struct DeviceNetworkSettings {
    std::string discoveryAddress = "255.255.255.255";
    std::uint16_t discoveryPort = 17316;
    std::chrono::milliseconds discoveryTimeout{2000};
    std::uint16_t boardPort = 17317;
    std::chrono::milliseconds boardTimeout{5000};
};

DeviceNetworkSettings ReadDeviceNetworkSettings(Registry& reg);

}  // namespace zelwiz
