#include "components/DeviceProtocol.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "components/HostResolver.h"
#include "components/Ipv4Address.h"

namespace zelwiz {
namespace {

constexpr std::string_view kProbeTag = "ZELWIZ-DISCOVER";
constexpr std::string_view kPbxTag = "ZELWIZ-PBX";
constexpr std::string_view kVoipTag = "ZELWIZ-VOIP";
constexpr std::string_view kEdnTag = "ZELWIZ-EDN";
constexpr std::string_view kVersion = "1";

bool IsAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The fields of a one-line message: one blank between fields, an optional line feed (or CR LF)
// at the end and nothing after it. Nothing when the message breaks these rules.
std::optional<std::vector<std::string_view>> Fields(std::string_view message) {
    if (message.size() > kMaxMessageLength)
        return std::nullopt;
    if (!message.empty() && message.back() == '\n')
        message.remove_suffix(1);
    if (!message.empty() && message.back() == '\r')
        message.remove_suffix(1);
    if (message.empty())
        return std::nullopt;
    for (char c : message) {
        if (c < 0x21 && c != ' ')
            return std::nullopt;
        if (c == 0x7f || static_cast<unsigned char>(c) > 0x7f)
            return std::nullopt;
    }
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t blank = message.find(' ', start);
        const std::string_view field = message.substr(start, blank - start);
        if (field.empty())
            return std::nullopt;
        fields.push_back(field);
        if (blank == std::string_view::npos)
            return fields;
        start = blank + 1;
    }
}

std::optional<std::uint32_t> Number(std::string_view text, std::uint32_t max) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    std::uint32_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value > max)
        return std::nullopt;
    return value;
}

bool IsValidAddressField(std::string_view text) {
    if (text == kSenderAddress)
        return true;
    const std::string s(text);
    return ParseIpv4(s).has_value() || IsValidHostName(s);
}

const char* KindWord(DeviceKind kind) {
    return kind == DeviceKind::Pbx ? "PBX" : "VOIP";
}

}  // namespace

bool IsValidNonce(std::string_view text) {
    return !text.empty() && text.size() <= 16 && std::all_of(text.begin(), text.end(), IsAlnum);
}

bool IsValidDeviceName(std::string_view text) {
    return !text.empty() && text.size() <= 63 && std::all_of(text.begin(), text.end(), [](char c) {
        return IsAlnum(c) || c == '.' || c == '_' || c == '-';
    });
}

bool IsValidDirectoryNumber(std::string_view text) {
    return !text.empty() && text.size() <= 20 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '*' || c == '#';
    });
}

std::string FormatProbe(const DiscoveryProbe& probe) {
    return std::string(kProbeTag) + " 1 " + KindWord(probe.kind) + " " + probe.nonce + "\n";
}

std::optional<DiscoveryProbe> ParseProbe(std::string_view message) {
    auto f = Fields(message);
    if (!f || f->size() != 4 || (*f)[0] != kProbeTag || (*f)[1] != kVersion)
        return std::nullopt;
    DiscoveryProbe probe;
    if ((*f)[2] == "PBX") {
        probe.kind = DeviceKind::Pbx;
    } else if ((*f)[2] == "VOIP") {
        probe.kind = DeviceKind::VoipBoard;
    } else {
        return std::nullopt;
    }
    if (!IsValidNonce((*f)[3]))
        return std::nullopt;
    probe.nonce = (*f)[3];
    return probe;
}

std::string FormatAnswer(const DiscoveryAnswer& answer) {
    if (answer.kind == DeviceKind::Pbx) {
        return std::string(kPbxTag) + " 1 " + answer.nonce + " " + answer.address + " " +
               answer.name + "\n";
    }
    return std::string(kVoipTag) + " 1 " + answer.nonce + " " + answer.address + " " +
           std::to_string(answer.port) + " " + answer.name + "\n";
}

std::optional<DiscoveryAnswer> ParseAnswer(std::string_view message) {
    auto f = Fields(message);
    if (!f || f->size() < 2 || (*f)[1] != kVersion)
        return std::nullopt;
    DiscoveryAnswer answer;
    size_t nameField = 0;
    if ((*f)[0] == kPbxTag && f->size() == 5) {
        answer.kind = DeviceKind::Pbx;
        nameField = 4;
    } else if ((*f)[0] == kVoipTag && f->size() == 6) {
        answer.kind = DeviceKind::VoipBoard;
        const auto port = Number((*f)[4], 65535);
        if (!port || *port == 0)
            return std::nullopt;
        answer.port = static_cast<std::uint16_t>(*port);
        nameField = 5;
    } else {
        return std::nullopt;
    }
    if (!IsValidNonce((*f)[2]) || !IsValidAddressField((*f)[3]) ||
        !IsValidDeviceName((*f)[nameField])) {
        return std::nullopt;
    }
    answer.nonce = (*f)[2];
    answer.address = (*f)[3];
    answer.name = (*f)[nameField];
    return answer;
}

std::string FormatEdnRequest() {
    return std::string(kEdnTag) + " 1\n";
}

bool IsEdnRequest(std::string_view line) {
    auto f = Fields(line);
    return f && f->size() == 2 && (*f)[0] == kEdnTag && (*f)[1] == kVersion;
}

std::string FormatEdnAnswer(const EdnAnswer& answer) {
    return std::string(kEdnTag) + " 1 " + std::to_string(answer.code) + " " +
           (answer.code == 0 ? answer.number : std::string("-")) + "\n";
}

std::optional<EdnAnswer> ParseEdnAnswer(std::string_view line) {
    auto f = Fields(line);
    if (!f || f->size() != 4 || (*f)[0] != kEdnTag || (*f)[1] != kVersion)
        return std::nullopt;
    const auto code = Number((*f)[2], 0x7FFFFFFF);
    if (!code)
        return std::nullopt;
    EdnAnswer answer;
    answer.code = static_cast<std::int32_t>(*code);
    if (answer.code == 0) {
        if (!IsValidDirectoryNumber((*f)[3]))
            return std::nullopt;
        answer.number = (*f)[3];
    } else if ((*f)[3] != "-") {
        return std::nullopt;
    }
    return answer;
}

}  // namespace zelwiz
