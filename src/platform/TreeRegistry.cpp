#include "platform/TreeRegistry.h"

#include <algorithm>
#include <cstring>

namespace zelwiz {
namespace {

bool IsString(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

const RegNode* Walk(const RegNode& root, const std::vector<std::string>& path) {
    const RegNode* node = &root;
    for (const auto& level : path) {
        node = node->Find(level);
        if (node == nullptr)
            return nullptr;
    }
    return node;
}

std::vector<std::string> Join(const std::vector<std::string>& base,
                              const std::vector<std::string>& rest) {
    std::vector<std::string> all = base;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
}

}  // namespace

bool IsPredefinedHive(HKEY key) {
    return key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE;
}

const char* HiveName(HKEY key) {
    switch (key) {
        case HKEY_CURRENT_USER:
            return "HKEY_CURRENT_USER";
        case HKEY_LOCAL_MACHINE:
            return "HKEY_LOCAL_MACHINE";
        default:
            return nullptr;
    }
}

LONG Registry::SetString(HKEY key, std::string_view name, std::string_view text, DWORD type) {
    return SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(text.data()),
                    static_cast<DWORD>(text.size()));
}

LONG Registry::SetDword(HKEY key, std::string_view name, DWORD value) {
    std::uint8_t bytes[4];
    std::memcpy(bytes, &value, 4);  // little-endian, as REG_DWORD is
    return SetValue(key, name, REG_DWORD, bytes, 4);
}

TreeRegistry::TreeRegistry() {
    AddStandardKeys(roots_[HKEY_CURRENT_USER]);
    AddStandardKeys(roots_[HKEY_LOCAL_MACHINE]);
}

LONG TreeRegistry::ReadHive(HKEY hive, const ReadFn& fn) {
    return fn(Root(hive));
}
LONG TreeRegistry::WriteHive(HKEY hive, const HiveChange& change, bool* changed) {
    return ApplyChange(Root(hive), change, changed);
}
bool TreeRegistry::HiveWritable(HKEY) {
    return true;
}

LONG TreeRegistry::Resolve(HKEY key, REGSAM needed, Handle* out) const {
    if (IsPredefinedHive(key)) {
        *out = Handle{key, {}, KEY_ALL_ACCESS};
    } else {
        auto it = handles_.find(key);
        if (it == handles_.end())
            return ERROR_INVALID_HANDLE;
        *out = it->second;
    }
    if ((out->sam & needed) != needed)
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

HKEY TreeRegistry::NewHandle(Handle h) {
    while (handles_.count(nextHandle_) != 0 || nextHandle_ == 0)
        ++nextHandle_;
    HKEY id = nextHandle_++;
    handles_.emplace(id, std::move(h));
    return id;
}

LONG TreeRegistry::OpenKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result) {
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = 0;
    Handle parent;
    if (LONG rc = Resolve(key, 0, &parent); rc != ERROR_SUCCESS)
        return rc;
    std::vector<std::string> levels;
    if (!SplitKeyPath(subKey, &levels))
        return ERROR_FILE_NOT_FOUND;
    std::vector<std::string> path = Join(parent.path, levels);
    if ((sam & KEY_MODIFY_RIGHTS) != 0 && !HiveWritable(parent.hive))
        return ERROR_ACCESS_DENIED;
    LONG rc = ReadHive(parent.hive, [&](const RegNode& root) {
        if (Walk(root, parent.path) == nullptr)
            return ERROR_KEY_DELETED;
        return Walk(root, path) == nullptr ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
    });
    if (rc != ERROR_SUCCESS)
        return rc;
    *result = NewHandle(Handle{parent.hive, std::move(path), sam});
    return ERROR_SUCCESS;
}

LONG TreeRegistry::CreateKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result,
                             bool* created) {
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = 0;
    if (created != nullptr)
        *created = false;
    Handle parent;
    if (LONG rc = Resolve(key, 0, &parent); rc != ERROR_SUCCESS)
        return rc;
    std::vector<std::string> levels;
    if (!SplitKeyPath(subKey, &levels))
        return ERROR_INVALID_PARAMETER;
    std::vector<std::string> path = Join(parent.path, levels);

    bool exists = false;
    LONG rc = ReadHive(parent.hive, [&](const RegNode& root) {
        if (Walk(root, parent.path) == nullptr)
            return ERROR_KEY_DELETED;
        exists = Walk(root, path) != nullptr;
        return ERROR_SUCCESS;
    });
    if (rc != ERROR_SUCCESS)
        return rc;
    if (!exists || (sam & KEY_MODIFY_RIGHTS) != 0) {
        if (!HiveWritable(parent.hive))
            return ERROR_ACCESS_DENIED;
    }
    if (!exists) {
        if ((parent.sam & KEY_CREATE_SUB_KEY) == 0)
            return ERROR_ACCESS_DENIED;
        bool made = false;
        rc =
            WriteHive(parent.hive,
                      HiveChange{HiveChange::Kind::CreateKey, path, parent.path.size(), {}}, &made);
        if (rc != ERROR_SUCCESS)
            return rc;
        if (created != nullptr)
            *created = made;
    }
    *result = NewHandle(Handle{parent.hive, std::move(path), sam});
    return ERROR_SUCCESS;
}

