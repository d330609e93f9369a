#pragma once
// The messages of the device protocol spoken by the PBX and VoIP board finders and by the
// gateways that answer for PBXs and VoIP boards (see docs/device-protocol.md):
//
//   discovery probe (UDP):   ZELWIZ-DISCOVER 1 PBX|VOIP <nonce>
//   PBX answer (UDP):        ZELWIZ-PBX 1 <nonce> <address> <name>
//   VoIP board answer (UDP): ZELWIZ-VOIP 1 <nonce> <address> <port> <name>
//   number request (TCP):    ZELWIZ-EDN 1
//   number answer (TCP):     ZELWIZ-EDN 1 <code> <number>|-
//
// Each message is one line of printable ASCII ended by a line feed; fields are separated by one
// blank. Parsers answer nothing for a message that does not follow these rules exactly.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelwiz {

inline constexpr int kDeviceProtocolVersion = 1;
inline constexpr std::uint16_t kDefaultDiscoveryPort = 17316;
inline constexpr std::uint16_t kDefaultBoardPort = 17317;
inline constexpr size_t kMaxMessageLength = 512;  // a line feed included
// The address field of an answer that means "the address this datagram came from".
inline constexpr const char* kSenderAddress = "*";

enum class DeviceKind { Pbx, VoipBoard };

struct DiscoveryProbe {
    DeviceKind kind = DeviceKind::Pbx;
    std::string nonce;  // 1 to 16 letters or digits, echoed by every answer
};

struct DiscoveryAnswer {
    DeviceKind kind = DeviceKind::Pbx;
    std::string nonce;
    std::string address;     // dotted quad, host name, or kSenderAddress
    std::uint16_t port = 0;  // VoIP boards: the TCP port of the number request
    std::string name;        // 1 to 63 letters, digits, '.', '_' or '-'
};

struct EdnAnswer {
    std::int32_t code = 0;  // 0: the set is known and `number` is its directory number
    std::string number;     // 1 to 20 digits, '*' or '#'; empty when code is not 0
};

std::string FormatProbe(const DiscoveryProbe& probe);
std::optional<DiscoveryProbe> ParseProbe(std::string_view message);
std::string FormatAnswer(const DiscoveryAnswer& answer);
std::optional<DiscoveryAnswer> ParseAnswer(std::string_view message);
std::string FormatEdnRequest();
bool IsEdnRequest(std::string_view line);
std::string FormatEdnAnswer(const EdnAnswer& answer);
std::optional<EdnAnswer> ParseEdnAnswer(std::string_view line);

// Field rules, for the writers of messages (the simulator checks its configuration with them).
bool IsValidNonce(std::string_view text);
bool IsValidDeviceName(std::string_view text);
bool IsValidDirectoryNumber(std::string_view text);

}  // namespace zelwiz
