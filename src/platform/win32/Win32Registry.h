#pragma once
// The registry of Windows itself, through advapi32's W functions: names and texts are UTF-8 in
// the core and UTF-16 at the call, so any language's text round-trips. The status codes are the
// system's own. Handles given to the core are small numbers of this object's own that stand for
// the system's handles, so that a closed or foreign handle is refused rather than reused.

#include <map>

#include "platform/Registry.h"

namespace zelwiz {

class Win32Registry : public Registry {
  public:
    Win32Registry() = default;
    ~Win32Registry() override;  // closes the keys left open
    Win32Registry(const Win32Registry&) = delete;
    Win32Registry& operator=(const Win32Registry&) = delete;

    LONG OpenKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result) override;
    LONG CreateKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result,
                   bool* created = nullptr) override;
    // Texts (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are answered in UTF-8, and their sizes are
    // those of the UTF-8 text; other types come as stored.
    LONG QueryValue(HKEY key, std::string_view name, DWORD* type, std::uint8_t* data,
                    DWORD* size) override;
    LONG SetValue(HKEY key, std::string_view name, DWORD type, const std::uint8_t* data,
                  DWORD size) override;
    LONG EnumKey(HKEY key, DWORD index, std::string* name, DWORD bufferChars) override;
    // The name from RegEnumValueW; the type and data as QueryValue answers them.
    LONG EnumValue(HKEY key, DWORD index, std::string* name, DWORD* type,
                   std::vector<std::uint8_t>* data) override;
    LONG DeleteValue(HKEY key, std::string_view name) override;
    LONG DeleteKey(HKEY key, std::string_view subKey) override;
    LONG CloseKey(HKEY key) override;
    // RegFlushKey.
    LONG FlushKey(HKEY key) override;

  private:
    using NativeKey = void*;  // the system's HKEY
    NativeKey Native(HKEY key) const;
    HKEY Keep(NativeKey native);

    std::map<HKEY, NativeKey> open_;
    HKEY next_ = 0x100;
};

}  // namespace zelwiz
