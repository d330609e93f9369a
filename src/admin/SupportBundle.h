#pragma once
// What support asks for, collected in one folder: the user's error log, a backup of both hives'
// product keys, the program's version and the platform, and the INI files beside the program.
// No other registry content goes in.

#include <string>
#include <vector>

namespace zelwiz {

class Registry;
class Shell;

// Makes the folder `out` (it must not exist, or be empty) and answers the names of the files put
// in it. CommandFailed when the folder cannot be made or written.
std::vector<std::string> MakeSupportBundle(Registry& registry, Shell& shell,
                                           const std::string& programFolder,
                                           const std::string& out);

}  // namespace zelwiz
