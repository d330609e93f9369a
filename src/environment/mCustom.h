#pragma once
// The product's customizable names, read from HKLM ...\7316\Install once per run, and the user's
// application profile (0 Basic, 1 Pro, 2 Team).

#include <cstdint>
#include <string>

namespace zelwiz {

// The names; each is the registry value of the same name (g7316Name: "7316Name", gBasicName:
// "BasicName", ...) when that is not blank, else its default:
//   g7316Name       "Korvane Parlova": the full name, last level of the user's data folder
//   g7316ExtName    empty: the extended name (read, not shown)
//   g7316ShortName  "Parlova": %0 and %1 of every translated text, the application title
//   gBasicName, gProName, gTeamName   "Basic", "Pro", "Team": the profile names
//   gCopyright      the maker's copyright line (read, not shown)
extern std::string g7316Name;
extern std::string g7316ExtName;
extern std::string g7316ShortName;
extern std::string gBasicName;
extern std::string gProName;
extern std::string gTeamName;
extern std::string gCopyright;

// Sets every name to its default, then to its registry value where that is not blank.
void ReadProductNames();
// The user's "ProductProfil" (HKCU) when it is a number from 0 to 2; otherwise the machine's
// value (HKLM, default "-1"), which is also written back for the user. A text that is not a
// whole number raises a type mismatch (13) into the caller.
std::int32_t GetProductProfile();
// gBasicName, gProName or gTeamName for the profile 0, 1 or 2; empty for any other.
std::string GetProductProfileName();

// Puts every name back to its default.
void ResetProductNamesForTests();

}  // namespace zelwiz
