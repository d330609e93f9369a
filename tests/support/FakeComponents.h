#pragma once
// Recording fakes of the product family's components, for tests.
//
// One FakeComponents object holds the scripted answers of every component, one log of the calls
// made to any of them (in order, "Component.Slot"), the failures to inject, and the count of
// objects made and still alive. Register() puts factories into a catalog under the contracts'
// identifiers; every object created refers back to the FakeComponents, which must outlive it.
//
//   FakeComponents fakes;
//   fakes.Register(catalog);
//   fakes.pbx.addresses = {"10.0.0.1", "10.0.0.2"};
//   fakes.failures["VoipBoardFinder.Connect"] = E_NOTIMPL;   // every Connect answers E_NOTIMPL
//   ... run the operation ...
//   EXPECT_EQ(fakes.CallsOf("PbxFinder"), (std::vector<std::string>{"InitFinder", ...}));
//   EXPECT_EQ(fakes.LiveOperationObjects(), 0);

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "environment/TextTranslator.h"
#include "platform/ComponentCatalog.h"
#include "telephony/DialingRulesReader.h"
#include "telephony/PbxFinder.h"
#include "telephony/ProviderConfigurator.h"
#include "telephony/VoipBoardFinder.h"

namespace zelwiz {

class FakeComponents {
  public:
    // --- Scripts ---
    struct VoipScript {
        std::int32_t initStatus = 0;      // InitFinder
        std::int32_t discoverStatus = 0;  // DiscoverBoards
        // The boards a discovery finds: BoardCount, and the late-bound Discover_* calls.
        std::vector<std::string> boards;
        // Connect and ConnectV1 answer the next of connectResults, then connectResult.
        std::deque<std::int32_t> connectResults;
        std::int32_t connectResult = 0;
        std::string ednText;         // EdnText
        std::int32_t ednNumber = 0;  // EdnNumber
    } voip;
    struct PbxScript {
        std::int32_t initStatus = 0;
        std::int32_t discoverStatus = 0;
        std::vector<std::string> addresses;       // FirstAddress, then NextAddress one per call
        std::vector<std::int32_t> discoverModes;  // the argument of every DiscoverPbx
    } pbx;
    struct DialingScript {
        std::string areaCode, localAccessCode, longDistanceAccessCode, country;
    } dialing;
    struct Provider {
        std::string name, info1, prefix, info3;
    };
    struct ProviderScript {
        std::int32_t deviceNumber = 0;    // GetDeviceNumber
        std::vector<Provider> providers;  // GetProviderCount is their number; an index past
                                          // the end names no provider (empty name)
        std::vector<std::int32_t> configuredDevices;  // the argument of every ConfigureDialing
        // Runs inside ConfigureDialing, as the user changing the dialing properties would.
        std::function<void()> onConfigure;
    } provider;
    struct LineScript {
        std::string preferredLine = "-1";              // Preferredline
        std::map<std::string, std::string> addresses;  // LineAddress, by line
    } line;
    struct TranslatorScript {
        // By identifier ("01044"): a translation; other localized strings give their default text.
        std::map<std::string, std::string> translations;
    } translator;

    // --- Injected failures: "Component.Slot" -> the HRESULT every such call answers ---
    std::map<std::string, HRESULT> failures;

    // --- What happened ---
    std::vector<std::string> calls;  // "Component.Slot", in call order
    // The slot names called on one component ("PbxFinder"), in order.
    std::vector<std::string> CallsOf(const std::string& component) const;

    // Objects made and still alive, by component name.
    std::map<std::string, int> created, live;
    int Created(const std::string& c) const { return created.contains(c) ? created.at(c) : 0; }
    int Live(const std::string& c) const { return live.contains(c) ? live.at(c) : 0; }
    // Objects alive of every component but the translator (which lives as long as the wizard).
    int LiveOperationObjects() const;

    // Registers a factory for every component under its contract's identifier.
    void Register(ComponentCatalog& catalog);

    // Called by the objects: logs the call and answers the failure injected for it, else S_OK.
    HRESULT Enter(const std::string& component, const std::string& slot);
};

}  // namespace zelwiz
