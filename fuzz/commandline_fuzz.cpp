// The two command-line readers on arbitrary text: the program's own walk (blanks and tabs only)
// and the Windows splitting used to start programs. No crash, and the walk's invariants hold.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/CommandLine.h"
#include "startup/CommandLineArgs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto args = zelwiz::GetCommandLineArgs(text);
    const int count = std::atoi(args[0].c_str());
    if (count < 0 || count > 5)
        std::abort();
    if (count == 0 && (args.size() != 6 || args[1] != "nothing"))
        std::abort();
    if (count > 0 && args.size() != static_cast<std::size_t>(count) + 1)
        std::abort();
    for (int i = 1; count > 0 && i <= count; ++i) {
        const std::string& a = args[static_cast<std::size_t>(i)];
        if (a.empty() || a.find_first_of(" \t") != std::string::npos)
            std::abort();
    }
    for (const std::string& a : zelwiz::SplitCommandLine(text)) {
        if (a.size() > text.size())
            std::abort();
    }
    return 0;
}
