#include "platform/win32/VersionResource.h"

#include <vector>

#include "platform/win32/Utf16.h"

#include <windows.h>

namespace zelwiz {

std::string VersionResourceText(const std::string& fileName, const std::string& name) {
    const std::wstring file = Wide(fileName);
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), nullptr);
    if (size == 0)
        return {};
    std::vector<std::uint8_t> info(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, info.data()))
        return {};
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &bytes) ||
        bytes < sizeof(Translation))
        return {};
    wchar_t path[64] = {};
    swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\", translations->language,
             translations->codePage);
    wchar_t* text = nullptr;
    UINT chars = 0;
    if (!VerQueryValueW(info.data(), (path + Wide(name)).c_str(), reinterpret_cast<void**>(&text),
                        &chars) ||
        chars == 0)
        return {};
    return Utf8(std::wstring_view(text, wcsnlen(text, chars)));
}

std::string VersionResourceText(const std::string& name) {
    wchar_t file[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, file, MAX_PATH) == 0)
        return {};
    return VersionResourceText(Utf8(file), name);
}

}  // namespace zelwiz
