#pragma once
// Reading a value from an INI file the way the Windows private-profile reader does: the reader
// of the platforms that have none of their own.

#include <cstddef>
#include <string>
#include <string_view>

namespace zelwiz {

// GetPrivateProfileString on the text of a file: sections "[name]" and lines "key=value";
// section and key names are matched without regard to case (and without the blanks and tabs
// around them); the first matching key of the first matching section wins. The value is the
// text after the first "=", without its line break; one pair of matching surrounding quotes
// (double or single) is removed. Lines that start with ";" are not comments for this reader:
// they are keys like any other, so "; Hostname=x" never matches "Hostname". The answer is cut to
// `bufferChars` - 1 characters, as the caller's buffer holds that many and the terminating NUL.
// `found` tells whether the key exists.
std::string GetPrivateProfileText(std::string_view fileText, std::string_view section,
                                  std::string_view key, std::string_view defaultValue,
                                  std::size_t bufferChars, bool* found = nullptr);

// The same on a file; a file that cannot be read answers the default.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferChars,
                                    const std::string& fileName);

}  // namespace zelwiz
