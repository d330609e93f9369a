// The Windows build has no networking layer yet: the finders are not registered (see
// NetworkFinders.h).
#include "components/NetworkFinders.h"

namespace zelwiz {

void RegisterNetworkFinders(ComponentCatalog&) {}

}  // namespace zelwiz
