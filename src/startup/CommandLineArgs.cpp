#include "startup/CommandLineArgs.h"

namespace zelwiz {

std::string CommandLineText(const std::vector<std::string>& arguments) {
    std::string text;
    for (const auto& a : arguments) {
        if (!text.empty())
            text += ' ';
        text += a;
    }
    return text;
}

std::vector<std::string> GetCommandLineArgs(std::string_view commandLine, int maximum) {
    if (maximum < 1)
        maximum = 1;
    std::vector<std::string> args(static_cast<size_t>(maximum) + 1);
    int count = 0;
    bool inArgument = false;
    for (char c : commandLine) {
        if (c == ' ' || c == '\t') {
            inArgument = false;
            continue;
        }
        if (!inArgument) {
            if (count == maximum)
                break;
            ++count;
            inArgument = true;
        }
        args[static_cast<size_t>(count)] += c;
    }
    if (count == 0) {
        args[1] = "nothing";
    } else {
        args.resize(static_cast<size_t>(count) + 1);
    }
    args[0] = std::to_string(count);
    return args;
}

}  // namespace zelwiz
