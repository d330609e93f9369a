#include "support/FakeComponents.h"

#include <tuple>

#include "platform/Form.h"

namespace zelwiz {
namespace {

// The text the fake translator gives: the translation of the identifier, else the default text
// after the second "#", else the text unchanged.
std::string FakeTranslate(const FakeComponents::TranslatorScript& script, const std::string& text) {
    if (text.empty() || text[0] != '#')
        return text;
    const size_t second = text.find('#', 1);
    if (second == std::string::npos)
        return text;
    auto it = script.translations.find(text.substr(1, second - 1));
    return it != script.translations.end() ? it->second : text.substr(second + 1);
}

// The entry `next` of a scripted list, moving `next` on; empty past the end.
std::string Take(const std::vector<std::string>& all, size_t& next) {
    return next < all.size() ? all[next++] : std::string();
}

// A slot answering a scripted value through its one output argument, logged under its own name.
#define FAKE_ANSWER(Slot, Type, value)    \
    HRESULT Slot(Type* out) override {    \
        return Answer(#Slot, out, value); \
    }

// The life of a fake: counted by its FakeComponents from birth to the last Release.
template <class Interface>
class FakeObject : public ComObject<Interface> {
  public:
    FakeObject(FakeComponents& fakes, const char* component)
        : fakes_(fakes), component_(component) {
        ++fakes_.created[component_];
        ++fakes_.live[component_];
    }

  protected:
    ~FakeObject() override { --fakes_.live[component_]; }
    // Enter the slot, then run `then` unless the call is made to fail.
    template <class F>
    HRESULT Do(const char* slot, F then) {
        const HRESULT hr = fakes_.Enter(component_, slot);
        if (SUCCEEDED(hr))
            then();
        return hr;
    }
    // Enter, then the scripted answer unless the call is made to fail.
    template <class T, class V>
    HRESULT Answer(const char* slot, T* out, const V& value) {
        return Do(slot, [&] { *out = static_cast<T>(value); });
    }
    FakeComponents& fakes_;

  private:
    const char* component_;
};

class FakeVoipBoardFinder : public FakeObject<VoipBoardFinder> {
  public:
    explicit FakeVoipBoardFinder(FakeComponents& fakes) : FakeObject(fakes, "VoipBoardFinder") {}
    FAKE_ANSWER(DiscoverBoards, std::int32_t, fakes_.voip.discoverStatus)
    FAKE_ANSWER(InitFinder, std::int32_t, fakes_.voip.initStatus)
    FAKE_ANSWER(get_IpAddress, std::string, current_)
    HRESULT put_IpAddress(const std::string& address) override {
        return Do("put_IpAddress", [&] { current_ = address; });
    }
    FAKE_ANSWER(get_EdnNumber, std::int32_t, fakes_.voip.ednNumber)
    HRESULT ConnectV1(std::int32_t* result) override { return NextConnect("ConnectV1", result); }
    FAKE_ANSWER(get_BoardCount, std::int32_t, fakes_.voip.boards.size())
    HRESULT Connect(std::int32_t* result) override { return NextConnect("Connect", result); }
    FAKE_ANSWER(get_EdnText, std::string, fakes_.voip.ednText)

  protected:
    std::vector<std::string> DispatchNames() const override {
        return {"Discover_FirstIpAddress", "Discover_Count", "Discover_NextIPAddress"};
    }
    HRESULT InvokeByName(const std::string& name, std::vector<Variant>& args,
                         Variant& result) override {
        if (!args.empty())
            return DISP_E_BADPARAMCOUNT;
        const auto& boards = fakes_.voip.boards;
        return Do(name.c_str(), [&] {
            if (name == "Discover_Count")
                result = static_cast<std::int32_t>(boards.size());
            else if (name == "Discover_FirstIpAddress")
                result = Take(boards, next_ = 0);
            else
                result = Take(boards, next_);
        });
    }

  private:
    // Connect and ConnectV1 answer the next of the scripted results, then the lasting one.
    HRESULT NextConnect(const char* slot, std::int32_t* result) {
        return Do(slot, [&] {
            auto& results = fakes_.voip.connectResults;
            *result = results.empty() ? fakes_.voip.connectResult : results.front();
            if (!results.empty())
                results.pop_front();
        });
    }
    std::string current_;  // the current board
    size_t next_ = 1;      // the entry Next answers; First answers entry 0 and goes on from there
};

class FakePbxFinder : public FakeObject<PbxFinder> {
  public:
    explicit FakePbxFinder(FakeComponents& fakes) : FakeObject(fakes, "PbxFinder") {}
    HRESULT DiscoverPbx(std::int32_t mode, std::int32_t* status) override {
        return Do("DiscoverPbx", [&] {
            fakes_.pbx.discoverModes.push_back(mode);
            *status = fakes_.pbx.discoverStatus;
        });
    }
    FAKE_ANSWER(InitFinder, std::int32_t, fakes_.pbx.initStatus)
    HRESULT get_FirstAddress(std::string* address) override {
        return Do("get_FirstAddress", [&] { *address = Take(fakes_.pbx.addresses, next_ = 0); });
    }
    HRESULT get_NextAddress(std::string* address) override {
        return Do("get_NextAddress", [&] { *address = Take(fakes_.pbx.addresses, next_); });
    }
    FAKE_ANSWER(get_PbxCount, std::int32_t, fakes_.pbx.addresses.size())

  private:
    size_t next_ = 1;  // the entry Next answers; First answers entry 0 and goes on from there
};

class FakeDialingRulesReader : public FakeObject<DialingRulesReader> {
  public:
    explicit FakeDialingRulesReader(FakeComponents& fakes)
        : FakeObject(fakes, "DialingRulesReader") {}
    FAKE_ANSWER(GetAreaCode, std::string, fakes_.dialing.areaCode)
    FAKE_ANSWER(GetLocalAccessCode, std::string, fakes_.dialing.localAccessCode)
    FAKE_ANSWER(GetLongDistanceAccessCode, std::string, fakes_.dialing.longDistanceAccessCode)
    FAKE_ANSWER(GetCountry, std::string, fakes_.dialing.country)
};

class FakeProviderConfigurator : public FakeObject<ProviderConfigurator> {
  public:
    explicit FakeProviderConfigurator(FakeComponents& fakes)
        : FakeObject(fakes, "ProviderConfigurator") {}
    HRESULT Initialize() override {
        return Do("Initialize", [] {});
    }
    FAKE_ANSWER(GetDeviceNumber, std::int32_t, fakes_.provider.deviceNumber)
    HRESULT ConfigureDialing(std::int32_t device) override {
        return Do("ConfigureDialing", [&] {
            fakes_.provider.configuredDevices.push_back(device);
            if (fakes_.provider.onConfigure)
                fakes_.provider.onConfigure();
        });
    }
    FAKE_ANSWER(GetProviderCount, std::int32_t, fakes_.provider.providers.size())
    // An index past the end names no provider.
    HRESULT GetProviderName(std::int32_t index, std::string* name) override {
        const FakeComponents::Provider* p = At(index);
        return Answer("GetProviderName", name, p ? p->name : std::string());
    }
    // An index past the end is refused.
    HRESULT GetSwitchInfo(std::int32_t index, std::string* info1, std::string* prefix,
                          std::string* info3) override {
        const FakeComponents::Provider* p = At(index);
        const HRESULT hr = Do("GetSwitchInfo", [&] {
            if (p)
                std::tie(*info1, *prefix, *info3) = std::tie(p->info1, p->prefix, p->info3);
        });
        return SUCCEEDED(hr) && !p ? E_INVALIDARG : hr;
    }

  private:
    const FakeComponents::Provider* At(std::int32_t index) const {
        const auto& all = fakes_.provider.providers;
        return index >= 0 && static_cast<size_t>(index) < all.size() ? &all[index] : nullptr;
    }
};

// The line object is bound late only: every call goes through its names.
class FakeLineObject : public FakeObject<IDispatchObject> {
  public:
    explicit FakeLineObject(FakeComponents& fakes) : FakeObject(fakes, "LineObject") {}

  protected:
    std::vector<std::string> DispatchNames() const override {
        return {"Initialize", "Preferredline", "LineAddress", "Terminate"};
    }
    HRESULT InvokeByName(const std::string& name, std::vector<Variant>& args,
                         Variant& result) override {
        if (args.size() != (name == "LineAddress" ? 1u : 0u))
            return DISP_E_BADPARAMCOUNT;
        const auto& script = fakes_.line;
        return Do(name.c_str(), [&] {
            if (name == "Preferredline") {
                result = script.preferredLine;
            } else if (name == "LineAddress") {
                auto it = script.addresses.find(VariantText(args[0]));
                result = it == script.addresses.end() ? std::string() : it->second;
            }
        });
    }
};

class FakeTextTranslator : public FakeObject<TextTranslator> {
  public:
    explicit FakeTextTranslator(FakeComponents& fakes) : FakeObject(fakes, "TextTranslator") {}
    HRESULT Translate(std::string& text, std::string* result) override {
        return Answer("Translate", result, FakeTranslate(fakes_.translator, text));
    }
    HRESULT TranslateForm(Form& form) override {
        return Do("TranslateForm", [&] {
            form.SetCaption(FakeTranslate(fakes_.translator, form.Caption()));
            for (const auto& control : form.Controls())
                control->SetCaption(FakeTranslate(fakes_.translator, control->Caption()));
        });
    }
};

#undef FAKE_ANSWER

}  // namespace

std::vector<std::string> FakeComponents::CallsOf(const std::string& component) const {
    std::vector<std::string> slots;
    for (const auto& call : calls) {
        if (call.starts_with(component + "."))
            slots.push_back(call.substr(component.size() + 1));
    }
    return slots;
}

int FakeComponents::LiveOperationObjects() const {
    int alive = 0;
    for (const auto& [component, count] : live)
        alive += component == "TextTranslator" ? 0 : count;
    return alive;
}

void FakeComponents::Register(ComponentCatalog& catalog) {
    catalog.Register(kCLSID_VoipBoardFinder, [this] { return new FakeVoipBoardFinder(*this); });
    catalog.Register(kCLSID_PbxFinder, [this] { return new FakePbxFinder(*this); });
    catalog.Register(kCLSID_DialingRulesReader,
                     [this] { return new FakeDialingRulesReader(*this); });
    catalog.Register(kCLSID_ProviderConfigurator,
                     [this] { return new FakeProviderConfigurator(*this); });
    catalog.Register(kProgID_LineObject, [this] { return new FakeLineObject(*this); });
    catalog.Register(kCLSID_TextTranslator, [this] { return new FakeTextTranslator(*this); });
}

HRESULT FakeComponents::Enter(const std::string& component, const std::string& slot) {
    std::string call = component + "." + slot;
    auto it = failures.find(call);
    calls.push_back(std::move(call));
    return it == failures.end() ? S_OK : it->second;
}

}  // namespace zelwiz
