#pragma once
// The product's registry keys, relative to their hive. "7316" is the product's key under the
// company key of the version resource.

#include <string>

#include "environment/VersionInfo.h"

namespace zelwiz::ProductKeys {

inline std::string Product() {
    return std::string("Software\\") + VersionInfo::CompanyName() + "\\7316";
}
// HKLM: product names, languages, machine data folder and defaults; HKCU: the user's flags.
inline std::string Install() {
    return Product() + "\\Install";
}
// HKCU: the user's own data folder ("DataPath").
inline std::string ZELPhone() {
    return Product() + "\\ZELPhone";
}
// HKCU: the user's language and help settings ("lang", "Help").
inline std::string ZELPhoneSettings() {
    return ZELPhone() + "\\Settings";
}

}  // namespace zelwiz::ProductKeys
