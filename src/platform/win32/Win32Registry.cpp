#include "platform/win32/Win32Registry.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/win32/Utf16.h"

// After the core's headers: <windows.h> defines the same names as macros of the same values.
#include <windows.h>

namespace zelwiz {
namespace {

constexpr DWORD kMaxValueNameChars = 16383;  // the registry's limit, without the NUL

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The UTF-16 text of a value as stored, terminators included.
LONG ReadWideValue(::HKEY key, const std::wstring& name, std::wstring* text) {
    ::DWORD bytes = 0;
    LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &bytes);
    while (rc == ERROR_SUCCESS) {
        std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        ::DWORD got = bytes;
        rc = RegQueryValueExW(key, name.c_str(), nullptr, nullptr,
                              reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (rc == ERROR_MORE_DATA) {  // changed meanwhile: ask again
            bytes = got;
            rc = ERROR_SUCCESS;
            continue;
        }
        if (rc == ERROR_SUCCESS) {
            buffer.resize(got / sizeof(wchar_t));
            *text = std::move(buffer);
        }
        break;
    }
    return rc;
}

}  // namespace

Win32Registry::~Win32Registry() {
    for (const auto& [key, native] : open_)
        RegCloseKey(static_cast<::HKEY>(native));
}

Win32Registry::NativeKey Win32Registry::Native(HKEY key) const {
    if (IsPredefinedHive(key)) {
        // The system's predefined keys are the same numbers, sign-extended to a pointer.
        return reinterpret_cast<NativeKey>(
            static_cast<std::intptr_t>(static_cast<std::int32_t>(key)));
    }
    const auto it = open_.find(key);
    return it == open_.end() ? nullptr : it->second;
}

HKEY Win32Registry::Keep(NativeKey native) {
    const HKEY key = next_++;
    open_[key] = native;
    return key;
}

LONG Win32Registry::OpenKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result) {
    const NativeKey parent = Native(key);
    if (parent == nullptr)
        return ERROR_INVALID_HANDLE;
    ::HKEY opened = nullptr;
    const LONG rc =
        RegOpenKeyExW(static_cast<::HKEY>(parent), Wide(subKey).c_str(), 0, sam, &opened);
    if (rc == ERROR_SUCCESS)
        *result = Keep(opened);
    return rc;
}

LONG Win32Registry::CreateKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result,
                              bool* created) {
    const NativeKey parent = Native(key);
    if (parent == nullptr)
        return ERROR_INVALID_HANDLE;
    ::HKEY opened = nullptr;
    ::DWORD disposition = 0;
    const LONG rc = RegCreateKeyExW(static_cast<::HKEY>(parent), Wide(subKey).c_str(), 0, nullptr,
                                    REG_OPTION_NON_VOLATILE, sam, nullptr, &opened, &disposition);
    if (rc != ERROR_SUCCESS)
        return rc;
    *result = Keep(opened);
    if (created != nullptr)
        *created = disposition == REG_CREATED_NEW_KEY;
    return rc;
}

LONG Win32Registry::QueryValue(HKEY key, std::string_view name, DWORD* type, std::uint8_t* data,
                               DWORD* size) {
    const auto native = static_cast<::HKEY>(Native(key));
    if (native == nullptr)
        return ERROR_INVALID_HANDLE;
    const std::wstring wideName = Wide(name);
    ::DWORD storedType = REG_NONE;
    ::DWORD bytes = 0;
    LONG rc = RegQueryValueExW(native, wideName.c_str(), nullptr, &storedType, nullptr, &bytes);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (type != nullptr)
        *type = storedType;
    if (!IsText(storedType)) {
        if (data == nullptr) {
            *size = bytes;
            return ERROR_SUCCESS;
        }
        ::DWORD capacity = *size;
        rc = RegQueryValueExW(native, wideName.c_str(), nullptr, nullptr, data, &capacity);
        *size = capacity;
        return rc;
    }
    std::wstring wide;
    rc = ReadWideValue(native, wideName, &wide);
    if (rc != ERROR_SUCCESS)
        return rc;
    const std::string text = Utf8(wide);
    const auto needed = static_cast<DWORD>(text.size());
    if (data != nullptr && *size < needed)
        rc = ERROR_MORE_DATA;
    else if (data != nullptr)
        std::memcpy(data, text.data(), text.size());
    *size = needed;
    return rc;
}

