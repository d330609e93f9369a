#pragma once
// The program's command-line text after its own name, as Windows keeps it (GetCommandLineW):
// quotes and blanks as typed, for the program's own rules to walk.

#include <string>
#include <string_view>

namespace zelwiz {

// The name ends at its closing quote when it starts with one, else at the first blank or tab;
// the blanks and tabs after it do not belong to the text.
std::string CommandLineTail(std::wstring_view commandLine);
// The same for this process.
std::string CommandLineTail();

}  // namespace zelwiz
