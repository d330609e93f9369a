#pragma once
// A file-system path from the program's UTF-8 text. The narrow-string constructors take the
// system's own encoding, which on Windows is an ANSI code page: a folder name in another
// language would not be found.

#include <filesystem>
#include <string>
#include <string_view>

namespace zelwiz {

inline std::filesystem::path Utf8Path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The way back: a path as the program's UTF-8 text.
inline std::string Utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace zelwiz
