#include "admin/RegBackup.h"

#include "admin/AdminErrors.h"
#include "admin/InputFile.h"
#include "admin/KeyTree.h"
#include "platform/RegFile.h"

namespace zelwiz {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

// The UTF-16LE form of UTF-8 text; nullopt when the text is not UTF-8.
std::optional<std::string> Utf16Le(std::string_view utf8) {
    if (InvalidUtf8At(std::string(utf8)) != std::string::npos)
        return std::nullopt;
    std::string out;
    out.reserve(utf8.size() * 2);
    auto unit = [&](std::uint32_t u) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        std::uint32_t cp = length == 1 ? c : c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            unit(0xD800 + (cp >> 10));
            unit(0xDC00 + (cp & 0x3FF));
        } else {
            unit(cp);
        }
        i += length;
    }
    return out;
}

// A text regedit writes as "text": one terminating NUL, no other, no line break, UTF-8.
bool Quotable(const std::vector<std::uint8_t>& data) {
    if (data.empty() || data.back() != 0)
        return false;
    const std::string text(data.begin(), data.end() - 1);
    return text.find_first_of(std::string("\0\r\n", 3)) == std::string::npos &&
           InvalidUtf8At(text) == std::string::npos;
}

// The texts regedit writes as hex lists hold UTF-16LE characters.
void TextsAsRegeditWritesThem(RegNode& node) {
    for (RegValueData& value : node.values) {
        const bool text =
            value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ;
        if (!text || (value.type == REG_SZ && Quotable(value.data)))
            continue;
        if (auto wide = Utf16Le(std::string(value.data.begin(), value.data.end())))
            value.data.assign(wide->begin(), wide->end());
    }
    for (auto& entry : node.subkeys)
        TextsAsRegeditWritesThem(*entry.second);
}

}  // namespace

std::string BackupProductKeys(Registry& registry) {
    std::string keys;
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        auto product = ReadKeyTree(registry, hive, kProductKeyPath);
        if (!product)
            continue;
        TextsAsRegeditWritesThem(*product);
        RegNode root;
        root.FindOrAdd("Software").FindOrAdd("Korvane") = std::move(*product);
        const std::optional<std::string> text = SerializeRegFile(root, hive);
        if (!text) {
            throw CommandFailed("a name below " + std::string(HiveName(hive)) + "\\" +
                                kProductKeyPath + " cannot stand in a .reg file");
        }
        // The export of Software\Korvane alone: without the file's header and the key above it.
        const std::string above =
            std::string(kHeader) + "\n\n[" + HiveName(hive) + "\\Software]\n\n";
        keys += text->substr(text->rfind(above, 0) == 0 ? above.size() : 0);
    }
    if (keys.empty()) {
        throw CommandFailed("neither hive holds " + std::string(kProductKeyPath) +
                            ": there is nothing to back up");
    }
    std::string crlf;
    for (char c : std::string(kHeader) + "\n\n" + keys) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return "\xFF\xFE" + *Utf16Le(crlf);
}

std::vector<RegChange> RestoreProductKeys(Registry&, const std::string&) {
    return {};
}

}  // namespace zelwiz
