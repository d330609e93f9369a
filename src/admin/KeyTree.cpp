#include "admin/KeyTree.h"

namespace zelwiz {
namespace {

bool Read(Registry& registry, HKEY parent, const std::string& subKey, RegNode* node) {
    HKEY key = 0;
    if (registry.OpenKey(parent, subKey, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegKey closer(registry, key);
    std::string name;
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
    for (DWORD i = 0; registry.EnumValue(key, i, &name, &type, &data) == ERROR_SUCCESS; ++i)
        node->values.push_back(RegValueData{name, type, data});
    for (DWORD i = 0; registry.EnumKey(key, i, &name) == ERROR_SUCCESS; ++i) {
        RegNode& child = node->FindOrAdd(name);
        if (!Read(registry, key, name, &child))
            return false;
    }
    return true;
}

}  // namespace

std::optional<RegNode> ReadKeyTree(Registry& registry, HKEY hive, const std::string& path) {
    RegNode node(path.substr(path.rfind('\\') + 1));
    if (!Read(registry, hive, path, &node))
        return std::nullopt;
    return node;
}

}  // namespace zelwiz
