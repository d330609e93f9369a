#pragma once
// One change of a hive's tree, kept as data: the registry makes it at once, and a store that keeps
// a process's changes until it writes them can make them again on a newer version of the hive
// that another process wrote meanwhile.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryTree.h"

namespace zelwiz {

struct HiveChange {
    enum class Kind { CreateKey, SetValue, DeleteValue, DeleteKey };
    Kind kind = Kind::CreateKey;
    std::vector<std::string> key;  // the key's levels below the hive
    std::size_t existing = 0;      // CreateKey: the levels of `key` that must exist already
    RegValueData value;            // SetValue: the value; DeleteValue: its name
};

// Makes `change` as the registry call that asked for it: ERROR_SUCCESS, or that call's status and
// `root` unchanged. `changed`, when given, tells whether the tree is now different (a value set to
// the bytes it held, or a key created that existed, changes nothing).
LONG ApplyChange(RegNode& root, const HiveChange& change, bool* changed = nullptr);

// Makes `change` again on a newer version of the hive, on top of what the other process wrote:
// the keys it needs are created; deleting what is gone, or a key that has gained subkeys since,
// does nothing.
void ReapplyChange(RegNode& root, const HiveChange& change);

}  // namespace zelwiz
