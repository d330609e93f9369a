#pragma once
// This build's own components of the product family, registered under the identifiers the
// program binds them by. Each object is made on the platform's registry (and toolkit, for the
// dialing properties) installed when it is created.

#include "components/ProviderLines.h"
#include "platform/ComponentCatalog.h"

namespace zelwiz {

// `allUsers` tells whether the program runs in all-users mode (the provider's keys then live in
// HKEY_LOCAL_MACHINE); it is asked each time an object reads them. Without it the objects follow
// the program's flag bAllUsers.
void RegisterBuiltInComponents(ComponentCatalog& catalog, AllUsersFlag allUsers = {});

}  // namespace zelwiz
