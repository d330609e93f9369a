#pragma once
// The components catalog: creates component objects by class identifier or programmatic
// identifier, and answers "class not registered" as the platform does for an unknown one.

#include <functional>
#include <map>
#include <string>

#include "platform/Com.h"

namespace zelwiz {

class ComponentCatalog {
  public:
    // Makes a new object holding one reference (the caller's), or nullptr on failure.
    using Factory = std::function<IDispatchObject*()>;

    void Register(const std::string& id, Factory factory);
    void Unregister(const std::string& id);
    // REGDB_E_CLASSNOTREG for an identifier nobody registered; E_FAIL when the factory fails.
    HRESULT CreateObject(const std::string& id, IDispatchObject** object) const;

  private:
    std::map<std::string, Factory> factories_;
};

// CreateObject as the program calls it: error 429 when the object cannot be made.
template <class T>
ComPtr<T> CreateComponent(const std::string& id);

// A failing HRESULT of a component call becomes a run-time error of the calling procedure whose
// number is the HRESULT ("Automation error").
void CheckHr(HRESULT hr);

// A late-bound call by name (GetIDsOfNames, then Invoke); a failing HRESULT raises as CheckHr
// does, an unknown name is error 438.
// By-reference arguments come back in `args`.
Variant CallByName(IDispatchObject& object, const std::string& name, std::vector<Variant>& args);
Variant CallByName(IDispatchObject& object, const std::string& name);

// The text of a Variant, as the classic CStr gives it; error 13 for one that has none.
std::string VariantText(const Variant& value);

[[noreturn]] void RaiseCannotCreate(const std::string& id);

}  // namespace zelwiz

#include "platform/Platform.h"

namespace zelwiz {
template <class T>
ComPtr<T> CreateComponent(const std::string& id) {
    IDispatchObject* object = nullptr;
    if (FAILED(TheCatalog().CreateObject(id, &object)) || object == nullptr)
        RaiseCannotCreate(id);
    return ComPtr<T>(static_cast<T*>(object));
}
}  // namespace zelwiz
