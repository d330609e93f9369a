#pragma once
// Files an administrator hands to the tool, refused with a message that names the file, the line
// and what is wrong, before anything is done with them.

#include <cstddef>
#include <string>

#include "admin/AdminErrors.h"

namespace zelwiz {

// An INI file of the unattended configuration is a few lines: anything larger is not one.
inline constexpr std::size_t kMaxIniBytes = 64 * 1024;

// The whole file; BadInput when it cannot be read or is larger than `maxBytes`.
std::string ReadInputFile(const std::string& path, std::size_t maxBytes);

// An INI file's text: UTF-8 (a byte order mark allowed) without binary data. BadInput otherwise,
// e.g. "desk.ini line 3: not UTF-8 text (byte 0xe9); save the file as UTF-8".
std::string ReadIniText(const std::string& path);

// The 1-based line of `text` that holds the byte at `offset`.
int LineOf(const std::string& text, std::size_t offset);

}  // namespace zelwiz
