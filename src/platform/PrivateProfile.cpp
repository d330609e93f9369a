#include "platform/PrivateProfile.h"
#include "platform/Utf8Path.h"

#include <fstream>
#include <sstream>

namespace zelwiz {
namespace {

// Name comparison as the reader does it: ASCII letters without regard to case.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string_view StripWhite(std::string_view s) {
    const auto white = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && white(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && white(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::string GetPrivateProfileText(std::string_view text, std::string_view section,
                                  std::string_view key, std::string_view defaultValue,
                                  std::size_t bufferChars, bool* found) {
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    bool inSection = false;
    std::string value;
    bool hit = false;
    while (!text.empty() && !hit) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        std::string_view trimmed = StripWhite(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const std::size_t close = trimmed.find(']');
            std::string_view name =
                trimmed.substr(1, close == std::string_view::npos ? trimmed.npos : close - 1);
            inSection = SameName(StripWhite(name), section);
            continue;
        }
        if (!inSection)
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        if (!SameName(StripWhite(line.substr(0, eq)), key))
            continue;
        std::string_view v = line.substr(eq + 1);
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
            v = v.substr(1, v.size() - 2);
        }
        value.assign(v);
        hit = true;
    }
    if (found != nullptr)
        *found = hit;
    if (!hit)
        value.assign(defaultValue);
    const std::size_t keep = bufferChars == 0 ? 0 : bufferChars - 1;
    if (value.size() > keep)
        value.resize(keep);
    return value;
}

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferChars,
                                    const std::string& fileName) {
    std::ifstream in(Utf8Path(fileName), std::ios::binary);
    if (!in) {
        return GetPrivateProfileText({}, section, key, defaultValue, bufferChars);
    }
    std::ostringstream all;
    all << in.rdbuf();
    return GetPrivateProfileText(all.str(), section, key, defaultValue, bufferChars);
}

}  // namespace zelwiz
