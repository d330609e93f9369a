#pragma once
// The registry settings class: a current hive and a base path MSubKey\Company\AppName under which
// every reader and writer works on Section\Key. Everything is stored as text (REG_SZ); only the
// GetSettingLong readers read a 32-bit value. Registry failures are silent: readers answer their
// defaults, writers and deleters answer false. The value name "*" stands for the key's default
// value. Every key opened is closed before the call returns.

#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace zelwiz {

class CRegSettings {
  public:
    CRegSettings();

    // The hive of every access. A value that is not one of the predefined hives
    // (0x80000000..0x80000006) becomes HKEY_CURRENT_USER.
    HKEY hKey() const { return hKey_; }
    void hKey(HKEY value);
    // The three parts of the base path. An empty text sets the default ("Software", the company
    // name, the product name), any other text is trimmed of blanks.
    const std::string& MSubKey() const { return MSubKey_; }
    void MSubKey(std::string value);
    const std::string& Company() const { return Company_; }
    void Company(std::string value);
    const std::string& AppName() const { return AppName_; }
    void AppName(std::string value);

    // Deletes the value Key of the section, or, with no key, the section's key itself (one
    // level: a key that still has subkeys stays). True when the open and the delete succeeded.
    bool DeleteSetting(std::string Section, std::string Key = {});
    // The ...FromHKey forms and DeleteKey first set hKey and AppName (with the rules above);
    // these stay in force for the object's later calls.
    bool DeleteKey(HKEY hKey, std::string AppName, std::string Section, std::string Key = {});
    // Whether the key "Software" of `hKey` opens with every right (machine-wide writes possible).
    // AppName and Section are not used; the object is not changed.
    bool IsUserAdmin(HKEY hKey, std::string AppName, std::string Section) const;

    // The text of the value (its last byte, the terminator, dropped), or Default.
    std::string GetSettingFromHKey(HKEY hKey, std::string AppName, std::string Section,
                                   std::string Key, std::string Default = {});
    std::string GetSetting(std::string Section, std::string Key, std::string Default = {});
    // The 32-bit value: -1 when the key is missing, 0 when the value is missing or longer than
    // four bytes. Default is not used.
    std::string GetSettingLongFromHKey(HKEY hKey, std::string AppName, std::string Section,
                                       std::string Key, std::string Default = {});
    std::int32_t GetSettingLong(std::string Section, std::string Key, std::string Default = {});

    // Creates the section's key and sets the value as REG_SZ; an empty Setting deletes the value
    // instead. True when the set (or delete) succeeded.
    bool SaveSettingToHKey(HKEY hKey, std::string AppName, std::string Section, std::string Key,
                           std::string Setting);
    bool SaveSetting(std::string Section, std::string Key, std::string Setting);

    // False when the text (default "1" for a non-zero Default, else "0") starts with "0".
    bool bGetSetting(std::string Section, std::string Key, std::int16_t Default = 0);
    // The leading 16-bit number of the text (default: Default): an optional sign as the first
    // character, then digits up to the first other character or up to the digit that would pass
    // 32767.
    std::int16_t iGetSetting(std::string Section, std::string Key, std::int16_t Default = 0);

  private:
    std::string SectionPath(const std::string& Section) const;
    void RebuildBasePath();

    HKEY hKey_ = HKEY_CURRENT_USER;
    std::string MSubKey_;
    std::string Company_;
    std::string AppName_;
    std::string BasePath_;
};

}  // namespace zelwiz
