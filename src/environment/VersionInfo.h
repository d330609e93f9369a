#pragma once
// The program's version resource: the maker and the product. The registry tree of the product
// lives under the company name, and the product name is the default application name of the
// settings class and the source of an error that has none. Where the program file carries a
// version resource of its own (Windows), the program reads them from it at start; elsewhere the
// names built in here stand for it.

#include <string>

namespace zelwiz::VersionInfo {

const std::string& CompanyName();  // "Korvane" unless the resource says otherwise
const std::string& ProductName();  // "Parlova" unless the resource says otherwise
// The names the program file's version resource gives; an empty one keeps the built-in name.
void SetFromResource(const std::string& company, const std::string& product);

}  // namespace zelwiz::VersionInfo
