#include "platform/CommandLine.h"

namespace zelwiz {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

// No library splits by these rules (the C runtime and the shell each differ in the details of
// the program name and of doubled quotes), so the walk is written out here.
std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    if (line.empty())
        return args;
    size_t i = 0;
    const size_t n = line.size();

    // The program name: no escapes.
    std::string program;
    if (line[0] == '"') {
        for (i = 1; i < n && line[i] != '"'; ++i)
            program.push_back(line[i]);
        if (i < n)
            ++i;  // the closing quote
    } else {
        for (; i < n && !IsBlank(line[i]); ++i)
            program.push_back(line[i]);
    }
    args.push_back(std::move(program));

    while (i < n && IsBlank(line[i]))
        ++i;
    if (i >= n)
        return args;

    std::string current;
    bool inQuotes = false;
    size_t backslashes = 0;
    while (i < n) {
        const char c = line[i];
        if (IsBlank(c) && !inQuotes) {
            current.append(backslashes, '\\');
            backslashes = 0;
            args.push_back(std::move(current));
            current.clear();
            while (i < n && IsBlank(line[i]))
                ++i;
            if (i >= n)
                return args;
            continue;
        }
        if (c == '\\') {
            ++backslashes;
            ++i;
            continue;
        }
        if (c != '"') {
            current.append(backslashes, '\\');
            backslashes = 0;
            current.push_back(c);
            ++i;
            continue;
        }
        // A double quote, after `backslashes` backslashes.
        current.append(backslashes / 2, '\\');
        const bool escaped = backslashes % 2 == 1;
        backslashes = 0;
        ++i;
        if (escaped) {
            current.push_back('"');
            continue;
        }
        // Count the quotes that follow: with the one just read, quote number 1 opens a quoted
        // part, 2 closes it, and every third quote is a literal one.
        int quotes = inQuotes ? 1 : 0;
        ++quotes;
        while (i < n && line[i] == '"') {
            if (++quotes == 3) {
                current.push_back('"');
                quotes = 0;
            }
            ++i;
        }
        inQuotes = quotes == 1;
    }
    current.append(backslashes, '\\');
    args.push_back(std::move(current));
    return args;
}

}  // namespace zelwiz
