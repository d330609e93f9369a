#include "platform/RegistryTree.h"

#include <algorithm>

namespace zelwiz {
namespace {
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool NameEquals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool NameLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
    });
}

RegNode::RegNode(const RegNode& other) : name(other.name), values(other.values) {
    for (const auto& [key, child] : other.subkeys)
        subkeys.emplace(key, std::make_unique<RegNode>(*child));
}

RegNode& RegNode::operator=(const RegNode& other) {
    if (this != &other) {
        RegNode copy(other);
        *this = std::move(copy);
    }
    return *this;
}

bool RegNode::operator==(const RegNode& other) const {
    if (name != other.name || values != other.values || subkeys.size() != other.subkeys.size())
        return false;
    auto a = subkeys.begin();
    for (auto b = other.subkeys.begin(); b != other.subkeys.end(); ++a, ++b) {
        if (a->first != b->first || !(*a->second == *b->second))
            return false;
    }
    return true;
}

RegNode* RegNode::Find(std::string_view child) {
    auto it = subkeys.find(child);
    return it == subkeys.end() ? nullptr : it->second.get();
}

const RegNode* RegNode::Find(std::string_view child) const {
    auto it = subkeys.find(child);
    return it == subkeys.end() ? nullptr : it->second.get();
}

RegNode& RegNode::FindOrAdd(std::string_view child) {
    if (RegNode* found = Find(child))
        return *found;
    auto node = std::make_unique<RegNode>(std::string(child));
    RegNode& ref = *node;
    subkeys.emplace(std::string(child), std::move(node));
    return ref;
}

RegValueData* RegNode::FindValue(std::string_view valueName) {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const RegValueData& v) { return NameEquals(v.name, valueName); });
    return it == values.end() ? nullptr : &*it;
}

const RegValueData* RegNode::FindValue(std::string_view valueName) const {
    return const_cast<RegNode*>(this)->FindValue(valueName);
}

void RegNode::SetValue(std::string_view valueName, DWORD type, std::vector<std::uint8_t> data) {
    if (RegValueData* v = FindValue(valueName)) {
        v->type = type;
        v->data = std::move(data);
        return;
    }
    values.push_back(RegValueData{std::string(valueName), type, std::move(data)});
}

bool RegNode::RemoveValue(std::string_view valueName) {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const RegValueData& v) { return NameEquals(v.name, valueName); });
    if (it == values.end())
        return false;
    values.erase(it);
    return true;
}

bool SplitKeyPath(std::string_view path, std::vector<std::string>* levels) {
    levels->clear();
    if (path.empty())
        return true;
    size_t start = 0;
    while (true) {
        size_t end = path.find('\\', start);
        std::string_view level =
            path.substr(start, end == std::string_view::npos ? path.npos : end - start);
        if (level.empty() || level.size() > kMaxKeyNameChars)
            return false;
        levels->emplace_back(level);
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

}  // namespace zelwiz