LONG Win32Registry::SetValue(HKEY key, std::string_view name, DWORD type, const std::uint8_t* data,
                             DWORD size) {
    const auto native = static_cast<::HKEY>(Native(key));
    if (native == nullptr)
        return ERROR_INVALID_HANDLE;
    if (!IsText(type))
        return RegSetValueExW(native, Wide(name).c_str(), 0, type, data, size);
    const std::string_view text(reinterpret_cast<const char*>(data), data == nullptr ? 0 : size);
    std::wstring wide = Wide(text);
    // A text given without its terminator is stored with one, so that readers that drop the
    // last character read back exactly what was written.
    if (type != REG_MULTI_SZ && (wide.empty() || wide.back() != L'\0'))
        wide.push_back(L'\0');
    return RegSetValueExW(native, Wide(name).c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(wide.data()),
                          static_cast<DWORD>(wide.size() * sizeof(wchar_t)));
}

LONG Win32Registry::EnumKey(HKEY key, DWORD index, std::string* name, DWORD bufferChars) {
    const auto native = static_cast<::HKEY>(Native(key));
    if (native == nullptr)
        return ERROR_INVALID_HANDLE;
    std::wstring buffer(bufferChars, L'\0');
    ::DWORD chars = bufferChars;
    const LONG rc =
        RegEnumKeyExW(native, index, buffer.data(), &chars, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_SUCCESS)
        *name = Utf8(std::wstring_view(buffer.data(), chars));
    return rc;
}

LONG Win32Registry::EnumValue(HKEY key, DWORD index, std::string* name, DWORD* type,
                              std::vector<std::uint8_t>* data) {
    const auto native = static_cast<::HKEY>(Native(key));
    if (native == nullptr)
        return ERROR_INVALID_HANDLE;
    if (name == nullptr)
        return ERROR_INVALID_PARAMETER;
    std::wstring buffer(kMaxValueNameChars + 1, L'\0');
    ::DWORD chars = static_cast<::DWORD>(buffer.size());
    LONG rc =
        RegEnumValueW(native, index, buffer.data(), &chars, nullptr, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS)
        return rc;
    *name = Utf8(std::wstring_view(buffer.data(), chars));
    DWORD size = 0;
    rc = QueryValue(key, *name, type, nullptr, &size);
    if (rc != ERROR_SUCCESS || data == nullptr)
        return rc;
    data->resize(size);
    rc = QueryValue(key, *name, type, data->data(), &size);
    data->resize(rc == ERROR_SUCCESS ? size : 0);
    return rc;
}

LONG Win32Registry::DeleteValue(HKEY key, std::string_view name) {
    const auto native = static_cast<::HKEY>(Native(key));
    if (native == nullptr)
        return ERROR_INVALID_HANDLE;
    return RegDeleteValueW(native, Wide(name).c_str());
}

LONG Win32Registry::DeleteKey(HKEY key, std::string_view subKey) {
    const auto native = static_cast<::HKEY>(Native(key));
    if (native == nullptr)
        return ERROR_INVALID_HANDLE;
    return RegDeleteKeyW(native, Wide(subKey).c_str());
}

LONG Win32Registry::CloseKey(HKEY key) {
    if (IsPredefinedHive(key))
        return ERROR_SUCCESS;
    const auto it = open_.find(key);
    if (it == open_.end())
        return ERROR_INVALID_HANDLE;
    const LONG rc = RegCloseKey(static_cast<::HKEY>(it->second));
    open_.erase(it);
    return rc;
}

LONG Win32Registry::FlushKey(HKEY key) {
    const auto native = static_cast<::HKEY>(Native(key));
    if (native == nullptr)
        return ERROR_INVALID_HANDLE;
    return RegFlushKey(native);
}

}  // namespace zelwiz
