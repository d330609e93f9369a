#pragma once
// How a subcommand of zelwiz-admin fails; the tool reports the message and ends with the code.

#include <stdexcept>

namespace zelwiz {

// Input the tool refuses before doing anything with it (exit code 2): the message names the file,
// the line and what is wrong.
struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The command could not do what was asked (exit code 1); nothing was written.
struct CommandFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace zelwiz
