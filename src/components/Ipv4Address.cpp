#include "components/Ipv4Address.h"

namespace zelwiz {

// Our own reading rather than the system's: Windows' reader (which Asio uses there) also takes
// "127.1", octal parts ("010" is 8) and a port after the address, so the same text would name
// another address, or none, depending on the system.
std::optional<std::uint32_t> ParseIpv4(std::string_view text) {
    std::uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.')
                return std::nullopt;
            text.remove_prefix(1);
        }
        size_t digits = 0;
        std::uint32_t value = 0;
        while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9')
            value = value * 10 + static_cast<std::uint32_t>(text[digits++] - '0');
        if (digits == 0 || digits > 3 || value > 255 || (digits > 1 && text[0] == '0'))
            return std::nullopt;
        text.remove_prefix(digits);
        address = address << 8 | value;
    }
    if (!text.empty())
        return std::nullopt;
    return address;
}

std::string Ipv4Text(std::uint32_t address) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += std::to_string(address >> shift & 0xFF);
        if (shift > 0)
            text += '.';
    }
    return text;
}

bool IsLoopback(std::uint32_t address) {
    return address >> 24 == 127;
}

}  // namespace zelwiz
