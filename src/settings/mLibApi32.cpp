#include "settings/mLibApi32.h"

#include <cstdio>
#include <set>

#include "environment/mLogError.h"
#include "platform/ErrorInfo.h"
#include "platform/Form.h"
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

bool CommitRegistry() noexcept {
    // A hive whose failure was told: every later commit point tries again, silently, until one
    // succeeds.
    static std::set<HKEY> failing;
    const std::int32_t lastDllError = LastDllError();
    bool committed = true;
    try {
        Registry& reg = TheRegistry();
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            SetLastDllError(0);
            const LONG status = reg.FlushKey(hive);
            if (status == ERROR_SUCCESS) {
                failing.erase(hive);
                continue;
            }
            committed = false;
            if (!failing.insert(hive).second)
                continue;
            const std::int32_t reason = LastDllError() != 0 ? LastDllError() : status;
            std::string where = reg.HiveLocation(hive);
            where = where.empty() ? std::string(HiveName(hive)) : "file " + where;
            const std::string message =
                "registry " + where + " could not be written; it keeps its previous content";
            if (!Form::AnyShown()) {
                std::fprintf(stderr, "zelwiz: %s: %s\n", message.c_str(),
                             ErrorText(reason).c_str());
            }
            ClearErr();
            Err().LastDllError = reason;
            LogError("mLibApi32.CommitRegistry", nullptr, message);
        }
    } catch (...) {
        // Called at every end of the program, also while an error unwinds: nothing may escape.
        committed = false;
    }
    SetLastDllError(lastDllError);
    return committed;
}

}  // namespace zelwiz
