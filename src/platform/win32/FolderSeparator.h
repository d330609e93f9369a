#pragma once
// How folder paths are written on Windows: "\" between the levels, after a drive name such as
// "D:".

#include <string_view>

namespace zelwiz {

inline constexpr char kFolderSeparator = '\\';
// The characters that end a drive name at the start of a path.
inline constexpr std::string_view kDriveSeparators = ":";

}  // namespace zelwiz
