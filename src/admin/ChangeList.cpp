#include "admin/ChangeList.h"

#include <cstdio>

namespace zelwiz {
namespace {

std::string Child(const std::string& path, const std::string& name) {
    return path.empty() ? name : path + "\\" + name;
}

void Diff(HKEY hive, const std::string& path, const RegNode* before, const RegNode* after,
          std::vector<RegChange>* out) {
    using Op = RegChange::Op;
    if (after == nullptr) {
        for (const auto& [name, child] : before->subkeys)
            Diff(hive, Child(path, child->name), child.get(), nullptr, out);
        out->push_back(RegChange{Op::DeleteKey, hive, path, {}, REG_NONE, {}});
        return;
    }
    if (before == nullptr)
        out->push_back(RegChange{Op::CreateKey, hive, path, {}, REG_NONE, {}});
    for (const RegValueData& value : after->values) {
        const RegValueData* old = before == nullptr ? nullptr : before->FindValue(value.name);
        if (old == nullptr || old->type != value.type || old->data != value.data)
            out->push_back(RegChange{Op::Set, hive, path, value.name, value.type, value.data});
    }
    if (before != nullptr) {
        for (const RegValueData& value : before->values) {
            if (after->FindValue(value.name) == nullptr)
                out->push_back(RegChange{Op::DeleteValue, hive, path, value.name, REG_NONE, {}});
        }
    }
    // Both lists of subkeys in the registry's order, walked side by side.
    static const RegNode kNone;
    const auto& old = before == nullptr ? kNone.subkeys : before->subkeys;
    auto a = old.begin();
    auto b = after->subkeys.begin();
    while (a != old.end() || b != after->subkeys.end()) {
        const bool takeOld =
            b == after->subkeys.end() || (a != old.end() && !NameLess()(b->first, a->first));
        const bool takeNew =
            a == old.end() || (b != after->subkeys.end() && !NameLess()(a->first, b->first));
        const RegNode* oldChild = takeOld ? a->second.get() : nullptr;
        const RegNode* newChild = takeNew ? b->second.get() : nullptr;
        Diff(hive, Child(path, (newChild != nullptr ? newChild : oldChild)->name), oldChild,
             newChild, out);
        if (takeOld)
            ++a;
        if (takeNew)
            ++b;
    }
}

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

std::string HexBytes(const std::vector<std::uint8_t>& data) {
    std::string out;
    char byte[4];
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(byte, sizeof byte, i == 0 ? "%02x" : ",%02x", data[i]);
        out += byte;
    }
    return out;
}

std::uint32_t Dword(const std::vector<std::uint8_t>& data) {
    return static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
           static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

const char* OpName(RegChange::Op op) {
    switch (op) {
        case RegChange::Op::CreateKey:
            return "create-key";
        case RegChange::Op::Set:
            return "set";
        case RegChange::Op::DeleteValue:
            return "delete-value";
        case RegChange::Op::DeleteKey:
            return "delete-key";
    }
    return "";
}

}  // namespace

std::vector<RegChange> DiffKeys(HKEY hive, const std::string& path, const RegNode* before,
                                const RegNode* after) {
    std::vector<RegChange> changes;
    if (before != nullptr || after != nullptr)
        Diff(hive, path, before, after, &changes);
    return changes;
}

LONG ApplyChanges(Registry& registry, const std::vector<RegChange>& changes, std::string* failed) {
    for (const RegChange& change : changes) {
        LONG status = ERROR_SUCCESS;
        HKEY key = 0;
        switch (change.op) {
            case RegChange::Op::CreateKey:
            case RegChange::Op::Set:
                status = registry.CreateKey(change.hive, change.key, KEY_WRITE, &key);
                if (status == ERROR_SUCCESS && change.op == RegChange::Op::Set) {
                    status = registry.SetValue(key, change.name, change.type, change.data.data(),
                                               static_cast<DWORD>(change.data.size()));
                }
                break;
            case RegChange::Op::DeleteValue:
                status = registry.OpenKey(change.hive, change.key, KEY_WRITE, &key);
                if (status == ERROR_SUCCESS)
                    status = registry.DeleteValue(key, change.name);
                break;
            case RegChange::Op::DeleteKey:
                status = registry.DeleteKey(change.hive, change.key);
                break;
        }
        if (key != 0)
            registry.CloseKey(key);
        if (status != ERROR_SUCCESS) {
            *failed = std::string(HiveName(change.hive)) + ": " + Describe(change);
            return status;
        }
    }
    return ERROR_SUCCESS;
}

std::string TypeName(DWORD type) {
    static const char* const kNames[] = {"REG_NONE",
                                         "REG_SZ",
                                         "REG_EXPAND_SZ",
                                         "REG_BINARY",
                                         "REG_DWORD",
                                         "REG_DWORD_BIG_ENDIAN",
                                         "REG_LINK",
                                         "REG_MULTI_SZ",
                                         "REG_RESOURCE_LIST",
                                         "REG_FULL_RESOURCE_DESCRIPTOR",
                                         "REG_RESOURCE_REQUIREMENTS_LIST",
                                         "REG_QWORD"};
    if (type < std::size(kNames))
        return kNames[type];
    return "REG_TYPE_" + std::to_string(type);
}

std::string TextOfData(const std::vector<std::uint8_t>& data) {
    std::string text(data.begin(), data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::string DataText(DWORD type, const std::vector<std::uint8_t>& data) {
    if (type == REG_SZ)
        return Quoted(TextOfData(data));
    if (type == REG_DWORD && data.size() == 4) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "dword:%08x", Dword(data));
        return hex;
    }
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, type == REG_BINARY ? "hex:" : "hex(%x):", type);
    return prefix + HexBytes(data);
}

std::string Describe(const RegChange& change) {
    const std::string name = change.name.empty() ? "@" : Quoted(change.name);
    switch (change.op) {
        case RegChange::Op::CreateKey:
            return "create key    " + change.key;
        case RegChange::Op::DeleteKey:
            return "delete key    " + change.key;
        case RegChange::Op::DeleteValue:
            return "delete value  " + change.key + "  " + name;
        case RegChange::Op::Set:
            break;
    }
    return "set value     " + change.key + "  " + name + " = " + DataText(change.type, change.data);
}

nlohmann::ordered_json ToJson(const RegChange& change) {
    nlohmann::ordered_json out = {{"op", OpName(change.op)}, {"hive", HiveName(change.hive)},
                                  {"key", change.key},       {"name", nullptr},
                                  {"type", nullptr},         {"data", nullptr}};
    if (change.op == RegChange::Op::Set || change.op == RegChange::Op::DeleteValue)
        out["name"] = change.name;
    if (change.op != RegChange::Op::Set)
        return out;
    out["type"] = TypeName(change.type);
    if (IsText(change.type)) {
        out["data"] = TextOfData(change.data);
    } else if (change.type == REG_DWORD && change.data.size() == 4) {
        out["data"] = Dword(change.data);
    } else {
        out["data"] = HexBytes(change.data);
    }
    return out;
}

}  // namespace zelwiz
