#pragma once
// The PBX and VoIP board finders of this build, which search the network.

#include "platform/ComponentCatalog.h"

namespace zelwiz {

// Registers both finders where this build has its networking layer. The Windows build has none
// yet: there the finders stay unregistered, so creating one answers "not registered" and the
// wizard logs it as it logs any missing component.
void RegisterNetworkFinders(ComponentCatalog& catalog);

}  // namespace zelwiz
