#include "settings/mLibApi32.h"

#include "platform/Platform.h"

namespace zelwiz {

std::string RegReadValue(HKEY hive, const std::string& keyPath, const std::string& valueName) {
    Registry& reg = TheRegistry();
    HKEY opened = 0;
    if (reg.OpenKey(hive, keyPath, KEY_READ, &opened) != ERROR_SUCCESS)
        return {};
    RegKey key(reg, opened);
    std::uint8_t buffer[1024] = {};
    DWORD size = sizeof buffer;
    DWORD type = REG_NONE;
    if (reg.QueryValue(key.get(), valueName, &type, buffer, &size) != ERROR_SUCCESS)
        return {};
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        if (size > 0 && buffer[size - 1] == 0)
            --size;
        return std::string(reinterpret_cast<const char*>(buffer), size);
    }
    if (type == REG_DWORD) {
        const std::uint32_t value = static_cast<std::uint32_t>(buffer[0]) |
                                    (static_cast<std::uint32_t>(buffer[1]) << 8) |
                                    (static_cast<std::uint32_t>(buffer[2]) << 16) |
                                    (static_cast<std::uint32_t>(buffer[3]) << 24);
        return std::to_string(static_cast<std::int32_t>(value));
    }
    return {};
}

bool RegWriteValue(HKEY hive, const std::string& keyPath, const std::string& valueName,
                   std::string& value) {
    Registry& reg = TheRegistry();
    HKEY opened = 0;
    if (reg.CreateKey(hive, keyPath, KEY_READ | KEY_WRITE, &opened) != ERROR_SUCCESS)
        return false;
    RegKey key(reg, opened);
    if (value.empty())
        value.push_back(' ');  // the empty value becomes one blank
    return reg.SetString(key.get(), valueName, value) == ERROR_SUCCESS;
}

}  // namespace zelwiz
