#include "admin/RegBackup.h"

#include "admin/AdminErrors.h"
#include "admin/InputFile.h"
#include "admin/KeyTree.h"
#include "platform/OverlayRegistry.h"
#include "platform/RegFile.h"
#include "platform/UnicodeText.h"

#include <algorithm>
#include <map>

namespace zelwiz {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

// The texts regedit writes as hex lists hold UTF-16LE characters.
void TextsAsRegeditWritesThem(RegNode& node) {
    for (RegValueData& value : node.values) {
        const bool text =
            value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ;
        if (!text || (value.type == REG_SZ && RegFileCanQuote(value.data)))
            continue;
        const std::string_view utf8(reinterpret_cast<const char*>(value.data.data()),
                                    value.data.size());
        if (InvalidUtf8At(utf8) == std::string_view::npos) {
            const std::string wide = ToUtf16Le(utf8);
            value.data.assign(wide.begin(), wide.end());
        }
    }
    for (auto& entry : node.subkeys)
        TextsAsRegeditWritesThem(*entry.second);
}

// A .reg file of the product's keys is small; anything near this size is not one.
constexpr std::size_t kMaxRegBytes = 16 * 1024 * 1024;

// The hive a section line's key belongs to when it is one of the product's keys, else 0.
HKEY ProductHive(std::string_view section) {
    std::string_view path = section.substr(1, section.find(']') - 1);
    if (!path.empty() && path.front() == '-')
        path.remove_prefix(1);  // a deletion names its key all the same
    std::vector<std::string_view> levels;
    for (std::size_t start = 0; levels.size() < 3;) {
        const std::size_t end = path.find('\\', start);
        levels.push_back(path.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (levels.size() < 3 || !NameEquals(levels[1], "Software") ||
        !NameEquals(levels[2], "Korvane"))
        return 0;
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        if (NameEquals(levels[0], HiveName(hive)))
            return hive;
    }
    return 0;
}

// The text of each hive the file has sections of: the lines of the other hive's sections are
// left empty, so that the parser's line numbers stay the file's. BadInput naming every key
// outside the product's.
std::map<HKEY, std::string> SplitByHive(const std::string& file, std::string_view text) {
    std::vector<std::pair<HKEY, std::string_view>> lines;  // each with the hive of its section
    std::map<HKEY, std::string> hives;
    std::string outside;
    HKEY owner = 0;  // 0 before the first section: the header goes to every hive
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        const std::string_view trimmed =
            line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
        if (!trimmed.empty() && trimmed.front() == '[') {
            owner = ProductHive(trimmed);
            if (owner == 0) {
                outside += "\n  line " + std::to_string(lines.size() + 1) + ": " +
                           std::string(trimmed.substr(0, trimmed.find_last_not_of(" \t\r") + 1));
            } else {
                hives[owner];
            }
        }
        lines.emplace_back(owner, line);
        start = end + 1;
    }
    if (!outside.empty()) {
        throw BadInput(file + ": restore puts back the product's keys only (" + kProductKeyPath +
                       " in both hives), and this file touches others:" + outside);
    }
    for (auto& [hive, out] : hives) {
        for (const auto& [lineHive, line] : lines) {
            if (lineHive == 0 || lineHive == hive)
                out += line;
            out += '\n';
        }
    }
    return hives;
}

// What a user who may not write the hive is told, naming the keys the restore would change.
std::string RefusedKeys(const std::vector<RegChange>& changes, HKEY hive) {
    std::vector<std::string> keys;
    for (const RegChange& change : changes) {
        if (change.hive == hive && std::find(keys.begin(), keys.end(), change.key) == keys.end())
            keys.push_back(change.key);
    }
    std::string text =
        std::string("this user may not write ") + HiveName(hive) +
        (hive == HKEY_LOCAL_MACHINE ? " (machine-wide keys need an administrator)" : "") +
        "; the restore would change:";
    for (const std::string& key : keys)
        text += "\n  " + std::string(HiveName(hive)) + "\\" + key;
    return text + "\nNothing was restored.";
}

}  // namespace

std::string BackupProductKeys(Registry& registry) {
    std::string keys;
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        auto product = ReadKeyTree(registry, hive, kProductKeyPath);
        if (!product)
            continue;
        TextsAsRegeditWritesThem(*product);
        RegNode root;
        root.FindOrAdd("Software").FindOrAdd("Korvane") = std::move(*product);
        const std::optional<std::string> text = SerializeRegFile(root, hive);
        if (!text) {
            throw CommandFailed("a name below " + std::string(HiveName(hive)) + "\\" +
                                kProductKeyPath + " cannot stand in a .reg file");
        }
        // The export of Software\Korvane alone: without the file's header and the key above it.
        const std::string above =
            std::string(kHeader) + "\n\n[" + HiveName(hive) + "\\Software]\n\n";
        keys += text->substr(text->rfind(above, 0) == 0 ? above.size() : 0);
    }
    if (keys.empty()) {
        throw CommandFailed("neither hive holds " + std::string(kProductKeyPath) +
                            ": there is nothing to back up");
    }
    std::string crlf;
    for (char c : std::string(kHeader) + "\n\n" + keys) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return "\xFF\xFE" + ToUtf16Le(crlf);
}

std::vector<RegChange> RestoreProductKeys(Registry& registry, const std::string& file) {
    std::string text;
    RegFileEncoding encoding = RegFileEncoding::Utf8;
    RegFileError error;
    if (!DecodeRegFile(ReadInputFile(file, kMaxRegBytes), &text, &encoding, &error))
        throw BadInput(file + " line " + std::to_string(error.line) + ": " + error.reason);
    const std::map<HKEY, std::string> hives = SplitByHive(file, text);
    if (hives.empty()) {
        // Not a .reg file at all, or one without keys.
        RegNode root;
        if (!ParseRegFile(text, HKEY_CURRENT_USER, &root, &error, encoding))
            throw BadInput(file + " line " + std::to_string(error.line) + ": " + error.reason);
        throw BadInput(file + ": holds none of the product's keys");
    }

    std::vector<RegChange> changes;
    for (const auto& [hive, hiveText] : hives) {
        RegNode root;
        if (!ParseRegFile(hiveText, hive, &root, &error, encoding))
            throw BadInput(file + " line " + std::to_string(error.line) + ": " + error.reason);
        const RegNode* wanted = root.Find("Software")->Find("Korvane");
        const auto now = ReadKeyTree(registry, hive, kProductKeyPath);
        for (RegChange& change : DiffKeys(hive, kProductKeyPath, now ? &*now : nullptr, wanted))
            changes.push_back(std::move(change));
    }

    // Rehearsed over a layer first: a hive this user may not write refuses there, and nothing
    // has changed yet.
    OverlayRegistry rehearsal(registry);
    std::string failed;
    if (ApplyChanges(rehearsal, changes, &failed) != ERROR_SUCCESS) {
        const HKEY refused = failed.rfind(HiveName(HKEY_LOCAL_MACHINE), 0) == 0 ? HKEY_LOCAL_MACHINE
                                                                                : HKEY_CURRENT_USER;
        throw CommandFailed(RefusedKeys(changes, refused));
    }
    if (ApplyChanges(registry, changes, &failed) != ERROR_SUCCESS)
        throw CommandFailed("the restore stopped at " + failed);
    for (const auto& [hive, unused] : hives)
        registry.FlushKey(hive);
    return changes;
}

}  // namespace zelwiz
