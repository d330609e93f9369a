#include "components/BuiltInComponents.h"

#include "components/ProviderLineObject.h"
#include "platform/Platform.h"
#include "telephony/ProviderConfigurator.h"

namespace zelwiz {

void RegisterBuiltInComponents(ComponentCatalog& catalog, AllUsersFlag allUsers) {
    catalog.Register(kProgID_LineObject, [allUsers]() -> IDispatchObject* {
        return new ProviderLineObject(TheRegistry(), allUsers);
    });
}

}  // namespace zelwiz
