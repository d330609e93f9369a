#include "platform/ComponentCatalog.h"

#include <cmath>
#include <cstdio>

#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"

namespace zelwiz {

void ComponentCatalog::Register(const std::string& id, Factory factory) {
    factories_[id] = std::move(factory);
}

void ComponentCatalog::Unregister(const std::string& id) {
    factories_.erase(id);
}

HRESULT ComponentCatalog::CreateObject(const std::string& id, IDispatchObject** object) const {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    auto it = factories_.find(id);
    if (it == factories_.end())
        return REGDB_E_CLASSNOTREG;
    *object = it->second();
    return *object == nullptr ? E_FAIL : S_OK;
}

void RaiseCannotCreate(const std::string& id) {
    Raise(kErrCannotCreateObject, {}, DefaultDescription(kErrCannotCreateObject) + " (" + id + ")");
}

void CheckHr(HRESULT hr) {
    if (FAILED(hr))
        Raise(hr, {}, "Automation error");
}

Variant CallByName(IDispatchObject& object, const std::string& name, std::vector<Variant>& args) {
    DISPID id = 0;
    if (FAILED(object.GetIDsOfNames(name, &id)))
        Raise(438);
    Variant result;
    HRESULT hr = object.Invoke(id, args, &result);
    if (hr == DISP_E_MEMBERNOTFOUND)
        Raise(438);
    CheckHr(hr);
    return result;
}

Variant CallByName(IDispatchObject& object, const std::string& name) {
    std::vector<Variant> none;
    return CallByName(object, name, none);
}

std::string VariantText(const Variant& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(bool b) const { return BoolText(b); }
        std::string operator()(std::int32_t n) const { return std::to_string(n); }
        std::string operator()(double d) const {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.15g", d);
            return buf;
        }
        std::string operator()(const std::string& s) const { return s; }
    };
    return std::visit(Visitor{}, value);
}

}  // namespace zelwiz
