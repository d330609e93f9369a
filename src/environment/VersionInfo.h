#pragma once
// The program's version resource: the maker and the product. The registry tree of the product
// lives under the company name, and the product name is the default application name of the
// settings class and the source of an error that has none.

namespace zelwiz::VersionInfo {

inline constexpr char CompanyName[] = "Korvane";
inline constexpr char ProductName[] = "Parlova";

}  // namespace zelwiz::VersionInfo
