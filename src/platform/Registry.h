#pragma once
// The registry service: the advapi32 calls the program uses, with their status codes.
// Handles are small integers; the predefined hives are the classic constants.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelwiz {

using HKEY = std::uint32_t;
using LONG = std::int32_t;
using DWORD = std::uint32_t;
using REGSAM = std::uint32_t;

inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;

// Win32 status codes.
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;
inline constexpr LONG ERROR_BADDB = 1009;
inline constexpr LONG ERROR_KEY_DELETED = 1018;

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

// Access rights.
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM DELETE_ACCESS = 0x00010000;  // DELETE
inline constexpr REGSAM READ_CONTROL = 0x00020000;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
// Rights that modify the hive; refused on a hive the user may not write.
inline constexpr REGSAM KEY_MODIFY_RIGHTS =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE_ACCESS | 0x000C0000;

inline constexpr DWORD kMaxKeyNameChars = 255;

class Registry {
  public:
    virtual ~Registry() = default;

    // RegOpenKeyEx: an empty subKey opens a new handle on `key` itself.
    virtual LONG OpenKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result) = 0;
    // RegCreateKeyEx with REG_OPTION_NON_VOLATILE: creates every missing level.
    virtual LONG CreateKey(HKEY key, std::string_view subKey, REGSAM sam, HKEY* result,
                           bool* created = nullptr) = 0;
    // RegQueryValueEx: with data == nullptr only *size is filled; ERROR_MORE_DATA when *size is
    // too small (then *size holds the size needed). An empty name is the default value.
    virtual LONG QueryValue(HKEY key, std::string_view name, DWORD* type, std::uint8_t* data,
                            DWORD* size) = 0;
    // RegSetValueEx. A REG_SZ or REG_EXPAND_SZ given without its terminating NUL is stored with
    // one, so that readers that drop the last byte read back exactly what was written.
    virtual LONG SetValue(HKEY key, std::string_view name, DWORD type, const std::uint8_t* data,
                          DWORD size) = 0;
    // RegEnumKeyEx: subkeys in a stable order (case-insensitive name order). `bufferChars` is the
    // caller's buffer size including the NUL; a longer name gives ERROR_MORE_DATA.
    virtual LONG EnumKey(HKEY key, DWORD index, std::string* name,
                         DWORD bufferChars = kMaxKeyNameChars + 1) = 0;
    // RegEnumValue: the value at `index`, with its type and data, in a stable order (the tree
    // stores: the order the values were first set); ERROR_NO_MORE_ITEMS past the last one.
    virtual LONG EnumValue(HKEY key, DWORD index, std::string* name, DWORD* type,
                           std::vector<std::uint8_t>* data) = 0;
    virtual LONG DeleteValue(HKEY key, std::string_view name) = 0;
    // RegDeleteKey: refused (ERROR_ACCESS_DENIED, as advapi32 answers) while the key has subkeys.
    // An empty subKey deletes the key that `key` designates, which needs DELETE access.
    virtual LONG DeleteKey(HKEY key, std::string_view subKey) = 0;
    virtual LONG CloseKey(HKEY key) = 0;
    // RegFlushKey: the changes made so far to the key's hive reach the disk in one durable commit.
    // A platform whose status codes are not the system's own records the system's reason for a
    // failure with SetLastDllError.
    virtual LONG FlushKey(HKEY key) = 0;

    // Where the hive is kept, to name it in messages (this build: its file); empty when the
    // platform does not tell.
    virtual std::string HiveLocation(HKEY /*hive*/) { return {}; }

    // Convenience for text values, on top of the calls above.
    LONG SetString(HKEY key, std::string_view name, std::string_view text, DWORD type = REG_SZ);
    LONG SetDword(HKEY key, std::string_view name, DWORD value);
};

// Closes the key it holds when it goes out of scope.
class RegKey {
  public:
    RegKey() = default;
    RegKey(Registry& reg, HKEY key) : reg_(&reg), key_(key) {}
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : reg_(other.reg_), key_(other.key_) { other.key_ = 0; }
    ~RegKey() { Close(); }
    void Close() {
        if (reg_ != nullptr && key_ != 0)
            reg_->CloseKey(key_);
        key_ = 0;
    }
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != 0; }

  private:
    Registry* reg_ = nullptr;
    HKEY key_ = 0;
};

bool IsPredefinedHive(HKEY key);
const char* HiveName(HKEY key);  // "HKEY_CURRENT_USER", ... or nullptr

}  // namespace zelwiz
