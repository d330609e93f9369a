#include "platform/HiveChange.h"

namespace zelwiz {
namespace {

RegNode* Walk(RegNode& root, const std::vector<std::string>& key, std::size_t levels) {
    RegNode* node = &root;
    for (std::size_t i = 0; i < levels && node != nullptr; ++i)
        node = node->Find(key[i]);
    return node;
}

RegNode& WalkOrAdd(RegNode& root, const std::vector<std::string>& key) {
    RegNode* node = &root;
    for (const auto& level : key)
        node = &node->FindOrAdd(level);
    return *node;
}

}  // namespace

LONG ApplyChange(RegNode& root, const HiveChange& change, bool* changedOut) {
    bool ignored = false;
    bool* changed = changedOut != nullptr ? changedOut : &ignored;
    *changed = false;
    switch (change.kind) {
        case HiveChange::Kind::CreateKey: {
            RegNode* node = Walk(root, change.key, change.existing);
            if (node == nullptr)
                return ERROR_KEY_DELETED;
            for (std::size_t i = change.existing; i < change.key.size(); ++i) {
                *changed = *changed || node->Find(change.key[i]) == nullptr;
                node = &node->FindOrAdd(change.key[i]);
            }
            return ERROR_SUCCESS;
        }
        case HiveChange::Kind::SetValue: {
            RegNode* node = Walk(root, change.key, change.key.size());
            if (node == nullptr)
                return ERROR_KEY_DELETED;
            const RegValueData* old = node->FindValue(change.value.name);
            *changed =
                old == nullptr || old->type != change.value.type || old->data != change.value.data;
            if (*changed)
                node->SetValue(change.value.name, change.value.type, change.value.data);
            return ERROR_SUCCESS;
        }
        case HiveChange::Kind::DeleteValue: {
            RegNode* node = Walk(root, change.key, change.key.size());
            if (node == nullptr)
                return ERROR_KEY_DELETED;
            *changed = node->RemoveValue(change.value.name);
            return *changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        }
        case HiveChange::Kind::DeleteKey: {
            if (change.key.empty())
                return ERROR_ACCESS_DENIED;  // a hive itself cannot be deleted
            RegNode* parent = Walk(root, change.key, change.key.size() - 1);
            RegNode* target = parent == nullptr ? nullptr : parent->Find(change.key.back());
            if (target == nullptr)
                return ERROR_FILE_NOT_FOUND;
            if (!target->subkeys.empty())
                return ERROR_ACCESS_DENIED;
            parent->subkeys.erase(parent->subkeys.find(change.key.back()));
            *changed = true;
            return ERROR_SUCCESS;
        }
    }
    return ERROR_INVALID_PARAMETER;
}

void ReapplyChange(RegNode& root, const HiveChange& change) {
    if (change.kind == HiveChange::Kind::CreateKey || change.kind == HiveChange::Kind::SetValue)
        WalkOrAdd(root, change.key);
    ApplyChange(root, change, nullptr);
}

}  // namespace zelwiz
