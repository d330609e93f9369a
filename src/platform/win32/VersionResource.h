#pragma once
// The texts of the running program's version resource.

#include <string>

namespace zelwiz {

// The text of `name` ("CompanyName", "ProductName", ...) in the first language of the version
// resource of the program file `file`; empty when the file has none.
std::string VersionResourceText(const std::string& file, const std::string& name);
// The same for the running program's own file.
std::string VersionResourceText(const std::string& name);

}  // namespace zelwiz
