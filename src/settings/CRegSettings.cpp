#include "settings/CRegSettings.h"

#include "environment/VersionInfo.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "platform/Platform.h"

namespace zelwiz {
namespace {

constexpr char kDefaultMSubKey[] = "Software";

// "*" names the key's default (unnamed) value.
std::string ValueName(const std::string& key) {
    return key == "*" ? std::string() : key;
}

std::uint8_t* Bytes(std::string& text) {
    return reinterpret_cast<std::uint8_t*>(text.data());
}

}  // namespace

CRegSettings::CRegSettings()
    : MSubKey_(kDefaultMSubKey),
      Company_(VersionInfo::CompanyName()),
      AppName_(VersionInfo::ProductName()) {
    RebuildBasePath();
}

void CRegSettings::hKey(HKEY value) {
    // The predefined hives are 0x80000000..0x80000006; as signed numbers they are the seven
    // lowest values, so the unsigned range below is the same test.
    hKey_ = (value >= 0x80000000u && value <= 0x80000006u) ? value : HKEY_CURRENT_USER;
}

void CRegSettings::MSubKey(std::string value) {
    MSubKey_ = value.empty() ? std::string(kDefaultMSubKey) : Trim(value);
    RebuildBasePath();
}

void CRegSettings::Company(std::string value) {
    Company_ = value.empty() ? std::string(VersionInfo::CompanyName()) : Trim(value);
    RebuildBasePath();
}

void CRegSettings::AppName(std::string value) {
    AppName_ = value.empty() ? std::string(VersionInfo::ProductName()) : Trim(value);
    RebuildBasePath();
}

void CRegSettings::RebuildBasePath() {
    BasePath_ = MSubKey_ + "\\" + Company_ + "\\" + AppName_;
}

std::string CRegSettings::SectionPath(const std::string& Section) const {
    return Section.empty() ? BasePath_ : BasePath_ + "\\" + Section;
}

bool CRegSettings::DeleteSetting(std::string Section, std::string Key) {
    Registry& reg = TheRegistry();
    HKEY opened = 0;
    LONG rc;
    if (!Key.empty()) {
        rc = reg.OpenKey(hKey_, SectionPath(Section), KEY_ALL_ACCESS, &opened);
        RegKey key(reg, opened);
        if (rc == ERROR_SUCCESS)
            rc = reg.DeleteValue(key.get(), ValueName(Key));
    } else {
        rc = reg.OpenKey(hKey_, BasePath_, KEY_ALL_ACCESS, &opened);
        RegKey key(reg, opened);
        if (rc == ERROR_SUCCESS)
            rc = reg.DeleteKey(key.get(), Section);
    }
    return rc == ERROR_SUCCESS;
}

bool CRegSettings::DeleteKey(HKEY hive, std::string appName, std::string Section, std::string Key) {
    hKey(hive);
    AppName(std::move(appName));
    return DeleteSetting(std::move(Section), std::move(Key));
}

bool CRegSettings::IsUserAdmin(HKEY hive, std::string, std::string) const {
    Registry& reg = TheRegistry();
    HKEY opened = 0;
    const LONG rc = reg.OpenKey(hive, "Software", KEY_ALL_ACCESS, &opened);
    RegKey key(reg, opened);
    return rc == ERROR_SUCCESS;
}

std::string CRegSettings::GetSettingFromHKey(HKEY hive, std::string appName, std::string Section,
                                             std::string Key, std::string Default) {
    hKey(hive);
    AppName(std::move(appName));
    return GetSetting(std::move(Section), std::move(Key), std::move(Default));
}

std::string CRegSettings::GetSetting(std::string Section, std::string Key, std::string Default) {
    Registry& reg = TheRegistry();
    HKEY opened = 0;
    if (reg.OpenKey(hKey_, SectionPath(Section), KEY_READ, &opened) != ERROR_SUCCESS)
        return Default;
    RegKey key(reg, opened);
    const std::string name = ValueName(Key);
    std::string result = std::move(Default);
    DWORD size = 0;
    if (reg.QueryValue(key.get(), name, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        std::string buffer(size, ' ');
        if (reg.QueryValue(key.get(), name, nullptr, Bytes(buffer), &size) == ERROR_SUCCESS &&
            size > 0)
            result = buffer.substr(0, size - 1);  // the stored text without its terminator
    }
    return result;
}

std::string CRegSettings::GetSettingLongFromHKey(HKEY hive, std::string appName,
                                                 std::string Section, std::string Key,
                                                 std::string Default) {
    hKey(hive);
    AppName(std::move(appName));
    return std::to_string(GetSettingLong(std::move(Section), std::move(Key), std::move(Default)));
}

std::int32_t CRegSettings::GetSettingLong(std::string Section, std::string Key, std::string) {
    Registry& reg = TheRegistry();
    HKEY opened = 0;
    if (reg.OpenKey(hKey_, SectionPath(Section), KEY_READ, &opened) != ERROR_SUCCESS)
        return -1;
    RegKey key(reg, opened);
    const std::string name = ValueName(Key);
    DWORD size = 0;
    reg.QueryValue(key.get(), name, nullptr, nullptr, &size);
    // The size of the first query is passed on as the buffer's size; a longer value than the
    // 32-bit variable is refused by the registry (ERROR_MORE_DATA) and reads as 0.
    if (size > sizeof(std::int32_t))
        size = sizeof(std::int32_t);
    std::uint8_t bytes[sizeof(std::int32_t)] = {};
    if (reg.QueryValue(key.get(), name, nullptr, bytes, &size) != ERROR_SUCCESS)
        return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) |
                                     (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                     (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                     (static_cast<std::uint32_t>(bytes[3]) << 24));
}

bool CRegSettings::SaveSettingToHKey(HKEY hive, std::string appName, std::string Section,
                                     std::string Key, std::string Setting) {
    hKey(hive);
    AppName(std::move(appName));
    return SaveSetting(std::move(Section), std::move(Key), std::move(Setting));
}

bool CRegSettings::SaveSetting(std::string Section, std::string Key, std::string Setting) {
    Registry& reg = TheRegistry();
    HKEY opened = 0;
    if (reg.CreateKey(hKey_, SectionPath(Section), KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return false;
    RegKey key(reg, opened);
    const LONG rc = Setting.empty() ? reg.DeleteValue(key.get(), ValueName(Key))
                                    : reg.SetString(key.get(), ValueName(Key), Setting);
    return rc == ERROR_SUCCESS;
}

bool CRegSettings::bGetSetting(std::string Section, std::string Key, std::int16_t Default) {
    const std::string text =
        GetSetting(std::move(Section), std::move(Key), Default != 0 ? "1" : "0");
    return text.empty() || text[0] != '0';
}

std::int16_t CRegSettings::iGetSetting(std::string Section, std::string Key, std::int16_t Default) {
    std::int16_t sign = 1;
    std::int16_t value = 0;
    // The digit that would pass 32767 raises an overflow; the trap goes on with the last step,
    // so the value read so far stands.
    OnErrorExit(
        [&] {
            const std::string text = GetSetting(Section, Key, std::to_string(Default));
            for (size_t i = 0; i < text.size(); ++i) {
                const char c = text[i];
                if (c >= '0' && c <= '9') {
                    value = CIntNumber(value * 10.0 + (c - '0'));
                } else if (i == 0 && (c == '-' || c == '+')) {
                    sign = c == '-' ? -1 : 1;
                } else {
                    break;
                }
            }
        },
        {});
    return static_cast<std::int16_t>(value * sign);
}

}  // namespace zelwiz
