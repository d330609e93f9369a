#pragma once
// How folder paths are written on Linux: "/" between the levels, and no drive names.

#include <string_view>

namespace zelwiz {

inline constexpr char kFolderSeparator = '/';
// The characters that end a drive name at the start of a path; paths here have none.
inline constexpr std::string_view kDriveSeparators = "";

}  // namespace zelwiz
