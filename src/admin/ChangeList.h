#pragma once
// Registry changes, hive by hive: what turns one tree of keys into another, how to carry it out
// through the registry calls, and how it reads for people and in JSON.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryTree.h"

namespace zelwiz {

struct RegChange {
    enum class Op { CreateKey, Set, DeleteValue, DeleteKey };
    Op op = Op::Set;
    HKEY hive = 0;
    std::string key;                 // path below the hive
    std::string name;                // Set, DeleteValue: the value; empty is the default value
    DWORD type = REG_NONE;           // Set
    std::vector<std::uint8_t> data;  // Set
};

// What turns `before` into `after`, two trees of the key `path` of `hive` (nullptr: the key does
// not exist). In tree order: a key is created before its values and subkeys are set, and deleted
// after everything below it, so that the registry calls can carry the list out in its order.
std::vector<RegChange> DiffKeys(HKEY hive, const std::string& path, const RegNode* before,
                                const RegNode* after);

// Carries the changes out in their order; stops at the first refused call and answers its status,
// with `failed` describing the change.
LONG ApplyChanges(Registry& registry, const std::vector<RegChange>& changes, std::string* failed);

// "REG_SZ", "REG_DWORD", ...; "REG_TYPE_<n>" for a type without a name.
std::string TypeName(DWORD type);

// The text of string data, without its terminating NUL.
std::string TextOfData(const std::vector<std::uint8_t>& data);

// Data as a .reg file writes it: "text", dword:0000001e, hex:00,ff or hex(n):...
std::string DataText(DWORD type, const std::vector<std::uint8_t>& data);

// One line for people, e.g. `set  Software\Korvane\7316\Install  "CCC" = "ThirdCSTALAN"`.
std::string Describe(const RegChange& change);

// {"op": "create-key"|"set"|"delete-value"|"delete-key", "hive", "key", "name", "type", "data"};
// a text's data is the text without its terminating NUL, a REG_DWORD's its number, other data
// its bytes in hexadecimal ("00,ff,10"). What an operation does not have is null.
nlohmann::ordered_json ToJson(const RegChange& change);

}  // namespace zelwiz
