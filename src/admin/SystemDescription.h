#pragma once
// The operating system the tool runs on, in one line for support, e.g.
// "Linux 6.1.0-18-amd64 x86_64, Debian GNU/Linux 12 (bookworm)". One file per platform.

#include <string>

namespace zelwiz {

std::string SystemDescription();

}  // namespace zelwiz
