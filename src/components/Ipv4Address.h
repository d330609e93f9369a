#pragma once
// IPv4 addresses as the device protocol writes them, and the address and port every socket call
// of the finders and the simulator takes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelwiz {

struct Ipv4Endpoint {
    std::uint32_t address = 0;  // in host order: 127.0.0.1 is 0x7F000001
    std::uint16_t port = 0;
};

// A dotted quad ("192.0.2.10"): exactly four decimal parts of 0 to 255, without leading zeros,
// blanks or anything after them.
std::optional<std::uint32_t> ParseIpv4(std::string_view text);
std::string Ipv4Text(std::uint32_t address);  // "192.0.2.10"
bool IsLoopback(std::uint32_t address);       // 127.0.0.0/8

}  // namespace zelwiz
