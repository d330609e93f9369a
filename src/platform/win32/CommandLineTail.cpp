#include "platform/win32/CommandLineTail.h"

#include "platform/win32/Utf16.h"

#include <windows.h>

namespace zelwiz {

std::string CommandLineTail(std::wstring_view line) {
    size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        const size_t close = line.find(L'"', 1);
        i = close == std::wstring_view::npos ? line.size() : close + 1;
    }
    while (i < line.size() && line[i] != L' ' && line[i] != L'\t')
        ++i;
    while (i < line.size() && (line[i] == L' ' || line[i] == L'\t'))
        ++i;
    return Utf8(line.substr(i));
}

std::string CommandLineTail() {
    return CommandLineTail(GetCommandLineW());
}

}  // namespace zelwiz
