#pragma once
// Where the TAPI provider's settings (the TSpi_CSTA keys) live: machine-wide when the program was
// started with "-a", else in the user's own hive.

#include "platform/Registry.h"

namespace zelwiz {

// Set by the start-up when the command line holds "-a"; false otherwise.
extern bool bAllUsers;

// HKEY_LOCAL_MACHINE when bAllUsers is set, else HKEY_CURRENT_USER. Whether the user may write
// there is checked by the writers that need it.
HKEY ProviderHive();

}  // namespace zelwiz
