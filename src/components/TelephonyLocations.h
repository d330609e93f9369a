#pragma once
// The dialing locations of the telephony layer, kept as Windows keeps them:
// HKLM\Software\Microsoft\Windows\CurrentVersion\Telephony\Locations holds "CurrentID" and
// "NextID" (REG_DWORD) and one subkey per location ("Location1", ...) with "ID" and "Country"
// (REG_DWORD) and "Name", "AreaCode", "OutsideAccess" (local calls), "LongDistanceAccess" (text).

#include <optional>
#include <string>

#include "platform/Registry.h"

namespace zelwiz {

inline constexpr const char* kLocationsPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";

struct DialingLocation {
    std::string keyName;  // the subkey under Locations
    DWORD id = 0;
    std::string name;
    std::string areaCode;
    DWORD country = 0;
    std::string outsideAccess;
    std::string longDistanceAccess;
};

// The location whose "ID" is "CurrentID"; nothing when there is no current location.
std::optional<DialingLocation> ReadCurrentLocation(Registry& reg);

// The location the user edits: the current one; without one, the first location there is; with
// none at all, a new "Location1" with ID 1 in the user's country, not yet written.
DialingLocation LocationToEdit(Registry& reg);

// Writes the location's values and makes it the current one ("CurrentID"; "NextID" moves past
// its ID). Answers the registry's status: ERROR_ACCESS_DENIED when the user may not write HKLM.
LONG SaveLocation(Registry& reg, const DialingLocation& location);

// Whether this user may change the locations (write access to the key, or to the nearest of its
// parents that exists). Probing creates nothing.
bool LocationsWritable(Registry& reg);

}  // namespace zelwiz
