#pragma once
// The current dialing location of Windows telephony: the 32-bit value "CurrentID" of
// HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Telephony\Locations.

#include <string>

namespace zelwiz {

class CRegSettings;

// Reads "CurrentID" through the settings object, as decimal text: "0" when the value is missing,
// "-1" when the key is. The object's company and application name are the same afterwards.
std::string ReadCurrentDialingLocation(CRegSettings& reg);

// No current dialing location: the numeric value of the text read is 0.
bool NoCurrentDialingLocation(CRegSettings& reg);

}  // namespace zelwiz
