#pragma once
// The registry calls implemented on RegNode trees, one per hive. Handles remember the hive and
// the path of their key, so a store may replace a hive's tree (re-read from disk) at any time.
// A persistent store overrides the hooks that bracket every read and every change, and the one
// that makes a hive's changes durable.

#include <functional>
#include <map>
#include <set>

#include "platform/HiveChange.h"
#include "platform/Registry.h"
#include "platform/RegistryTree.h"

namespace zelwiz {

class TreeRegistry : public Registry {
  public:
    TreeRegistry();

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
    LONG FlushKey(HKEY key) override;

    size_t OpenHandleCount() const { return handles_.size(); }

  protected:
    using ReadFn = std::function<LONG(const RegNode& root)>;

    // Runs `fn` on the current tree of `hive`. A store re-reads its file here when it changed.
    virtual LONG ReadHive(HKEY hive, const ReadFn& fn);
    // Makes `change` on the tree (see ApplyChange); a store records it here for its commit.
    // `changed` may be null.
    virtual LONG WriteHive(HKEY hive, const HiveChange& change, bool* changed);
    // Whether the current user may change the hive at all.
    virtual bool HiveWritable(HKEY hive);
    // Makes the hive's changes durable; a store without a disk has nothing to do.
    virtual LONG CommitHive(HKEY /*hive*/) { return ERROR_SUCCESS; }

    RegNode& Root(HKEY hive) { return roots_[hive]; }
    // Every hive holds its "Software" key, as a Windows hive does from its installation on, so
    // that a hive file not written yet already answers the administrator's test.
    static void AddStandardKeys(RegNode& root) { root.FindOrAdd("Software"); }

  private:
    struct Handle {
        HKEY hive;
        std::vector<std::string> path;
        REGSAM sam;
    };
    LONG Resolve(HKEY key, REGSAM needed, Handle* out) const;
    HKEY NewHandle(Handle h);

    std::map<HKEY, RegNode> roots_;
    std::map<HKEY, Handle> handles_;
    HKEY nextHandle_ = 0x100;
};

// The registry of the tests: both hives in memory; either can be made read-only, as HKLM is for a
// user who is not an administrator.
class MemoryRegistry : public TreeRegistry {
  public:
    void SetHiveWritable(HKEY hive, bool writable);
    const RegNode& Hive(HKEY hive) { return Root(hive); }

  protected:
    bool HiveWritable(HKEY hive) override;

  private:
    std::set<HKEY> readOnly_;
};

}  // namespace zelwiz