LONG TreeRegistry::QueryValue(HKEY key, std::string_view name, DWORD* type, std::uint8_t* data,
                              DWORD* size) {
    Handle h;
    if (LONG rc = Resolve(key, KEY_QUERY_VALUE, &h); rc != ERROR_SUCCESS)
        return rc;
    if (data != nullptr && size == nullptr)
        return ERROR_INVALID_PARAMETER;
    return ReadHive(h.hive, [&](const RegNode& root) {
        const RegNode* node = Walk(root, h.path);
        if (node == nullptr)
            return ERROR_KEY_DELETED;
        const RegValueData* v = node->FindValue(name);
        if (v == nullptr)
            return ERROR_FILE_NOT_FOUND;
        if (type != nullptr)
            *type = v->type;
        auto needed = static_cast<DWORD>(v->data.size());
        if (size == nullptr)
            return ERROR_SUCCESS;
        if (data == nullptr) {
            *size = needed;
            return ERROR_SUCCESS;
        }
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        std::copy(v->data.begin(), v->data.end(), data);
        *size = needed;
        return ERROR_SUCCESS;
    });
}

LONG TreeRegistry::SetValue(HKEY key, std::string_view name, DWORD type, const std::uint8_t* data,
                            DWORD size) {
    Handle h;
    if (LONG rc = Resolve(key, KEY_SET_VALUE, &h); rc != ERROR_SUCCESS)
        return rc;
    if (data == nullptr && size != 0)
        return ERROR_INVALID_PARAMETER;
    if (!HiveWritable(h.hive))
        return ERROR_ACCESS_DENIED;
    std::vector<std::uint8_t> bytes(data, data + size);
    if (IsString(type) && (bytes.empty() || bytes.back() != 0))
        bytes.push_back(0);
    return WriteHive(h.hive,
                     HiveChange{HiveChange::Kind::SetValue, h.path, 0,
                                RegValueData{std::string(name), type, std::move(bytes)}},
                     nullptr);
}

LONG TreeRegistry::EnumKey(HKEY key, DWORD index, std::string* name, DWORD bufferChars) {
    Handle h;
    if (LONG rc = Resolve(key, KEY_ENUMERATE_SUB_KEYS, &h); rc != ERROR_SUCCESS)
        return rc;
    if (name == nullptr)
        return ERROR_INVALID_PARAMETER;
    return ReadHive(h.hive, [&](const RegNode& root) {
        const RegNode* node = Walk(root, h.path);
        if (node == nullptr)
            return ERROR_KEY_DELETED;
        if (index >= node->subkeys.size())
            return ERROR_NO_MORE_ITEMS;
        auto it = std::next(node->subkeys.begin(), index);
        if (it->second->name.size() + 1 > bufferChars)
            return ERROR_MORE_DATA;
        *name = it->second->name;
        return ERROR_SUCCESS;
    });
}

LONG TreeRegistry::EnumValue(HKEY key, DWORD index, std::string* name, DWORD* type,
                             std::vector<std::uint8_t>* data) {
    Handle h;
    if (LONG rc = Resolve(key, KEY_QUERY_VALUE, &h); rc != ERROR_SUCCESS)
        return rc;
    if (name == nullptr)
        return ERROR_INVALID_PARAMETER;
    return ReadHive(h.hive, [&](const RegNode& root) {
        const RegNode* node = Walk(root, h.path);
        if (node == nullptr)
            return ERROR_KEY_DELETED;
        if (index >= node->values.size())
            return ERROR_NO_MORE_ITEMS;
        const RegValueData& v = node->values[index];
        *name = v.name;
        if (type != nullptr)
            *type = v.type;
        if (data != nullptr)
            *data = v.data;
        return ERROR_SUCCESS;
    });
}

LONG TreeRegistry::DeleteValue(HKEY key, std::string_view name) {
    Handle h;
    if (LONG rc = Resolve(key, KEY_SET_VALUE, &h); rc != ERROR_SUCCESS)
        return rc;
    if (!HiveWritable(h.hive))
        return ERROR_ACCESS_DENIED;
    return WriteHive(h.hive,
                     HiveChange{HiveChange::Kind::DeleteValue, h.path, 0,
                                RegValueData{std::string(name), REG_NONE, {}}},
                     nullptr);
}

LONG TreeRegistry::DeleteKey(HKEY key, std::string_view subKey) {
    Handle h;
    if (LONG rc = Resolve(key, subKey.empty() ? DELETE_ACCESS : 0, &h); rc != ERROR_SUCCESS)
        return rc;
    std::vector<std::string> levels;
    if (!SplitKeyPath(subKey, &levels))
        return ERROR_FILE_NOT_FOUND;
    std::vector<std::string> path = Join(h.path, levels);
    if (path.empty())
        return ERROR_ACCESS_DENIED;  // a hive itself cannot be deleted
    if (!HiveWritable(h.hive))
        return ERROR_ACCESS_DENIED;
    return WriteHive(h.hive, HiveChange{HiveChange::Kind::DeleteKey, std::move(path), 0, {}},
                     nullptr);
}

LONG TreeRegistry::FlushKey(HKEY key) {
    Handle h;
    if (LONG status = Resolve(key, 0, &h); status != ERROR_SUCCESS)
        return status;
    return CommitHive(h.hive);
}

LONG TreeRegistry::CloseKey(HKEY key) {
    if (IsPredefinedHive(key))
        return ERROR_SUCCESS;
    return handles_.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void MemoryRegistry::SetHiveWritable(HKEY hive, bool writable) {
    if (writable) {
        readOnly_.erase(hive);
    } else {
        readOnly_.insert(hive);
    }
}

bool MemoryRegistry::HiveWritable(HKEY hive) {
    return readOnly_.count(hive) == 0;
}

}  // namespace zelwiz
