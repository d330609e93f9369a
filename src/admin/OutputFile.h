#pragma once
// Files the tool writes: whole or not at all, so that an interrupted run never leaves half a file
// where an administrator expects a good one.

#include <string>

namespace zelwiz {

// Writes `bytes` to a temporary file beside `path` and renames it over `path`.
// CommandFailed naming the file when it cannot.
void WriteFileWhole(const std::string& path, const std::string& bytes);

}  // namespace zelwiz
