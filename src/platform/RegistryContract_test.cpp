// One contract for every registry implementation: the status codes callers rely on.
#include "support/RegistryContract.h"

#include <map>

#include "platform/OverlayRegistry.h"
#include "platform/TreeRegistry.h"

namespace zelwiz {
namespace {

std::unique_ptr<Registry> MakeMemory(bool readOnlyMachine) {
    auto reg = std::make_unique<MemoryRegistry>();
    reg->SetHiveWritable(HKEY_LOCAL_MACHINE, !readOnlyMachine);
    return reg;
}

// The copy-on-write layer over an empty store: every answer comes from the layer.
struct Below {
    MemoryRegistry memory;
};
struct OverlayOnMemory : Below, OverlayRegistry {
    explicit OverlayOnMemory(bool readOnlyMachine) : OverlayRegistry(memory) {
        memory.SetHiveWritable(HKEY_LOCAL_MACHINE, !readOnlyMachine);
    }
};

std::unique_ptr<Registry> MakeOverlay(bool readOnlyMachine) {
    return std::make_unique<OverlayOnMemory>(readOnlyMachine);
}

TEST_P(RegistryContract, OpenMissingCreateThenOpenAndCloseEveryHandle) {
    HKEY key = 0;
    EXPECT_EQ(reg->OpenKey(HKEY_CURRENT_USER, "Software\\Korvane", KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    bool created = false;
    ASSERT_EQ(reg->CreateKey(HKEY_CURRENT_USER, "Software\\Korvane\\7316", KEY_ALL_ACCESS, &key,
                             &created),
              ERROR_SUCCESS);
    EXPECT_TRUE(created);
    EXPECT_EQ(reg->CloseKey(key), ERROR_SUCCESS);
    ASSERT_EQ(reg->CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\korvane\\7316", KEY_ALL_ACCESS, &key,
                             &created),
              ERROR_SUCCESS);
    EXPECT_FALSE(created) << "key names are case-insensitive";
    EXPECT_EQ(reg->CloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(reg->CloseKey(key), ERROR_INVALID_HANDLE) << "a closed handle is gone";
    EXPECT_EQ(reg->OpenKey(0x12345, "x", KEY_READ, &key), ERROR_INVALID_HANDLE);
}

TEST_P(RegistryContract, ValuesReadBackWithTheirBytesAndTypeSizeFirst) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Korvane\\7316\\Install");
    ASSERT_EQ(reg->SetString(key, "IsWizConfigured", "-1"), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    ASSERT_EQ(reg->QueryValue(key, "IsWizConfigured", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 3u) << "two characters and the NUL the store keeps";
    std::uint8_t small[2];
    DWORD smallSize = 2;
    EXPECT_EQ(reg->QueryValue(key, "IsWizConfigured", &type, small, &smallSize), ERROR_MORE_DATA);
    EXPECT_EQ(smallSize, 3u);
    EXPECT_EQ(ReadBytes(key, "isWIZconfigured"), std::string("-1\0", 3))
        << "value names are case-insensitive";
    EXPECT_EQ(reg->QueryValue(key, "Missing", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);

    // Texts without their NUL read back unchanged by readers that drop the last byte. Any
    // language's text, names included: accents, CJK, and characters beyond the BMP.
    for (std::string text : {"KORVANE - 2000", "", "ümlaut \"quoted\" back\\slash", "電話 番号",
                             "\U0001F4DE \U0001D11E"}) {
        for (const char* name : {"Preferred Line", "Ligne préférée 線 \U0001F4DE"}) {
            ASSERT_EQ(reg->SetString(key, name, text), ERROR_SUCCESS);
            EXPECT_EQ(ReadBytes(key, name), text + '\0') << name;
        }
    }
    // A writer that passes the NUL itself gets no second one; other types keep their bytes.
    ASSERT_EQ(reg->SetDword(key, "CurrentID", 0x01020304), ERROR_SUCCESS);
    EXPECT_EQ(ReadBytes(key, "CurrentID", &type), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(type, REG_DWORD);
    for (const auto& [kind, bytes] : {std::pair{REG_EXPAND_SZ, std::string("ab\0", 3)},
                                      std::pair{REG_BINARY, std::string("\0\xff\x10", 3)}}) {
        ASSERT_EQ(
            reg->SetValue(key, "", kind, reinterpret_cast<const std::uint8_t*>(bytes.data()), 3),
            ERROR_SUCCESS);
        EXPECT_EQ(ReadBytes(key, "", &type), bytes);
        EXPECT_EQ(type, kind);
    }
    reg->CloseKey(key);
}

TEST_P(RegistryContract, EnumerationIsStableAndCaseInsensitivelyOrdered) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs");
    for (const char* sub : {"3000", "RTYUE", "1000", "abc", "2000"})
        reg->CloseKey(Create(key, sub));
    std::vector<std::string> names;
    std::string name;
    for (DWORD i = 0; reg->EnumKey(key, i, &name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"1000", "2000", "3000", "abc", "RTYUE"}));
    EXPECT_EQ(reg->EnumKey(key, 5, &name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(reg->EnumKey(key, 0, &name, 4), ERROR_MORE_DATA)
        << "1000 needs five characters with its NUL";

    // Values with their types and data; a later set of the same name takes its place.
    ASSERT_EQ(reg->SetString(key, "b", "2"), ERROR_SUCCESS);
    ASSERT_EQ(reg->SetDword(key, "a", 1), ERROR_SUCCESS);
    ASSERT_EQ(reg->SetString(key, "B", "3"), ERROR_SUCCESS);
    std::map<std::string, std::string> values;
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
    for (DWORD i = 0; reg->EnumValue(key, i, &name, &type, &data) == ERROR_SUCCESS; ++i)
        values[name] = std::to_string(type) + ":" + std::string(data.begin(), data.end());
    EXPECT_EQ(values, (std::map<std::string, std::string>{{"a", "4:" + std::string("\1\0\0\0", 4)},
                                                          {"b", "1:" + std::string("3\0", 2)}}));
    reg->CloseKey(key);
}

TEST_P(RegistryContract, DeleteValueAndDeleteKeyRefusedWhileItHasSubkeys) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\1000");
    ASSERT_EQ(reg->SetString(key, "IPKey", "1"), ERROR_SUCCESS);
    EXPECT_EQ(reg->DeleteValue(key, "IPKey"), ERROR_SUCCESS);
    EXPECT_EQ(reg->DeleteValue(key, "IPKey"), ERROR_FILE_NOT_FOUND);
    reg->CloseKey(key);

    EXPECT_EQ(reg->DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA"),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(
        reg->DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\1000"),
        ERROR_SUCCESS);
    EXPECT_EQ(
        reg->DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\1000"),
        ERROR_FILE_NOT_FOUND);

    // Deleting through a handle opened with DELETE on the key itself.
    reg->CloseKey(Create(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\2000"));
    HKEY victim = 0;
    ASSERT_EQ(reg->OpenKey(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\2000",
                           KEY_READ, &victim),
              ERROR_SUCCESS);
    if (!GetParam().deletesWithoutDeleteRight) {
        EXPECT_EQ(reg->DeleteKey(victim, ""), ERROR_ACCESS_DENIED) << "opened without DELETE";
    }
    reg->CloseKey(victim);
    ASSERT_EQ(reg->OpenKey(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\2000",
                           DELETE_ACCESS, &victim),
              ERROR_SUCCESS);
    EXPECT_EQ(reg->DeleteKey(victim, ""), ERROR_SUCCESS);
    std::string name;
    EXPECT_EQ(reg->EnumKey(victim, 0, &name), ERROR_ACCESS_DENIED)
        << "no enumerate right on that handle";
    reg->CloseKey(victim);
}

TEST_P(RegistryContract, HandleRightsAndHivesTheUserMayNotWriteAreChecked) {
    reg->CloseKey(Create(HKEY_CURRENT_USER, "Software\\Korvane"));
    HKEY key = 0;
    ASSERT_EQ(reg->OpenKey(HKEY_CURRENT_USER, "Software\\Korvane", KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(reg->SetString(key, "x", "y"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->DeleteValue(key, "x"), ERROR_ACCESS_DENIED);
    reg->CloseKey(key);
    ASSERT_EQ(reg->OpenKey(HKEY_CURRENT_USER, "Software\\Korvane", KEY_WRITE, &key), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(reg->QueryValue(key, "x", nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->SetString(key, "x", "y"), ERROR_SUCCESS);
    reg->CloseKey(key);

    // A machine hive that the user may not write is read-only.
    auto user = GetParam().make(true);
    if (user == nullptr)
        return;
    EXPECT_EQ(user->CreateKey(HKEY_LOCAL_MACHINE, "Software", KEY_ALL_ACCESS, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(user->CreateKey(HKEY_LOCAL_MACHINE, "Software\\New", KEY_READ, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(user->CreateKey(HKEY_CURRENT_USER, "Software\\Korvane", KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    user->CloseKey(key);
}

TEST_P(RegistryContract, FlushedChangesReachWhatOthersRead) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install");
    ASSERT_EQ(reg->SetString(key, "IsWizConfigured", "-1"), ERROR_SUCCESS);
    EXPECT_EQ(ReadBytes(key, "IsWizConfigured"), std::string("-1\0", 3)) << "before the flush";
    EXPECT_EQ(reg->FlushKey(key), ERROR_SUCCESS);
    EXPECT_EQ(reg->FlushKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS) << "nothing to flush";
    reg->CloseKey(key);
    EXPECT_EQ(reg->FlushKey(key), ERROR_INVALID_HANDLE);
    if (!GetParam().shared)
        return;
    // Another process's view of the same store, while the first one still runs.
    std::unique_ptr<Registry> first = std::move(reg);
    reg = GetParam().make(false);
    ASSERT_EQ(reg->OpenKey(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadBytes(key, "IsWizConfigured"), std::string("-1\0", 3));
    reg->CloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(Stores, RegistryContract,
                         ::testing::Values(RegistryFactory{"Memory", MakeMemory, false},
                                           RegistryFactory{"Overlay", MakeOverlay, false}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace zelwiz
