#include "components/CountryTable.h"

#include <cstdlib>
#include <string_view>

namespace zelwiz {
namespace {

constexpr CountryEntry kCountries[] = {
    {1, "United States of America", 1, "US"},
    {2, "Canada", 1, "CA"},
    {31, "Netherlands", 31, "NL"},
    {32, "Belgium", 32, "BE"},
    {33, "France", 33, "FR"},
    {34, "Spain", 34, "ES"},
    {36, "Hungary", 36, "HU"},
    {39, "Italy", 39, "IT"},
    {41, "Switzerland", 41, "CH"},
    {43, "Austria", 43, "AT"},
    {44, "United Kingdom", 44, "GB"},
    {45, "Denmark", 45, "DK"},
    {46, "Sweden", 46, "SE"},
    {47, "Norway", 47, "NO"},
    {48, "Poland", 48, "PL"},
    {49, "Germany", 49, "DE"},
    {61, "Australia", 61, "AU"},
    {351, "Portugal", 351, "PT"},
    {352, "Luxembourg", 352, "LU"},
    {353, "Ireland", 353, "IE"},
    {420, "Czech Republic", 420, "CZ"},
};

constexpr std::uint32_t kUnitedStates = 1;

}  // namespace

std::span<const CountryEntry> Countries() {
    return kCountries;
}

const CountryEntry* FindCountry(std::uint32_t id) {
    for (const auto& c : kCountries) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

std::string CountryDisplayName(std::uint32_t id) {
    if (const CountryEntry* c = FindCountry(id))
        return std::string(c->name) + " (" + std::to_string(c->callingCode) + ")";
    return "Country ID " + std::to_string(id);
}

std::uint32_t DefaultCountryId() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0')
            continue;
        // language[_TERRITORY][.codeset][@modifier]
        std::string_view locale = value;
        const size_t underscore = locale.find('_');
        if (underscore == std::string_view::npos || underscore + 3 > locale.size())
            return kUnitedStates;
        const std::string_view territory = locale.substr(underscore + 1, 2);
        for (const auto& c : kCountries) {
            if (territory == c.isoCode)
                return c.id;
        }
        return kUnitedStates;
    }
    return kUnitedStates;
}

}  // namespace zelwiz
