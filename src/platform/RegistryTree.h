#pragma once
// The data of one registry hive: keys with case-insensitive, case-preserving names, values in the
// order they were first set. Shared by the in-memory registry and the .reg file store.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace zelwiz {

bool NameEquals(std::string_view a, std::string_view b);  // case-insensitive, ASCII

struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

struct RegValueData {
    std::string name;  // empty: the default value
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
    bool operator==(const RegValueData&) const = default;
};

struct RegNode {
    std::string name;
    std::vector<RegValueData> values;
    std::map<std::string, std::unique_ptr<RegNode>, NameLess> subkeys;

    RegNode() = default;
    explicit RegNode(std::string n) : name(std::move(n)) {}
    RegNode(const RegNode& other);
    RegNode& operator=(const RegNode& other);
    RegNode(RegNode&&) noexcept = default;
    RegNode& operator=(RegNode&&) noexcept = default;
    bool operator==(const RegNode& other) const;

    RegNode* Find(std::string_view child);
    const RegNode* Find(std::string_view child) const;
    RegNode& FindOrAdd(std::string_view child);
    RegValueData* FindValue(std::string_view valueName);
    const RegValueData* FindValue(std::string_view valueName) const;
    void SetValue(std::string_view valueName, DWORD type, std::vector<std::uint8_t> data);
    bool RemoveValue(std::string_view valueName);
};

// Splits "A\B\C" into its levels; false when a level is empty or longer than a key name may be.
bool SplitKeyPath(std::string_view path, std::vector<std::string>* levels);

}  // namespace zelwiz
