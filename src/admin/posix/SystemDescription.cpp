#include "admin/SystemDescription.h"

#include <sys/utsname.h>

#include <fstream>

namespace zelwiz {

std::string SystemDescription() {
    std::string text;
    utsname name{};
    if (::uname(&name) == 0)
        text = std::string(name.sysname) + " " + name.release + " " + name.machine;
    // The distribution's own name for itself.
    std::ifstream release("/etc/os-release");
    for (std::string line; std::getline(release, line);) {
        if (line.rfind("PRETTY_NAME=", 0) != 0)
            continue;
        std::string pretty = line.substr(12);
        if (pretty.size() >= 2 && pretty.front() == '"' && pretty.back() == '"')
            pretty = pretty.substr(1, pretty.size() - 2);
        text += (text.empty() ? "" : ", ") + pretty;
    }
    return text.empty() ? "unknown" : text;
}

}  // namespace zelwiz
