#pragma once
// The line object of the product ("LNKTL.LNK"), bound late only. "Initialize" reads the
// provider's lines, "Preferredline" answers the index of the user's preferred line (-1 when
// none), "LineAddress"(index) the number of that line, "Terminate" lets go of what was read.
// Calls before "Initialize" fail with E_FAIL; an index out of range with E_INVALIDARG.

#include <optional>

#include "components/ProviderLines.h"
#include "platform/Com.h"

namespace zelwiz {

class ProviderLineObject : public ComObject<IDispatchObject> {
  public:
    ProviderLineObject(Registry& registry, AllUsersFlag allUsers);

  protected:
    std::vector<std::string> DispatchNames() const override;
    HRESULT InvokeByName(const std::string& name, std::vector<Variant>& args,
                         Variant& result) override;

  private:
    HRESULT LineAddress(std::vector<Variant>& args, Variant& result) const;

    Registry& registry_;
    AllUsersFlag allUsers_;
    std::optional<ProviderLines> lines_;  // set between Initialize and Terminate
};

}  // namespace zelwiz
