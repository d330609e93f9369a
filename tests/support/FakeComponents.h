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
#include "platform/Com.h"
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
    };
    struct PbxScript {
        std::int32_t initStatus = 0;
        std::int32_t discoverStatus = 0;
        std::vector<std::string> addresses;       // FirstAddress, then NextAddress one per call
        std::vector<std::int32_t> discoverModes;  // the argument of every DiscoverPbx
    };
    struct DialingScript {
        std::string areaCode, localAccessCode, longDistanceAccessCode, country;
    };
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
    };
    struct LineScript {
        std::string preferredLine = "-1";              // Preferredline
        std::map<std::string, std::string> addresses;  // LineAddress, by line
    };
    struct TranslatorScript {
        // By identifier ("01044"): a translation; other localized strings give their default text.
        std::map<std::string, std::string> translations;
    };

    VoipScript voip;
    PbxScript pbx;
    DialingScript dialing;
    ProviderScript provider;
    LineScript line;
    TranslatorScript translator;

    // --- Injected failures: "Component.Slot" -> the HRESULT every such call answers ---
    std::map<std::string, HRESULT> failures;

    // --- What happened ---
    std::vector<std::string> calls;  // "Component.Slot", in call order
    // The slot names called on one component ("PbxFinder"), in order.
    std::vector<std::string> CallsOf(const std::string& component) const;

    struct Counts {
        int created = 0;
        int live = 0;
    };
    std::map<std::string, Counts> objects;  // by component name
    int Created(const std::string& component) const;
    int Live(const std::string& component) const;
    // Objects alive of every component but the translator (which lives as long as the wizard).
    int LiveOperationObjects() const;

    // Registers a factory for every component under its contract's identifier.
    void Register(ComponentCatalog& catalog);

    // Called by the objects.
    HRESULT Enter(const std::string& component, const std::string& slot);
    void Born(const std::string& component);
    void Died(const std::string& component);
};

// The text the fake translator gives: the translation of the identifier, else the default text
// after the second "#", else the text unchanged.
std::string FakeTranslate(const FakeComponents::TranslatorScript& script, const std::string& text);

// The life of a fake: counted by its FakeComponents from birth to the last Release.
template <class Interface>
class FakeObject : public ComObject<Interface> {
  public:
    FakeObject(FakeComponents& fakes, const char* component)
        : fakes_(fakes), component_(component) {
        fakes_.Born(component_);
    }

  protected:
    ~FakeObject() override { fakes_.Died(component_); }
    HRESULT Enter(const char* slot) { return fakes_.Enter(component_, slot); }
    FakeComponents& fakes_;

  private:
    const char* component_;
};

class FakeVoipBoardFinder : public FakeObject<VoipBoardFinder> {
  public:
    explicit FakeVoipBoardFinder(FakeComponents& fakes) : FakeObject(fakes, "VoipBoardFinder") {}
    HRESULT DiscoverBoards(std::int32_t* status) override;
    HRESULT InitFinder(std::int32_t* status) override;
    HRESULT get_IpAddress(std::string* address) override;
    HRESULT put_IpAddress(const std::string& address) override;
    HRESULT get_EdnNumber(std::int32_t* number) override;
    HRESULT ConnectV1(std::int32_t* result) override;
    HRESULT get_BoardCount(std::int32_t* count) override;
    HRESULT Connect(std::int32_t* result) override;
    HRESULT get_EdnText(std::string* number) override;

  protected:
    std::vector<std::string> DispatchNames() const override;
    HRESULT InvokeByName(const std::string& name, std::vector<Variant>& args,
                         Variant& result) override;

  private:
    HRESULT NextConnectResult(const char* slot, std::int32_t* result);
    std::string current_;  // the current board
    size_t nextBoard_ = 1;
};

class FakePbxFinder : public FakeObject<PbxFinder> {
  public:
    explicit FakePbxFinder(FakeComponents& fakes) : FakeObject(fakes, "PbxFinder") {}
    HRESULT DiscoverPbx(std::int32_t mode, std::int32_t* status) override;
    HRESULT InitFinder(std::int32_t* status) override;
    HRESULT get_FirstAddress(std::string* address) override;
    HRESULT get_NextAddress(std::string* address) override;
    HRESULT get_PbxCount(std::int32_t* count) override;

  private:
    size_t next_ = 1;
};

class FakeDialingRulesReader : public FakeObject<DialingRulesReader> {
  public:
    explicit FakeDialingRulesReader(FakeComponents& fakes)
        : FakeObject(fakes, "DialingRulesReader") {}
    HRESULT GetAreaCode(std::string* areaCode) override;
    HRESULT GetLocalAccessCode(std::string* code) override;
    HRESULT GetLongDistanceAccessCode(std::string* code) override;
    HRESULT GetCountry(std::string* country) override;
};

class FakeProviderConfigurator : public FakeObject<ProviderConfigurator> {
  public:
    explicit FakeProviderConfigurator(FakeComponents& fakes)
        : FakeObject(fakes, "ProviderConfigurator") {}
    HRESULT Initialize() override;
    HRESULT GetDeviceNumber(std::int32_t* device) override;
    HRESULT ConfigureDialing(std::int32_t device) override;
    HRESULT GetProviderCount(std::int32_t* count) override;
    HRESULT GetProviderName(std::int32_t index, std::string* name) override;
    HRESULT GetSwitchInfo(std::int32_t index, std::string* info1, std::string* prefix,
                          std::string* info3) override;
};

// The line object is bound late only: every call goes through its names.
class FakeLineObject : public FakeObject<IDispatchObject> {
  public:
    explicit FakeLineObject(FakeComponents& fakes) : FakeObject(fakes, "LineObject") {}

  protected:
    std::vector<std::string> DispatchNames() const override;
    HRESULT InvokeByName(const std::string& name, std::vector<Variant>& args,
                         Variant& result) override;
};

class FakeTextTranslator : public FakeObject<TextTranslator> {
  public:
    explicit FakeTextTranslator(FakeComponents& fakes) : FakeObject(fakes, "TextTranslator") {}
    HRESULT Translate(std::string& text, std::string* result) override;
    HRESULT TranslateForm(Form& form) override;
};

}  // namespace zelwiz
