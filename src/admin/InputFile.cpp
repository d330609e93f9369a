#include "admin/InputFile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/UnicodeText.h"
#include "platform/Utf8Path.h"

namespace zelwiz {
namespace {

std::string ByteText(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", byte);
    return text;
}

}  // namespace

int LineOf(const std::string& text, std::size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

std::string ReadInputFile(const std::string& path, std::size_t maxBytes) {
    std::ifstream in(Utf8Path(path), std::ios::binary);
    if (!in)
        throw BadInput(path + ": cannot be read");
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::size_t>(in.tellg());
    if (size > maxBytes) {
        throw BadInput(path + ": " + std::to_string(size) + " bytes is too large (at most " +
                       std::to_string(maxBytes) + ")");
    }
    in.seekg(0);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw BadInput(path + ": cannot be read");
    return text.str();
}

std::string ReadIniText(const std::string& path) {
    const std::string text = ReadInputFile(path, kMaxIniBytes);
    if (text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0)
        throw BadInput(path + " line 1: UTF-16 text; save the file as UTF-8");
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) {
            throw BadInput(path + " line " + std::to_string(LineOf(text, i)) +
                           ": binary data (byte " + ByteText(c) + "); not an INI file");
        }
    }
    if (const std::size_t bad = InvalidUtf8At(text); bad != std::string::npos) {
        throw BadInput(path + " line " + std::to_string(LineOf(text, bad)) +
                       ": not UTF-8 text (byte " + ByteText(static_cast<unsigned char>(text[bad])) +
                       "); save the file as UTF-8");
    }
    return text;
}

}  // namespace zelwiz
