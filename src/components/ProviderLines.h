#pragma once
// The lines of the Korvane TAPI Service Provider as the registry holds them: one subkey of
// Software\Korvane\TSpi_CSTA\PreferredEDNs per directory number, in the provider hive (HKLM in
// all-users mode, else HKCU), and the user's preferred line, HKCU
// Software\Korvane\7316\ZELDial\Preference "Preferred Line" = "KORVANE - <number>[ -<more>]".

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace zelwiz {

inline constexpr const char* kProviderName = "Korvane TAPI Service Provider";
inline constexpr const char* kProviderKeyPath = "Software\\Korvane\\TSpi_CSTA";
inline constexpr const char* kPreferredEdnsPath = "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs";
inline constexpr const char* kPreferenceKeyPath = "Software\\Korvane\\7316\\ZELDial\\Preference";
// The subkey kept so that PreferredEDNs never holds exactly one entry; it is not a line.
inline constexpr const char* kPlaceholderLine = "RTYUE";
inline constexpr const char* kLinePrefix = "KORVANE - ";

// Whether the program runs in all-users mode; the provider hive follows it. An empty function
// stands for the program's own flag, bAllUsers.
using AllUsersFlag = std::function<bool()>;
HKEY ProviderHiveFor(const AllUsersFlag& allUsers);

struct ProviderLines {
    std::vector<std::string> numbers;  // in the registry's enumeration order
    std::string preferred;             // the preferred line's number; empty when none

    // Index of the preferred line among `numbers`, -1 when it is none of them.
    std::int32_t PreferredIndex() const;
};

ProviderLines ReadProviderLines(Registry& reg, HKEY providerHive);

// The number in a line name of the provider ("KORVANE - 5000 - Paris" gives 5000); nothing when
// the name is not one of the provider's.
std::optional<std::string> LineNumberOf(const std::string& lineName);

}  // namespace zelwiz
