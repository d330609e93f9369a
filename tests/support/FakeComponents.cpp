#include "support/FakeComponents.h"

#include "platform/Form.h"

namespace zelwiz {

// --- FakeComponents ---

std::vector<std::string> FakeComponents::CallsOf(const std::string& component) const {
    std::vector<std::string> slots;
    const std::string prefix = component + ".";
    for (const auto& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0)
            slots.push_back(call.substr(prefix.size()));
    }
    return slots;
}

int FakeComponents::Created(const std::string& component) const {
    auto it = objects.find(component);
    return it == objects.end() ? 0 : it->second.created;
}

int FakeComponents::Live(const std::string& component) const {
    auto it = objects.find(component);
    return it == objects.end() ? 0 : it->second.live;
}

int FakeComponents::LiveOperationObjects() const {
    int live = 0;
    for (const auto& [component, counts] : objects) {
        if (component != "TextTranslator")
            live += counts.live;
    }
    return live;
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

void FakeComponents::Born(const std::string& component) {
    Counts& c = objects[component];
    ++c.created;
    ++c.live;
}

void FakeComponents::Died(const std::string& component) {
    --objects[component].live;
}

std::string FakeTranslate(const FakeComponents::TranslatorScript& script, const std::string& text) {
    if (text.empty() || text[0] != '#')
        return text;
    const size_t second = text.find('#', 1);
    if (second == std::string::npos)
        return text;
    auto it = script.translations.find(text.substr(1, second - 1));
    return it != script.translations.end() ? it->second : text.substr(second + 1);
}

// --- FakeVoipBoardFinder ---

HRESULT FakeVoipBoardFinder::DiscoverBoards(std::int32_t* status) {
    if (HRESULT hr = Enter("DiscoverBoards"); FAILED(hr))
        return hr;
    *status = fakes_.voip.discoverStatus;
    return S_OK;
}

HRESULT FakeVoipBoardFinder::InitFinder(std::int32_t* status) {
    if (HRESULT hr = Enter("InitFinder"); FAILED(hr))
        return hr;
    *status = fakes_.voip.initStatus;
    return S_OK;
}

HRESULT FakeVoipBoardFinder::get_IpAddress(std::string* address) {
    if (HRESULT hr = Enter("get_IpAddress"); FAILED(hr))
        return hr;
    *address = current_;
    return S_OK;
}

HRESULT FakeVoipBoardFinder::put_IpAddress(const std::string& address) {
    if (HRESULT hr = Enter("put_IpAddress"); FAILED(hr))
        return hr;
    current_ = address;
    return S_OK;
}

HRESULT FakeVoipBoardFinder::get_EdnNumber(std::int32_t* number) {
    if (HRESULT hr = Enter("get_EdnNumber"); FAILED(hr))
        return hr;
    *number = fakes_.voip.ednNumber;
    return S_OK;
}

HRESULT FakeVoipBoardFinder::NextConnectResult(const char* slot, std::int32_t* result) {
    if (HRESULT hr = Enter(slot); FAILED(hr))
        return hr;
    auto& script = fakes_.voip;
    if (!script.connectResults.empty()) {
        *result = script.connectResults.front();
        script.connectResults.pop_front();
    } else {
        *result = script.connectResult;
    }
    return S_OK;
}

HRESULT FakeVoipBoardFinder::ConnectV1(std::int32_t* result) {
    return NextConnectResult("ConnectV1", result);
}

HRESULT FakeVoipBoardFinder::Connect(std::int32_t* result) {
    return NextConnectResult("Connect", result);
}

HRESULT FakeVoipBoardFinder::get_BoardCount(std::int32_t* count) {
    if (HRESULT hr = Enter("get_BoardCount"); FAILED(hr))
        return hr;
    *count = static_cast<std::int32_t>(fakes_.voip.boards.size());
    return S_OK;
}

HRESULT FakeVoipBoardFinder::get_EdnText(std::string* number) {
    if (HRESULT hr = Enter("get_EdnText"); FAILED(hr))
        return hr;
    *number = fakes_.voip.ednText;
    return S_OK;
}

std::vector<std::string> FakeVoipBoardFinder::DispatchNames() const {
    return {"Discover_FirstIpAddress", "Discover_Count", "Discover_NextIPAddress"};
}

HRESULT FakeVoipBoardFinder::InvokeByName(const std::string& name, std::vector<Variant>& args,
                                          Variant& result) {
    if (!args.empty())
        return DISP_E_BADPARAMCOUNT;
    if (HRESULT hr = Enter(name.c_str()); FAILED(hr))
        return hr;
    const auto& boards = fakes_.voip.boards;
    if (name == "Discover_FirstIpAddress") {
        nextBoard_ = 1;
        result = boards.empty() ? std::string() : boards.front();
    } else if (name == "Discover_Count") {
        result = static_cast<std::int32_t>(boards.size());
    } else {
        result = nextBoard_ < boards.size() ? boards[nextBoard_++] : std::string();
    }
    return S_OK;
}

// --- FakePbxFinder ---

HRESULT FakePbxFinder::DiscoverPbx(std::int32_t mode, std::int32_t* status) {
    if (HRESULT hr = Enter("DiscoverPbx"); FAILED(hr))
        return hr;
    fakes_.pbx.discoverModes.push_back(mode);
    *status = fakes_.pbx.discoverStatus;
    return S_OK;
}

HRESULT FakePbxFinder::InitFinder(std::int32_t* status) {
    if (HRESULT hr = Enter("InitFinder"); FAILED(hr))
        return hr;
    *status = fakes_.pbx.initStatus;
    return S_OK;
}

HRESULT FakePbxFinder::get_FirstAddress(std::string* address) {
    if (HRESULT hr = Enter("get_FirstAddress"); FAILED(hr))
        return hr;
    next_ = 1;
    *address = fakes_.pbx.addresses.empty() ? std::string() : fakes_.pbx.addresses.front();
    return S_OK;
}

HRESULT FakePbxFinder::get_NextAddress(std::string* address) {
    if (HRESULT hr = Enter("get_NextAddress"); FAILED(hr))
        return hr;
    const auto& all = fakes_.pbx.addresses;
    *address = next_ < all.size() ? all[next_++] : std::string();
    return S_OK;
}

HRESULT FakePbxFinder::get_PbxCount(std::int32_t* count) {
    if (HRESULT hr = Enter("get_PbxCount"); FAILED(hr))
        return hr;
    *count = static_cast<std::int32_t>(fakes_.pbx.addresses.size());
    return S_OK;
}

// --- FakeDialingRulesReader ---

HRESULT FakeDialingRulesReader::GetAreaCode(std::string* areaCode) {
    if (HRESULT hr = Enter("GetAreaCode"); FAILED(hr))
        return hr;
    *areaCode = fakes_.dialing.areaCode;
    return S_OK;
}

HRESULT FakeDialingRulesReader::GetLocalAccessCode(std::string* code) {
    if (HRESULT hr = Enter("GetLocalAccessCode"); FAILED(hr))
        return hr;
    *code = fakes_.dialing.localAccessCode;
    return S_OK;
}

HRESULT FakeDialingRulesReader::GetLongDistanceAccessCode(std::string* code) {
    if (HRESULT hr = Enter("GetLongDistanceAccessCode"); FAILED(hr))
        return hr;
    *code = fakes_.dialing.longDistanceAccessCode;
    return S_OK;
}

HRESULT FakeDialingRulesReader::GetCountry(std::string* country) {
    if (HRESULT hr = Enter("GetCountry"); FAILED(hr))
        return hr;
    *country = fakes_.dialing.country;
    return S_OK;
}

// --- FakeProviderConfigurator ---

HRESULT FakeProviderConfigurator::Initialize() {
    return Enter("Initialize");
}

HRESULT FakeProviderConfigurator::GetDeviceNumber(std::int32_t* device) {
    if (HRESULT hr = Enter("GetDeviceNumber"); FAILED(hr))
        return hr;
    *device = fakes_.provider.deviceNumber;
    return S_OK;
}

HRESULT FakeProviderConfigurator::ConfigureDialing(std::int32_t device) {
    if (HRESULT hr = Enter("ConfigureDialing"); FAILED(hr))
        return hr;
    fakes_.provider.configuredDevices.push_back(device);
    if (fakes_.provider.onConfigure)
        fakes_.provider.onConfigure();
    return S_OK;
}

HRESULT FakeProviderConfigurator::GetProviderCount(std::int32_t* count) {
    if (HRESULT hr = Enter("GetProviderCount"); FAILED(hr))
        return hr;
    *count = static_cast<std::int32_t>(fakes_.provider.providers.size());
    return S_OK;
}

HRESULT FakeProviderConfigurator::GetProviderName(std::int32_t index, std::string* name) {
    if (HRESULT hr = Enter("GetProviderName"); FAILED(hr))
        return hr;
    const auto& all = fakes_.provider.providers;
    *name = index >= 0 && static_cast<size_t>(index) < all.size()
                ? all[static_cast<size_t>(index)].name
                : std::string();
    return S_OK;
}

HRESULT FakeProviderConfigurator::GetSwitchInfo(std::int32_t index, std::string* info1,
                                                std::string* prefix, std::string* info3) {
    if (HRESULT hr = Enter("GetSwitchInfo"); FAILED(hr))
        return hr;
    const auto& all = fakes_.provider.providers;
    if (index < 0 || static_cast<size_t>(index) >= all.size())
        return E_INVALIDARG;
    const FakeComponents::Provider& p = all[static_cast<size_t>(index)];
    *info1 = p.info1;
    *prefix = p.prefix;
    *info3 = p.info3;
    return S_OK;
}

// --- FakeLineObject ---

std::vector<std::string> FakeLineObject::DispatchNames() const {
    return {"Initialize", "Preferredline", "LineAddress", "Terminate"};
}

HRESULT FakeLineObject::InvokeByName(const std::string& name, std::vector<Variant>& args,
                                     Variant& result) {
    const size_t expected = name == "LineAddress" ? 1 : 0;
    if (args.size() != expected)
        return DISP_E_BADPARAMCOUNT;
    if (HRESULT hr = Enter(name.c_str()); FAILED(hr))
        return hr;
    auto& script = fakes_.line;
    if (name == "Preferredline") {
        result = script.preferredLine;
    } else if (name == "LineAddress") {
        const std::string line = VariantText(args[0]);
        auto it = script.addresses.find(line);
        result = it == script.addresses.end() ? std::string() : it->second;
    }
    return S_OK;
}

// --- FakeTextTranslator ---

HRESULT FakeTextTranslator::Translate(std::string& text, std::string* result) {
    if (HRESULT hr = Enter("Translate"); FAILED(hr))
        return hr;
    *result = FakeTranslate(fakes_.translator, text);
    return S_OK;
}

HRESULT FakeTextTranslator::TranslateForm(Form& form) {
    if (HRESULT hr = Enter("TranslateForm"); FAILED(hr))
        return hr;
    form.SetCaption(FakeTranslate(fakes_.translator, form.Caption()));
    for (const auto& control : form.Controls())
        control->SetCaption(FakeTranslate(fakes_.translator, control->Caption()));
    return S_OK;
}

}  // namespace zelwiz
