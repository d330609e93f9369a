#include "components/RegistryDialingRulesReader.h"

#include "components/CountryTable.h"
#include "components/TelephonyLocations.h"

namespace zelwiz {
namespace {

template <class Field>
HRESULT Answer(Registry& reg, std::string* out, Field field) {
    if (out == nullptr)
        return E_POINTER;
    const auto location = ReadCurrentLocation(reg);
    *out = location ? field(*location) : std::string();
    return S_OK;
}

}  // namespace

HRESULT RegistryDialingRulesReader::GetAreaCode(std::string* areaCode) {
    return Answer(registry_, areaCode, [](const DialingLocation& l) { return l.areaCode; });
}

HRESULT RegistryDialingRulesReader::GetLocalAccessCode(std::string* code) {
    return Answer(registry_, code, [](const DialingLocation& l) { return l.outsideAccess; });
}

HRESULT RegistryDialingRulesReader::GetLongDistanceAccessCode(std::string* code) {
    return Answer(registry_, code, [](const DialingLocation& l) { return l.longDistanceAccess; });
}

HRESULT RegistryDialingRulesReader::GetCountry(std::string* country) {
    return Answer(registry_, country,
                  [](const DialingLocation& l) { return CountryDisplayName(l.country); });
}

}  // namespace zelwiz
