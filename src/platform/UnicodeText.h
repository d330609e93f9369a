#pragma once
// Unicode text between its forms: UTF-8 inside the program, UTF-16LE in the files regedit writes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelwiz {

// The offset of the first byte that is not part of valid UTF-8 (overlong forms, surrogates and
// code points past U+10FFFF are not), or npos.
std::size_t InvalidUtf8At(std::string_view text);

// Appends the UTF-8 form of the code point `cp`.
void AppendUtf8(std::string* out, std::uint32_t cp);

// UTF-16LE to UTF-8; false at a lone surrogate or an odd last byte, `*out` holding the text before.
bool FromUtf16Le(std::string_view bytes, std::string* out);

// The UTF-16LE form of text that is valid UTF-8.
std::string ToUtf16Le(std::string_view utf8);

}  // namespace zelwiz
