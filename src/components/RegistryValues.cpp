#include "components/RegistryValues.h"

#include <charconv>
#include <cstring>

namespace zelwiz {
namespace {

RegKey OpenForReading(Registry& reg, HKEY hive, std::string_view path) {
    HKEY key = 0;
    if (reg.OpenKey(hive, path, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    return RegKey(reg, key);
}

bool ReadRaw(Registry& reg, HKEY hive, std::string_view path, std::string_view name, DWORD* type,
             std::string* bytes) {
    RegKey key = OpenForReading(reg, hive, path);
    if (!key)
        return false;
    DWORD size = 0;
    if (reg.QueryValue(key.get(), name, type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    bytes->assign(size, '\0');
    if (size != 0 &&
        reg.QueryValue(key.get(), name, type, reinterpret_cast<std::uint8_t*>(bytes->data()),
                       &size) != ERROR_SUCCESS) {
        return false;
    }
    bytes->resize(size);
    return true;
}

}  // namespace

std::optional<std::string> ReadRegText(Registry& reg, HKEY hive, std::string_view path,
                                       std::string_view name) {
    DWORD type = REG_NONE;
    std::string bytes;
    if (!ReadRaw(reg, hive, path, name, &type, &bytes))
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    if (const size_t nul = bytes.find('\0'); nul != std::string::npos)
        bytes.resize(nul);
    return bytes;
}

std::optional<DWORD> ReadRegNumber(Registry& reg, HKEY hive, std::string_view path,
                                   std::string_view name) {
    DWORD type = REG_NONE;
    std::string bytes;
    if (!ReadRaw(reg, hive, path, name, &type, &bytes))
        return std::nullopt;
    if (type == REG_DWORD && bytes.size() == 4) {
        DWORD value = 0;
        std::memcpy(&value, bytes.data(), 4);
        return value;
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        if (const size_t nul = bytes.find('\0'); nul != std::string::npos)
            bytes.resize(nul);
        DWORD value = 0;
        const char* end = bytes.data() + bytes.size();
        auto [ptr, ec] = std::from_chars(bytes.data(), end, value);
        if (ec == std::errc() && ptr == end && !bytes.empty())
            return value;
    }
    return std::nullopt;
}

std::vector<std::string> ReadSubKeyNames(Registry& reg, HKEY hive, std::string_view path) {
    std::vector<std::string> names;
    RegKey key = OpenForReading(reg, hive, path);
    if (!key)
        return names;
    std::string name;
    for (DWORD i = 0; reg.EnumKey(key.get(), i, &name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    return names;
}

bool RegKeyPresent(Registry& reg, HKEY hive, std::string_view path) {
    return static_cast<bool>(OpenForReading(reg, hive, path));
}

}  // namespace zelwiz
