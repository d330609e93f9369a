#include "settings/mLibApi32.h"

#include <gtest/gtest.h>

#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
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

// A registry whose user hive cannot be committed while `full` is set, as on a full disk.
class FullDiskRegistry : public MemoryRegistry {
  public:
    bool full = true;
    std::string HiveLocation(HKEY hive) override {
        return hive == HKEY_CURRENT_USER ? "/home/agent7/.config/zelwiz/HKEY_CURRENT_USER.reg" : "";
    }

  protected:
    LONG CommitHive(HKEY hive) override {
        if (hive != HKEY_CURRENT_USER || !full)
            return ERROR_SUCCESS;
        SetLastDllError(28);
        return 1016;  // ERROR_REGISTRY_IO_FAILED
    }
};

TEST_F(mLibApi32Test, FailedCommitIsToldOnceWithTheFileAndTheSystemsReason) {
    FullDiskRegistry disk;
    Platform platform = CurrentPlatform();
    platform.registry = &disk;
    const Platform previous = InstallPlatform(platform);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(CommitRegistry());
    EXPECT_FALSE(CommitRegistry()) << "every commit point tries again";
    disk.full = false;
    EXPECT_TRUE(CommitRegistry());
    disk.full = true;
    EXPECT_FALSE(CommitRegistry()) << "a new failure after a success";
    const std::string printed = ::testing::internal::GetCapturedStderr();
    InstallPlatform(previous);

    const std::string message =
        "registry file /home/agent7/.config/zelwiz/HKEY_CURRENT_USER.reg could not be written; it "
        "keeps its previous content";
    const auto log = ScopedTestPlatform::ReadLog(p.DefaultLogPath());
    ASSERT_EQ(log.size(), 2u);
    ASSERT_EQ(log[0].size(), 5u);
    EXPECT_EQ(log[0][1], "Err: Parlova - mLibApi32.CommitRegistry");
    EXPECT_EQ(log[0][2], message);
    EXPECT_EQ(log[0][4], "No space left on device - 28 (0x1C)");
    EXPECT_EQ(std::vector(log[1].begin() + 1, log[1].end()),
              std::vector(log[0].begin() + 1, log[0].end()));
    EXPECT_EQ(printed, "zelwiz: " + message + ": No space left on device\nzelwiz: " + message +
                           ": No space left on device\n")
        << "no window is shown";
}

}  // namespace
}  // namespace zelwiz
