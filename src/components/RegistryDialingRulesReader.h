#pragma once
// The dialing rules reader: the area code, access codes and country of the current dialing
// location, read from the telephony locations each time they are asked for. Without a current
// location every answer is an empty text.

#include "platform/Registry.h"
#include "telephony/DialingRulesReader.h"

namespace zelwiz {

class RegistryDialingRulesReader : public ComObject<DialingRulesReader> {
  public:
    explicit RegistryDialingRulesReader(Registry& registry) : registry_(registry) {}

    HRESULT GetAreaCode(std::string* areaCode) override;
    HRESULT GetLocalAccessCode(std::string* code) override;
    HRESULT GetLongDistanceAccessCode(std::string* code) override;
    // The country as "France (33)".
    HRESULT GetCountry(std::string* country) override;

  private:
    Registry& registry_;
};

}  // namespace zelwiz
