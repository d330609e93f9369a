#include "platform/OverlayRegistry.h"

#include "platform/TreeRegistry.h"

namespace zelwiz {

// The layer's own tree store; a hive may be changed exactly when the registry below lets the
// user change it.
class OverlayRegistry::Layer : public TreeRegistry {
  public:
    explicit Layer(OverlayRegistry& owner) : owner_(owner) {
        Root(HKEY_CURRENT_USER) = RegNode{};  // copied up from below, "Software" included
        Root(HKEY_LOCAL_MACHINE) = RegNode{};
    }
    RegNode& Hive(HKEY hive) { return Root(hive); }

  protected:
    bool HiveWritable(HKEY hive) override { return owner_.BelowWritable(hive); }

  private:
    OverlayRegistry& owner_;
};

namespace {

std::string Joined(const std::vector<std::string>& path) {
    std::string text;
    for (const auto& level : path)
        text += (text.empty() ? "" : "\\") + level;
    return text;
}

}  // namespace

OverlayRegistry::OverlayRegistry(Registry& below)
    : below_(below), layer_(std::make_unique<Layer>(*this)) {}

OverlayRegistry::~OverlayRegistry() = default;

const RegNode& OverlayRegistry::After(HKEY hive) {
    return layer_->Hive(hive);
}

bool OverlayRegistry::Locate(HKEY key, std::string_view subKey, Place* place) const {
    if (IsPredefinedHive(key)) {
        *place = Place{key, {}};
    } else {
        auto it = handles_.find(key);
        if (it == handles_.end())
            return false;
        *place = it->second;
    }
    std::vector<std::string> levels;
    if (!SplitKeyPath(subKey, &levels))
        return false;
    place->path.insert(place->path.end(), levels.begin(), levels.end());
    return true;
}

void OverlayRegistry::Reach(HKEY key, std::string_view subKey) {
    Place place;
    if (Locate(key, subKey, &place))
        Reach(place);
}

void OverlayRegistry::Reach(const Place& place) {
    RegNode* now = &layer_->Hive(place.hive);
    RegNode* before = &before_[place.hive];
    std::vector<std::string> path;
    CopyUp(place.hive, path, *now, *before);
    for (const auto& level : place.path) {
        now = now->Find(level);
        if (now == nullptr)
            return;
        before = before->Find(level);
        if (before == nullptr)
            return;  // the layer made this key: there is nothing of it below
        path.push_back(now->name);
        CopyUp(place.hive, path, *now, *before);
    }
}

void OverlayRegistry::StartEmpty(HKEY hive) {
    empty_.insert(hive);
    layer_->Hive(hive).FindOrAdd("Software");
    before_[hive].FindOrAdd("Software");
}

void OverlayRegistry::CopyUp(HKEY hive, const std::vector<std::string>& path, RegNode& now,
                             RegNode& before) {
    if (empty_.count(hive) != 0 || !copied_[hive].insert(Joined(path)).second)
        return;
    HKEY key = 0;
    if (below_.OpenKey(hive, Joined(path), KEY_READ, &key) != ERROR_SUCCESS)
        return;
    RegKey closer(below_, key);
    std::string name;
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
    for (DWORD i = 0; below_.EnumValue(key, i, &name, &type, &data) == ERROR_SUCCESS; ++i) {
        now.SetValue(name, type, data);
        before.SetValue(name, type, data);
    }
    for (DWORD i = 0; below_.EnumKey(key, i, &name) == ERROR_SUCCESS; ++i) {
        now.FindOrAdd(name);
        before.FindOrAdd(name);
    }
}

bool OverlayRegistry::BelowWritable(HKEY hive) {
    auto it = writable_.find(hive);
    if (it != writable_.end())
        return it->second;
    HKEY key = 0;
    const bool writable = below_.OpenKey(hive, "", KEY_SET_VALUE, &key) == ERROR_SUCCESS;
    if (writable)
        below_.CloseKey(key);
    writable_[hive] = writable;
    return writable;
}

template <class OpenFn>
LONG OverlayRegistry::OpenReached(HKEY key, std::string_view subKey, HKEY* result, OpenFn open) {
    Place place;
    const bool located = Locate(key, subKey, &place);
    if (located)
        Reach(place);
    const LONG status = open();
    if (status == ERROR_SUCCESS && located)
        handles_[*result] = std::move(place);
    return status;
}

LONG OverlayRegistry::OpenKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result) {
    return OpenReached(key, subKey, result,
                       [&] { return layer_->OpenKey(key, subKey, sam, result); });
}

LONG OverlayRegistry::CreateKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result,
                                bool* created) {
    return OpenReached(key, subKey, result,
                       [&] { return layer_->CreateKey(key, subKey, sam, result, created); });
}

LONG OverlayRegistry::QueryValue(HKEY key, std::string_view name, DWORD* type, std::uint8_t* data,
                                 DWORD* size) {
    Reach(key);
    return layer_->QueryValue(key, name, type, data, size);
}

LONG OverlayRegistry::SetValue(HKEY key, std::string_view name, DWORD type,
                               const std::uint8_t* data, DWORD size) {
    Reach(key);
    return layer_->SetValue(key, name, type, data, size);
}

LONG OverlayRegistry::EnumKey(HKEY key, DWORD index, std::string* name, DWORD bufferChars) {
    Reach(key);
    return layer_->EnumKey(key, index, name, bufferChars);
}

LONG OverlayRegistry::EnumValue(HKEY key, DWORD index, std::string* name, DWORD* type,
                                std::vector<std::uint8_t>* data) {
    Reach(key);
    return layer_->EnumValue(key, index, name, type, data);
}

LONG OverlayRegistry::DeleteValue(HKEY key, std::string_view name) {
    Reach(key);
    return layer_->DeleteValue(key, name);
}

LONG OverlayRegistry::DeleteKey(HKEY key, std::string_view subKey) {
    Reach(key, subKey);
    return layer_->DeleteKey(key, subKey);
}

LONG OverlayRegistry::CloseKey(HKEY key) {
    handles_.erase(key);
    return layer_->CloseKey(key);
}

LONG OverlayRegistry::FlushKey(HKEY key) {
    return layer_->FlushKey(key);
}

}  // namespace zelwiz
