#pragma once
// The wizard module's own registry functions for the provider keys. They call the registry
// service directly with full key paths (not CRegSettings), close every key they open and never
// raise: a key that cannot be opened gives false, an empty list or no write.

#include <string>
#include <vector>

#include "platform/Registry.h"

namespace zelwiz {

// The placeholder subkey of PreferredEDNs, kept so that the key never holds exactly one number.
inline constexpr const char* kPlaceholderSubKey = "RTYUE";

// Appends the names of the subkeys of `path` (opened with KEY_READ) in enumeration order, leaving
// out the placeholder and, when exclude1 trimmed is not empty, exclude1 and exclude2 (exact,
// case-sensitive). True when at least one subkey was enumerated, left out or not.
bool GetSubKeys(HKEY hive, const std::string& path, std::vector<std::string>& list,
                const std::string& exclude1 = {}, const std::string& exclude2 = {});
// As GetSubKeys with the placeholder included; `exclude`, when not blank, is left out.
bool GetAllSubKeys(HKEY hive, const std::string& path, std::vector<std::string>& list,
                   const std::string& exclude = {});
// The key opens with KEY_READ and, for a non-empty value name, that value can be read.
bool RegKeyExists(HKEY hive, const std::string& path, const std::string& valueName = {});
// Creates the key (or opens it when present) and closes it.
void CreateRegKey(HKEY hive, const std::string& path);
// Creates or opens the key with KEY_WRITE and stores the text as REG_SZ, also when empty.
bool SetRegString(HKEY hive, const std::string& path, const std::string& valueName,
                  const std::string& text);
// Deletes one value of the key opened with KEY_WRITE; true on success.
bool DeleteRegValue(HKEY hive, const std::string& path, const std::string& valueName);
// Deletes the key parentPath\subKey, opened with DELETE access; true on success (a key that
// still has subkeys is not deleted).
bool DeleteRegSubKey(HKEY hive, const std::string& parentPath, const std::string& subKey);

}  // namespace zelwiz
