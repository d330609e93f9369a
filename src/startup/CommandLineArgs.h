#pragma once
// GetCommandLineArgs: the program's arguments as the start-up reads them.

#include <string>
#include <string_view>
#include <vector>

namespace zelwiz {

// The command-line text after the program name: this platform gives the arguments one by one,
// so they are joined by one blank, as the text the program walks.
std::string CommandLineText(const std::vector<std::string>& arguments);

// Walks `commandLine` character by character: blanks and tabs end an argument, quotes have no
// meaning. Element 0 holds the count as decimal text, elements 1 to count the arguments; at most
// `maximum` arguments are collected (the rest of the line is dropped). With no argument the array
// keeps elements 0 to `maximum` and element 1 holds "nothing".
std::vector<std::string> GetCommandLineArgs(std::string_view commandLine, int maximum = 5);

}  // namespace zelwiz
