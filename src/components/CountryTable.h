#pragma once
// The countries the dialing properties offer, by their telephony country identifier (the value
// "Country" of a dialing location). The identifier is the calling code except where two
// countries share one (Canada is 2, calling code 1).

#include <cstdint>
#include <span>
#include <string>

namespace zelwiz {

struct CountryEntry {
    std::uint32_t id;
    const char* name;
    std::uint32_t callingCode;
    const char* isoCode;  // two letters, as in a locale name ("fr_FR")
};

std::span<const CountryEntry> Countries();
const CountryEntry* FindCountry(std::uint32_t id);

// "France (33)"; an identifier not in the table reads "Country ID <id>".
std::string CountryDisplayName(std::uint32_t id);

// The country of the user's locale (LC_ALL, LC_MESSAGES, then LANG), United States otherwise.
std::uint32_t DefaultCountryId();

}  // namespace zelwiz
