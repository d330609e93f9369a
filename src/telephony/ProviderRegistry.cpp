#include "telephony/ProviderRegistry.h"

#include "platform/Conversions.h"
#include "platform/Platform.h"

namespace zelwiz {
namespace {

// The rights CreateRegKey asks for: every specific right of a key, no standard right.
constexpr REGSAM kCreateKeyAccess = 0x3F;
// The buffer the names are read into, in characters.
constexpr DWORD kSubKeyNameBuffer = 255;

// Enumerates the subkeys of `path`; `keep` decides which names go into the list. Answers whether
// the key opened and at least one name was read.
template <class Keep>
bool EnumerateSubKeys(HKEY hive, const std::string& path, std::vector<std::string>& list,
                      Keep keep) {
    Registry& reg = TheRegistry();
    HKEY handle = 0;
    if (reg.OpenKey(hive, path, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegKey key(reg, handle);
    bool any = false;
    std::string name;
    for (DWORD index = 0; reg.EnumKey(key.get(), index, &name, kSubKeyNameBuffer) == ERROR_SUCCESS;
         ++index) {
        any = true;
        if (keep(name))
            list.push_back(name);
    }
    return any;
}

}  // namespace

bool GetSubKeys(HKEY hive, const std::string& path, std::vector<std::string>& list,
                const std::string& exclude1, const std::string& exclude2) {
    const bool excluding = !Trim(exclude1).empty();
    return EnumerateSubKeys(hive, path, list, [&](const std::string& name) {
        if (name == kPlaceholderSubKey)
            return false;
        return !(excluding && (name == exclude1 || name == exclude2));
    });
}

bool GetAllSubKeys(HKEY hive, const std::string& path, std::vector<std::string>& list,
                   const std::string& exclude) {
    const bool excluding = !Trim(exclude).empty();
    return EnumerateSubKeys(
        hive, path, list, [&](const std::string& name) { return !(excluding && name == exclude); });
}

bool RegKeyExists(HKEY hive, const std::string& path, const std::string& valueName) {
    Registry& reg = TheRegistry();
    HKEY handle = 0;
    if (reg.OpenKey(hive, path, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegKey key(reg, handle);
    if (valueName.empty())
        return true;
    DWORD size = 0;
    return reg.QueryValue(key.get(), valueName, nullptr, nullptr, &size) == ERROR_SUCCESS;
}

void CreateRegKey(HKEY hive, const std::string& path) {
    Registry& reg = TheRegistry();
    HKEY handle = 0;
    if (reg.CreateKey(hive, path, kCreateKeyAccess, &handle) == ERROR_SUCCESS)
        reg.CloseKey(handle);
}

bool SetRegString(HKEY hive, const std::string& path, const std::string& valueName,
                  const std::string& text) {
    Registry& reg = TheRegistry();
    HKEY handle = 0;
    if (reg.CreateKey(hive, path, KEY_WRITE, &handle) != ERROR_SUCCESS)
        return false;
    RegKey key(reg, handle);
    return reg.SetString(key.get(), valueName, text) == ERROR_SUCCESS;
}

bool DeleteRegValue(HKEY hive, const std::string& path, const std::string& valueName) {
    Registry& reg = TheRegistry();
    HKEY handle = 0;
    if (reg.OpenKey(hive, path, KEY_WRITE, &handle) != ERROR_SUCCESS)
        return false;
    RegKey key(reg, handle);
    return reg.DeleteValue(key.get(), valueName) == ERROR_SUCCESS;
}

bool DeleteRegSubKey(HKEY hive, const std::string& parentPath, const std::string& subKey) {
    Registry& reg = TheRegistry();
    HKEY handle = 0;
    if (reg.OpenKey(hive, parentPath + "\\" + subKey, DELETE_ACCESS, &handle) != ERROR_SUCCESS)
        return false;
    RegKey key(reg, handle);
    return reg.DeleteKey(key.get(), "") == ERROR_SUCCESS;
}

}  // namespace zelwiz
