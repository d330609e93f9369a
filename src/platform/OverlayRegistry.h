#pragma once
// A copy-on-write layer over another registry: reads fall through to the registry below, changes
// stay in the layer and never reach it. A key is copied up the first time a call reaches it (its
// values and the names of its subkeys), so the layer costs only what is touched, even over a
// whole Windows registry. The layer answers every call as a store would (status codes, rights,
// a hive the user may not write), so a program run over it behaves as it would for real.
//
// What the registry below held for the keys reached is kept beside what the layer holds now:
// Before() and After() are two trees of the same shape wherever nothing changed.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryTree.h"

namespace zelwiz {

class OverlayRegistry : public Registry {
  public:
    explicit OverlayRegistry(Registry& below);
    ~OverlayRegistry() override;
    OverlayRegistry(const OverlayRegistry&) = delete;
    OverlayRegistry& operator=(const OverlayRegistry&) = delete;

    LONG OpenKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result) override;
    LONG CreateKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result,
                   bool* created = nullptr) override;
    LONG QueryValue(HKEY key, std::string_view name, DWORD* type, std::uint8_t* data,
                    DWORD* size) override;
    LONG SetValue(HKEY key, std::string_view name, DWORD type, const std::uint8_t* data,
                  DWORD size) override;
    LONG EnumKey(HKEY key, DWORD index, std::string* name, DWORD bufferChars) override;
    LONG EnumValue(HKEY key, DWORD index, std::string* name, DWORD* type,
                   std::vector<std::uint8_t>* data) override;
    LONG DeleteValue(HKEY key, std::string_view name) override;
    LONG DeleteKey(HKEY key, std::string_view subKey) override;
    LONG CloseKey(HKEY key) override;
    // Nothing reaches the registry below: the changes stay in the layer.
    LONG FlushKey(HKEY key) override;

    // Nothing of `hive` comes from below: the layer starts it as a new user's hive starts, with
    // its "Software" key only. Called before the first call that reaches the hive.
    void StartEmpty(HKEY hive);

    // The keys of `hive` reached so far, as the registry below held them and as they are now.
    const RegNode& Before(HKEY hive) { return before_[hive]; }
    const RegNode& After(HKEY hive);

  private:
    class Layer;
    struct Place {
        HKEY hive = 0;
        std::vector<std::string> path;
    };

    // Where `key`\`subKey` is; false for a handle the layer does not know or a malformed path
    // (the layer then answers the call's error itself).
    bool Locate(HKEY key, std::string_view subKey, Place* place) const;
    // Copies up every level of the path not copied yet, from the root down.
    void Reach(const Place& place);
    void Reach(HKEY key, std::string_view subKey = {});
    // Reaches `key`\`subKey`, makes the layer's `open` call, and keeps where its handle stands.
    template <class OpenFn>
    LONG OpenReached(HKEY key, std::string_view subKey, HKEY* result, OpenFn open);
    void CopyUp(HKEY hive, const std::vector<std::string>& path, RegNode& now, RegNode& before);
    bool BelowWritable(HKEY hive);

    Registry& below_;
    std::unique_ptr<Layer> layer_;
    std::map<HKEY, Place> handles_;
    std::map<HKEY, RegNode> before_;
    std::map<HKEY, std::set<std::string, NameLess>> copied_;  // the paths of the keys copied up
    std::map<HKEY, bool> writable_;
    std::set<HKEY> empty_;
};

}  // namespace zelwiz
