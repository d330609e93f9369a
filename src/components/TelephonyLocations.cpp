#include "components/TelephonyLocations.h"

#include "components/CountryTable.h"
#include "components/RegistryValues.h"

namespace zelwiz {
namespace {

std::string SubPath(const std::string& keyName) {
    return std::string(kLocationsPath) + "\\" + keyName;
}

DialingLocation ReadLocation(Registry& reg, const std::string& keyName) {
    const std::string path = SubPath(keyName);
    DialingLocation loc;
    loc.keyName = keyName;
    loc.id = ReadRegNumber(reg, HKEY_LOCAL_MACHINE, path, "ID").value_or(0);
    loc.name = ReadRegText(reg, HKEY_LOCAL_MACHINE, path, "Name").value_or("");
    loc.areaCode = ReadRegText(reg, HKEY_LOCAL_MACHINE, path, "AreaCode").value_or("");
    loc.country = ReadRegNumber(reg, HKEY_LOCAL_MACHINE, path, "Country").value_or(0);
    loc.outsideAccess = ReadRegText(reg, HKEY_LOCAL_MACHINE, path, "OutsideAccess").value_or("");
    loc.longDistanceAccess =
        ReadRegText(reg, HKEY_LOCAL_MACHINE, path, "LongDistanceAccess").value_or("");
    return loc;
}

}  // namespace

std::optional<DialingLocation> ReadCurrentLocation(Registry& reg) {
    const auto current = ReadRegNumber(reg, HKEY_LOCAL_MACHINE, kLocationsPath, "CurrentID");
    if (!current)
        return std::nullopt;
    for (const auto& keyName : ReadSubKeyNames(reg, HKEY_LOCAL_MACHINE, kLocationsPath)) {
        if (ReadRegNumber(reg, HKEY_LOCAL_MACHINE, SubPath(keyName), "ID") == current)
            return ReadLocation(reg, keyName);
    }
    return std::nullopt;
}

DialingLocation LocationToEdit(Registry& reg) {
    if (auto current = ReadCurrentLocation(reg))
        return *current;
    const auto names = ReadSubKeyNames(reg, HKEY_LOCAL_MACHINE, kLocationsPath);
    for (const auto& keyName : names) {
        DialingLocation loc = ReadLocation(reg, keyName);
        if (loc.id != 0)
            return loc;
    }
    DialingLocation first;
    first.keyName = "Location1";
    first.id = 1;
    first.name = "My Location";
    first.country = DefaultCountryId();
    return first;
}

LONG SaveLocation(Registry& reg, const DialingLocation& location) {
    HKEY locations = 0;
    if (LONG rc = reg.CreateKey(HKEY_LOCAL_MACHINE, kLocationsPath, KEY_ALL_ACCESS, &locations);
        rc != ERROR_SUCCESS) {
        return rc;
    }
    RegKey locationsKey(reg, locations);
    HKEY entry = 0;
    if (LONG rc = reg.CreateKey(locations, location.keyName, KEY_ALL_ACCESS, &entry);
        rc != ERROR_SUCCESS) {
        return rc;
    }
    RegKey entryKey(reg, entry);
    for (LONG rc :
         {reg.SetDword(entry, "ID", location.id), reg.SetString(entry, "Name", location.name),
          reg.SetString(entry, "AreaCode", location.areaCode),
          reg.SetDword(entry, "Country", location.country),
          reg.SetString(entry, "OutsideAccess", location.outsideAccess),
          reg.SetString(entry, "LongDistanceAccess", location.longDistanceAccess)}) {
        if (rc != ERROR_SUCCESS)
            return rc;
    }
    const DWORD next = ReadRegNumber(reg, HKEY_LOCAL_MACHINE, kLocationsPath, "NextID").value_or(0);
    if (next <= location.id) {
        if (LONG rc = reg.SetDword(locations, "NextID", location.id + 1); rc != ERROR_SUCCESS)
            return rc;
    }
    return reg.SetDword(locations, "CurrentID", location.id);
}

bool LocationsWritable(Registry& reg) {
    std::string path = kLocationsPath;
    for (;;) {
        HKEY key = 0;
        const LONG rc = reg.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_WRITE, &key);
        if (rc == ERROR_SUCCESS) {
            reg.CloseKey(key);
            return true;
        }
        if (rc != ERROR_FILE_NOT_FOUND || path.empty())
            return false;
        const size_t slash = path.rfind('\\');
        path.resize(slash == std::string::npos ? 0 : slash);
    }
}

}  // namespace zelwiz
