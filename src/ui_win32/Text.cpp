#include "ui_win32/Text.h"

#include <windows.h>

#include <algorithm>

namespace zelwiz::win32 {

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::wstring WithoutAccessKey(const std::string& caption) {
    const std::wstring text = Widen(caption);
    std::wstring plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'&')
            plain += text[i];
        else if (i + 1 < text.size() && text[i + 1] == L'&')
            plain += text[++i];  // "&&" is one "&"
    }
    return plain;
}

int WidePosition(const std::string& text, int modelPosition) {
    const auto bytes = static_cast<size_t>(std::clamp(modelPosition, 0, int(text.size())));
    return static_cast<int>(Widen(text.substr(0, bytes)).size());
}

int ModelPosition(const std::wstring& text, int widePosition) {
    const auto units = static_cast<size_t>(std::clamp(widePosition, 0, int(text.size())));
    return static_cast<int>(Narrow(text.substr(0, units)).size());
}

}  // namespace zelwiz::win32
