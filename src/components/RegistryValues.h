#pragma once
// Reading the registry as the components do: whole values by key path, missing ones as nothing.
// Every key opened here is closed before the call returns.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace zelwiz {

// A REG_SZ or REG_EXPAND_SZ value without its terminating NUL; nothing when the key or the value
// is missing or holds another type.
std::optional<std::string> ReadRegText(Registry& reg, HKEY hive, std::string_view path,
                                       std::string_view name);
// A REG_DWORD value, or a text holding a decimal number that fits in 32 bits.
std::optional<DWORD> ReadRegNumber(Registry& reg, HKEY hive, std::string_view path,
                                   std::string_view name);
// The names of the subkeys in the registry's enumeration order; empty when the key is missing.
std::vector<std::string> ReadSubKeyNames(Registry& reg, HKEY hive, std::string_view path);
bool RegKeyPresent(Registry& reg, HKEY hive, std::string_view path);

}  // namespace zelwiz
