#pragma once
// Text crosses into the Windows API as UTF-16: the core's UTF-8 is converted at the call and the
// answers back. Bytes that are not UTF-8 become U+FFFD, as nothing else can stand for them.

#include <string>
#include <string_view>

namespace zelwiz {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

}  // namespace zelwiz
