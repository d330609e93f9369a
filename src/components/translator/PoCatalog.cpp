#include "components/translator/PoCatalog.h"

#include <optional>

namespace zelwiz {
namespace {

struct Entry {
    std::optional<std::string> context, id, translation;
    bool fuzzy = false;
    bool Empty() const { return !context && !id && !translation && !fuzzy; }
};

bool StartsWith(std::string_view line, std::string_view word) {
    return line.substr(0, word.size()) == word;
}

// Reads the quoted string that makes up `rest` (blanks around it allowed) and appends its
// unescaped content to `out`.
bool ReadQuoted(std::string_view rest, std::string* out, std::string* fault) {
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r'))
        rest.remove_suffix(1);
    if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') {
        *fault = "a quoted string was expected";
        return false;
    }
    rest = rest.substr(1, rest.size() - 2);
    for (size_t i = 0; i < rest.size(); ++i) {
        char c = rest[i];
        if (c == '"') {
            *fault = "unescaped quote inside a string";
            return false;
        }
        if (c != '\\') {
            out->push_back(c);
            continue;
        }
        if (++i == rest.size()) {
            *fault = "a string ends with a backslash";
            return false;
        }
        switch (rest[i]) {
            case 'n':
                out->push_back('\n');
                break;
            case 't':
                out->push_back('\t');
                break;
            case 'r':
                out->push_back('\r');
                break;
            case '"':
            case '\\':
                out->push_back(rest[i]);
                break;
            default:
                *fault = std::string("unknown escape \\") + rest[i];
                return false;
        }
    }
    return true;
}

}  // namespace

bool PoCatalog::Parse(std::string_view text, std::string* error) {
    entries_.clear();
    Entry entry;
    std::string* field = nullptr;  // the field that continuation lines extend
    std::string discarded;         // msgid_plural and the further plural forms
    std::string fault;
    size_t lineNumber = 0;
    size_t entryLine = 0;  // where the entry being read began

    auto failAt = [&](size_t line, const std::string& why) {
        if (error != nullptr)
            *error = "line " + std::to_string(line) + ": " + why;
        entries_.clear();
        return false;
    };
    auto fail = [&](const std::string& why) { return failAt(lineNumber, why); };
    // Ends the entry being read; false with `fault` set when it is incomplete.
    auto flush = [&]() {
        field = nullptr;
        if (entry.Empty())
            return true;
        if (!entry.id || !entry.translation) {
            fault = "an entry needs both msgid and msgstr";
            return false;
        }
        const bool header = !entry.context && entry.id->empty();
        if (!header && !entry.fuzzy && !entry.translation->empty()) {
            const std::string& key = entry.context ? *entry.context : *entry.id;
            if (!entries_.emplace(key, *entry.translation).second) {
                fault = "duplicate entry \"" + key + "\"";
                return false;
            }
        }
        entry = Entry{};
        return true;
    };

    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            field = nullptr;
            continue;
        }
        if (line.front() == '#') {
            if (entry.translation && !flush())
                return failAt(entryLine, fault);
            field = nullptr;
            if (StartsWith(line, "#,") && line.find("fuzzy") != std::string_view::npos)
                entry.fuzzy = true;
            continue;
        }
        if (line.front() == '"') {
            if (field == nullptr)
                return fail("a continuation line belongs to no keyword");
            if (!ReadQuoted(line, field, &fault))
                return fail(fault);
            continue;
        }
        if (StartsWith(line, "msgctxt ") || StartsWith(line, "msgid ")) {
            const bool isContext = StartsWith(line, "msgctxt ");
            if (entry.translation && !flush())
                return failAt(entryLine, fault);
            if (entry.id || (isContext && entry.context))
                return fail("msgstr missing before a new entry");
            if (!entry.context)
                entryLine = lineNumber;
            auto& slot = isContext ? entry.context : entry.id;
            slot.emplace();
            field = &*slot;
            if (!ReadQuoted(line.substr(isContext ? 8 : 6), field, &fault))
                return fail(fault);
            continue;
        }
        if (StartsWith(line, "msgid_plural ")) {
            if (!entry.id)
                return fail("msgid_plural without msgid");
            discarded.clear();
            field = &discarded;
            if (!ReadQuoted(line.substr(13), field, &fault))
                return fail(fault);
            continue;
        }
        if (StartsWith(line, "msgstr ") || StartsWith(line, "msgstr[")) {
            if (!entry.id)
                return fail("msgstr without msgid");
            size_t open = line.find('"');
            if (open == std::string_view::npos)
                return fail("a quoted string was expected");
            // Of the plural forms only the first is kept: the program has no plural texts.
            const bool firstForm = StartsWith(line, "msgstr ") || StartsWith(line, "msgstr[0]");
            discarded.clear();
            if (firstForm) {
                if (entry.translation)
                    return fail("a second msgstr in one entry");
                entry.translation.emplace();
                field = &*entry.translation;
            } else {
                field = &discarded;
            }
            if (!ReadQuoted(line.substr(open), field, &fault))
                return fail(fault);
            continue;
        }
        return fail("unknown keyword");
    }
    if (!flush())
        return failAt(entryLine, fault);
    return true;
}

const std::string* PoCatalog::Find(std::string_view key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

}  // namespace zelwiz
