#pragma once
// zelwiz-admin's command line: one subcommand per run, on the platform the program installed.

#include <iosfwd>
#include <string>
#include <vector>

namespace zelwiz {

class Registry;
class Shell;

// Runs the subcommand `args` names (the arguments after the program name); answers the exit
// code. Reports go to `out`, problems to `err`.
int RunAdminCommand(const std::vector<std::string>& args, Registry& registry, Shell& shell,
                    std::ostream& out, std::ostream& err);

}  // namespace zelwiz
