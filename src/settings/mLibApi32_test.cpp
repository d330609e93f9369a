#include "settings/mLibApi32.h"

#include <gtest/gtest.h>

#include "support/ScopedTestPlatform.h"

namespace zelwiz {
namespace {

const std::string kKey = "Software\\Korvane\\7316\\Install";

class mLibApi32Test : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_EQ(p.registry.OpenHandleCount(), 0u); }
    void Store(const std::string& name, DWORD type, const std::string& bytes) {
        HKEY key = 0;
        p.registry.CreateKey(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS, &key);
        p.registry.SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                            static_cast<DWORD>(bytes.size()));
        p.registry.CloseKey(key);
    }
    ScopedTestPlatform p;
};

TEST_F(mLibApi32Test, ReadsTextsWithoutTerminatorAndDwordsAsSignedDecimal) {
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"sz", REG_SZ, std::string("Korvane Parlova\0", 16), "Korvane Parlova"},
        {"sz without terminator", REG_SZ, "yes", "yes"},
        {"expand", REG_EXPAND_SZ, std::string("%APPDATA%\\x\0", 12), "%APPDATA%\\x"},
        {"dword", REG_DWORD, std::string("\x78\x56\x34\x12", 4), "305419896"},
        {"negative dword", REG_DWORD, std::string("\xFE\xFF\xFF\xFF", 4), "-2"},
        {"binary", REG_BINARY, "abc", ""},
        {"multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5), ""},
        {"longest", REG_SZ, std::string(1023, 'x'), std::string(1023, 'x')},
        {"too long", REG_SZ, std::string(1024, 'x'), ""},
    };
    for (const auto& c : cases) {
        Store(c.name, c.type, c.bytes);
        EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, kKey, c.name), c.expected) << c.name;
    }
    EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, kKey, "missing"), "");
    EXPECT_EQ(RegReadValue(HKEY_CURRENT_USER, kKey, "sz"), "") << "missing key";
}

TEST_F(mLibApi32Test, WritingAnEmptyValueStoresOneBlankAndTellsTheCaller) {
    const std::string settings = "Software\\Korvane\\7316\\ZELPhone\\Settings";
    std::string value;
    ASSERT_TRUE(RegWriteValue(HKEY_CURRENT_USER, settings, "lang", value));
    EXPECT_EQ(value, " ");
    EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, settings, "lang"), std::string(" ", 2));
    std::string four = "4";
    ASSERT_TRUE(RegWriteValue(HKEY_CURRENT_USER, settings, "lang", four));
    EXPECT_EQ(RegReadValue(HKEY_CURRENT_USER, settings, "lang"), "4");

    p.registry.SetHiveWritable(HKEY_LOCAL_MACHINE, false);
    std::string empty;
    EXPECT_FALSE(RegWriteValue(HKEY_LOCAL_MACHINE, kKey, "lang", empty));
    EXPECT_EQ(empty, "") << "nothing changes when the key cannot be created";
}

}  // namespace
}  // namespace zelwiz
