#include "telephony/ProviderRegistry.h"

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/TreeRegistry.h"

namespace zelwiz {
namespace {

constexpr const char* kEdns = "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs";

class ProviderRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = InstallPlatform(Platform{&reg, nullptr, nullptr, nullptr});
    }
    void TearDown() override {
        EXPECT_EQ(reg.OpenHandleCount(), 0u) << "every key opened was closed";
        InstallPlatform(previous_);
    }
    void Key(HKEY hive, const std::string& path) {
        HKEY k = 0;
        ASSERT_EQ(reg.CreateKey(hive, path, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
        reg.CloseKey(k);
    }
    // The stored bytes of a value, or "<missing>".
    std::string Stored(HKEY hive, const std::string& path, const std::string& name) {
        HKEY k = 0;
        if (reg.OpenKey(hive, path, KEY_READ, &k) != ERROR_SUCCESS)
            return "<missing>";
        DWORD size = 0;
        std::string data = "<missing>";
        if (reg.QueryValue(k, name, nullptr, nullptr, &size) == ERROR_SUCCESS) {
            data.assign(size, '\0');
            reg.QueryValue(k, name, nullptr, reinterpret_cast<std::uint8_t*>(data.data()), &size);
        }
        reg.CloseKey(k);
        return data;
    }

    MemoryRegistry reg;

  private:
    Platform previous_;
};

TEST_F(ProviderRegistryTest, SubKeyListsLeaveOutThePlaceholderAndTheExcludedNumbers) {
    for (const char* n : {"3000", "1000", "RTYUE", "2000", "abc"})
        Key(HKEY_CURRENT_USER, std::string(kEdns) + "\\" + n);

    struct Case {
        const char* what;
        std::string exclude1, exclude2;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"no exclusion", "", "", {"1000", "2000", "3000", "abc"}},
        {"both excluded", "1000", "3000", {"2000", "abc"}},
        {"a blank first exclusion turns both off", " ", "3000", {"1000", "2000", "3000", "abc"}},
        {"names compare exactly", "ABC", "", {"1000", "2000", "3000", "abc"}},
        {"an excluded name needs no second", "2000", "", {"1000", "3000", "abc"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> list{"kept"};
        EXPECT_TRUE(GetSubKeys(HKEY_CURRENT_USER, kEdns, list, c.exclude1, c.exclude2)) << c.what;
        std::vector<std::string> expected{"kept"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(list, expected) << c.what << ": names are appended in enumeration order";
    }

    std::vector<std::string> all;
    EXPECT_TRUE(GetAllSubKeys(HKEY_CURRENT_USER, kEdns, all, "2000"));
    EXPECT_EQ(all, (std::vector<std::string>{"1000", "3000", "abc", "RTYUE"}));
}

TEST_F(ProviderRegistryTest, WritersStoreTextAsGivenAndFailQuietlyOnAReadOnlyHive) {
    const std::string entry = std::string(kEdns) + "\\7000";
    EXPECT_TRUE(SetRegString(HKEY_CURRENT_USER, entry, "IPKey", "1"));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, entry, "IPKey"), std::string("1\0", 2))
        << "kept with its terminator so that the readers that drop the last byte agree";
    EXPECT_TRUE(SetRegString(HKEY_CURRENT_USER, entry, "Empty", ""));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, entry, "Empty"), std::string("\0", 1))
        << "an empty text is stored, not removed";
    EXPECT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, entry, "IPKey"));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, entry, "IPKey"), "<missing>");
    EXPECT_FALSE(DeleteRegValue(HKEY_CURRENT_USER, entry, "IPKey")) << "already gone";

    reg.SetHiveWritable(HKEY_LOCAL_MACHINE, false);
    CreateRegKey(HKEY_LOCAL_MACHINE, entry);
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, entry));
    EXPECT_FALSE(SetRegString(HKEY_LOCAL_MACHINE, entry, "IPKey", "1"));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, entry));
}

}  // namespace
}  // namespace zelwiz
