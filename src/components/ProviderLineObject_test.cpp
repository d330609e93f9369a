#include "components/ProviderLineObject.h"

#include <gtest/gtest.h>

#include "support/ErrorOf.h"

#include "components/BuiltInComponents.h"
#include "components/ComponentErrors.h"
#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
#include "platform/TreeRegistry.h"
#include "telephony/ProviderConfigurator.h"
#include "telephony/ProviderHive.h"

namespace zelwiz {
namespace {

class LineObjectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = InstallPlatform(Platform{&reg, nullptr, nullptr, &catalog});
        RegisterBuiltInComponents(catalog, [this] { return allUsers; });
        SetText(HKEY_LOCAL_MACHINE, kProviderKeyPath, "SwitchName", "pbx-1");  // installed
    }
    void TearDown() override { InstallPlatform(previous_); }

    void AddLines(HKEY hive, std::initializer_list<const char*> numbers) {
        for (const char* n : numbers) {
            HKEY key = 0;
            ASSERT_EQ(reg.CreateKey(hive, std::string(kPreferredEdnsPath) + "\\" + n,
                                    KEY_ALL_ACCESS, &key),
                      ERROR_SUCCESS);
            reg.CloseKey(key);
        }
    }
    void SetText(HKEY hive, const std::string& path, const char* name, const std::string& text) {
        HKEY key = 0;
        ASSERT_EQ(reg.CreateKey(hive, path, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
        reg.SetString(key, name, text);
        reg.CloseKey(key);
    }
    void SetPreferredLine(const std::string& text) {
        SetText(HKEY_CURRENT_USER, kPreferenceKeyPath, "Preferred Line", text);
    }
    // The calls as the wizard makes them: late bound, failing HRESULTs raised.
    ComPtr<IDispatchObject> Create() {
        return CreateComponent<IDispatchObject>(kProgID_LineObject);
    }
    static std::string Address(IDispatchObject& line, Variant index) {
        std::vector<Variant> args{std::move(index)};
        return VariantText(CallByName(line, "LineAddress", args));
    }

    MemoryRegistry reg;
    ComponentCatalog catalog;
    bool allUsers = false;

  private:
    Platform previous_;
};

TEST_F(LineObjectTest, PreferredLineIsFoundAmongTheLinesWithoutThePlaceholder) {
    AddLines(HKEY_CURRENT_USER, {"3000", "RTYUE", "1000", "2000"});
    SetPreferredLine("KORVANE - 2000 - Paris office");
    auto line = Create();
    CallByName(*line, "Initialize");
    const std::string index = VariantText(CallByName(*line, "Preferredline"));
    EXPECT_EQ(index, "1") << "lines in enumeration order: 1000, 2000, 3000";
    EXPECT_EQ(Address(*line, index), "2000") << "the wizard passes the index as text";
    EXPECT_EQ(Address(*line, std::int32_t{0}), "1000");
    EXPECT_EQ(Address(*line, 2.0), "3000");
    EXPECT_EQ(ErrorOf([&] { Address(*line, std::int32_t{3}); }), E_INVALIDARG)
        << "the placeholder RTYUE is not a fourth line";
    EXPECT_EQ(ErrorOf([&] { Address(*line, std::int32_t{-1}); }), E_INVALIDARG);
    EXPECT_EQ(ErrorOf([&] { Address(*line, std::string("first")); }), DISP_E_TYPEMISMATCH);
    std::vector<Variant> none;
    EXPECT_EQ(ErrorOf([&] { CallByName(*line, "LineAddress", none); }), DISP_E_BADPARAMCOUNT);
    CallByName(*line, "Terminate");
}

TEST_F(LineObjectTest, NoPreferredLineGivesMinusOne) {
    AddLines(HKEY_CURRENT_USER, {"1000", "RTYUE"});
    struct Case {
        const char* preferred;  // nullptr: no value at all
        const char* why;
    };
    for (const Case& c : {Case{nullptr, "no value"}, Case{"KORVANE - 4000", "not a line"},
                          Case{"1000", "no provider prefix"}, Case{"KORVANE - ", "no number"},
                          Case{"KORVANE - RTYUE", "the placeholder"}}) {
        if (c.preferred != nullptr)
            SetPreferredLine(c.preferred);
        auto line = Create();
        CallByName(*line, "Initialize");
        EXPECT_EQ(VariantText(CallByName(*line, "Preferredline")), "-1") << c.why;
    }
}

TEST_F(LineObjectTest, AllUsersModeReadsTheMachineLinesAndAskedAtInitialize) {
    AddLines(HKEY_CURRENT_USER, {"1000"});
    AddLines(HKEY_LOCAL_MACHINE, {"5000", "6000"});
    SetPreferredLine("KORVANE - 6000");
    auto line = Create();
    CallByName(*line, "Initialize");
    EXPECT_EQ(VariantText(CallByName(*line, "Preferredline")), "-1") << "6000 is not a user line";
    allUsers = true;
    CallByName(*line, "Initialize");
    EXPECT_EQ(VariantText(CallByName(*line, "Preferredline")), "1");
    EXPECT_EQ(Address(*line, std::int32_t{1}), "6000");
}

TEST_F(LineObjectTest, TheUsersOwnSetsAreLinesWhileTheProviderIsInstalled) {
    AddLines(HKEY_CURRENT_USER, {"1000"});
    SetText(HKEY_CURRENT_USER, kWizardSettingsPath, "EdnSet", "4000");
    SetText(HKEY_CURRENT_USER, std::string(kProviderKeyPath) + "\\Provider", "EdnIP", "1000");
    SetPreferredLine("KORVANE - 4000");
    auto line = Create();
    CallByName(*line, "Initialize");
    EXPECT_EQ(VariantText(CallByName(*line, "Preferredline")), "1") << "after the listed numbers";
    EXPECT_EQ(Address(*line, std::int32_t{1}), "4000");
    EXPECT_EQ(ErrorOf([&] { Address(*line, std::int32_t{2}); }), E_INVALIDARG)
        << "the multimedia set's 1000 is listed once";

    HKEY key = 0;
    ASSERT_EQ(reg.OpenKey(HKEY_LOCAL_MACHINE, "Software\\Korvane", KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    ASSERT_EQ(reg.DeleteKey(key, "TSpi_CSTA"), ERROR_SUCCESS);
    reg.CloseKey(key);
    CallByName(*line, "Initialize");
    EXPECT_EQ(VariantText(CallByName(*line, "Preferredline")), "-1") << "not installed";
    EXPECT_EQ(ErrorOf([&] { Address(*line, std::int32_t{0}); }), E_INVALIDARG);
    EXPECT_EQ(reg.OpenHandleCount(), 0u) << "every key read was closed";
}

}  // namespace
}  // namespace zelwiz
