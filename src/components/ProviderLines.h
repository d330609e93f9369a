#pragma once
// The lines of the Korvane TAPI Service Provider. The provider watches the devices of the user:
// it offers a line for each directory number of Software\Korvane\TSpi_CSTA\PreferredEDNs (one
// subkey per number, in the provider hive: HKLM in all-users mode, else HKCU), and one for each
// of the user's own sets as the wizard recorded them, the physical set's "EdnSet" (HKCU
// Software\Korvane\7316\ZELWiz\Settings) and the multimedia PC set's "EdnIP" (the provider
// hive's Software\Korvane\TSpi_CSTA\Provider). It offers no line at all when it is not
// installed: the machine's Software\Korvane\TSpi_CSTA key is missing (the wizard makes the
// user's own provider keys whether or not it is). The user's preferred line is HKCU
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
inline constexpr const char* kWizardSettingsPath = "Software\\Korvane\\7316\\ZELWiz\\Settings";
// The subkey kept so that PreferredEDNs never holds exactly one entry; it is not a line.
inline constexpr const char* kPlaceholderLine = "RTYUE";
inline constexpr const char* kLinePrefix = "KORVANE - ";

// Whether the program runs in all-users mode; the provider hive follows it. An empty function
// stands for the program's own flag, bAllUsers.
using AllUsersFlag = std::function<bool()>;
HKEY ProviderHiveFor(const AllUsersFlag& allUsers);

// Whether the provider is installed on this machine.
bool ProviderInstalled(Registry& reg);

struct ProviderLines {
    // The PreferredEDNs numbers in the registry's enumeration order, then "EdnSet" and "EdnIP"
    // when they are none of them.
    std::vector<std::string> numbers;
    std::string preferred;  // the preferred line's number; empty when none

    // Index of the preferred line among `numbers`, -1 when it is none of them.
    std::int32_t PreferredIndex() const;
};

ProviderLines ReadProviderLines(Registry& reg, HKEY providerHive);

// The number in a line name of the provider ("KORVANE - 5000 - Paris" gives 5000); nothing when
// the name is not one of the provider's.
std::optional<std::string> LineNumberOf(const std::string& lineName);

}  // namespace zelwiz
