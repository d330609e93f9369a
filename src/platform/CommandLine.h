#pragma once
// A command line split into its arguments the way Windows splits one (CommandLineToArgvW), so that
// a line such as "\"<folder>/prog.exe\" -s" starts the same program with the same arguments on
// every platform.

#include <string>
#include <string_view>
#include <vector>

namespace zelwiz {

// The rules:
// - The program name (first argument) runs to the first blank or tab, or, when it starts with a
//   double quote, to the next double quote; backslashes in it are plain characters.
// - The other arguments are separated by blanks and tabs outside double quotes.
// - Double quotes group: they are removed and blanks between them stay in the argument.
// - 2n backslashes before a double quote give n backslashes and the quote groups; 2n+1 give n
//   backslashes and a literal double quote. Backslashes before anything else are plain.
// - Inside a quoted part, two double quotes in a row give one literal double quote and end the
//   quoted part (three in a row: a literal quote and the quoted part goes on).
// A line that is empty gives no argument; a line that starts with a blank gives an empty program
// name.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace zelwiz
