#include "components/BuiltInComponents.h"

#include "components/NetworkPbxFinder.h"
#include "components/NetworkVoipBoardFinder.h"
#include "components/ProviderLineObject.h"
#include "components/RegistryDialingRulesReader.h"
#include "components/RegistryProviderConfigurator.h"
#include "platform/Platform.h"
#include "telephony/PbxFinder.h"
#include "telephony/ProviderConfigurator.h"
#include "telephony/VoipBoardFinder.h"

namespace zelwiz {

void RegisterBuiltInComponents(ComponentCatalog& catalog, AllUsersFlag allUsers) {
    catalog.Register(kProgID_LineObject, [allUsers]() -> IDispatchObject* {
        return new ProviderLineObject(TheRegistry(), allUsers);
    });
    catalog.Register(kCLSID_DialingRulesReader, []() -> IDispatchObject* {
        return new RegistryDialingRulesReader(TheRegistry());
    });
    catalog.Register(kCLSID_ProviderConfigurator, [allUsers]() -> IDispatchObject* {
        return new RegistryProviderConfigurator(TheRegistry(), allUsers);
    });
    catalog.Register(kCLSID_PbxFinder,
                     []() -> IDispatchObject* { return new NetworkPbxFinder(TheRegistry()); });
    catalog.Register(kCLSID_VoipBoardFinder, []() -> IDispatchObject* {
        return new NetworkVoipBoardFinder(TheRegistry());
    });
}

}  // namespace zelwiz
