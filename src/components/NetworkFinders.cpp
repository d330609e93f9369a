#include "components/NetworkFinders.h"

#include "components/NetworkPbxFinder.h"
#include "components/NetworkVoipBoardFinder.h"
#include "platform/Platform.h"
#include "telephony/PbxFinder.h"
#include "telephony/VoipBoardFinder.h"

namespace zelwiz {

void RegisterNetworkFinders(ComponentCatalog& catalog) {
    catalog.Register(kCLSID_PbxFinder,
                     []() -> IDispatchObject* { return new NetworkPbxFinder(TheRegistry()); });
    catalog.Register(kCLSID_VoipBoardFinder, []() -> IDispatchObject* {
        return new NetworkVoipBoardFinder(TheRegistry());
    });
}

}  // namespace zelwiz
