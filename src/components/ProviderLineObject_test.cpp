#include "components/ProviderLineObject.h"

#include <gtest/gtest.h>

#include "support/ErrorOf.h"

#include "components/BuiltInComponents.h"
#include "components/ComponentErrors.h"
#include "platform/ComponentCatalog.h"
#include "support/ScopedTestPlatform.h"
#include "telephony/ProviderConfigurator.h"
#include "telephony/ProviderHive.h"

namespace zelwiz {
namespace {

class LineObjectTest : public ::testing::Test {
  protected:
    LineObjectTest() {
        InstallPlatform(Platform{&p.registry, &p.shell, &p.toolkit, &catalog});
        RegisterBuiltInComponents(catalog, [this] { return allUsers; });
        p.SetText(HKEY_LOCAL_MACHINE, kProviderKeyPath, "SwitchName", "pbx-1");  // installed
        line = CreateComponent<IDispatchObject>(kProgID_LineObject);
    }

    void AddLines(HKEY hive, std::initializer_list<const char*> numbers) {
        for (const char* n : numbers)
            p.SetText(hive, std::string(kPreferredEdnsPath) + "\\" + n, "", "");
    }
    void SetPreferredLine(const std::string& text) {
        p.SetText(HKEY_CURRENT_USER, kPreferenceKeyPath, "Preferred Line", text);
    }
    // The calls as the wizard makes them: late bound, failing HRESULTs raised.
    std::string Preferred() {
        CallByName(*line, "Initialize");
        return VariantText(CallByName(*line, "Preferredline"));
    }
    std::string Address(Variant index) {
        std::vector<Variant> args{std::move(index)};
        return VariantText(CallByName(*line, "LineAddress", args));
    }

    ScopedTestPlatform p;
    ComponentCatalog catalog;
    bool allUsers = false;
    ComPtr<IDispatchObject> line;
};

TEST_F(LineObjectTest, PreferredLineIsFoundAmongTheLinesWithoutThePlaceholder) {
    AddLines(HKEY_CURRENT_USER, {"3000", "RTYUE", "1000", "2000"});
    const std::pair<const char*, const char*> kCases[] = {
        {nullptr, "-1"},  // no value at all
        {"KORVANE - 4000", "-1"},
        {"1000", "-1"},  // no provider prefix
        {"KORVANE - ", "-1"},
        {"KORVANE - RTYUE", "-1"},               // the placeholder
        {"KORVANE - 2000 - Paris office", "1"},  // lines in enumeration order: 1000, 2000, 3000
    };
    for (const auto& [preferred, index] : kCases) {
        if (preferred != nullptr)
            SetPreferredLine(preferred);
        EXPECT_EQ(Preferred(), index) << (preferred ? preferred : "no value");
    }
    EXPECT_EQ(Address(std::string("1")), "2000") << "the wizard passes the index as text";
    EXPECT_EQ(Address(std::int32_t{0}), "1000");
    EXPECT_EQ(Address(2.0), "3000");
    EXPECT_EQ(ErrorOf([&] { Address(std::int32_t{3}); }), E_INVALIDARG)
        << "the placeholder RTYUE is not a fourth line";
    EXPECT_EQ(ErrorOf([&] { Address(std::int32_t{-1}); }), E_INVALIDARG);
    EXPECT_EQ(ErrorOf([&] { Address(std::string("first")); }), DISP_E_TYPEMISMATCH);
    std::vector<Variant> none;
    EXPECT_EQ(ErrorOf([&] { CallByName(*line, "LineAddress", none); }), DISP_E_BADPARAMCOUNT);
    CallByName(*line, "Terminate");
}

TEST_F(LineObjectTest, AllUsersModeReadsTheMachineLinesAndAskedAtInitialize) {
    AddLines(HKEY_CURRENT_USER, {"1000"});
    AddLines(HKEY_LOCAL_MACHINE, {"5000", "6000"});
    SetPreferredLine("KORVANE - 6000");
    EXPECT_EQ(Preferred(), "-1") << "6000 is not a user line";
    allUsers = true;
    EXPECT_EQ(Preferred(), "1");
    EXPECT_EQ(Address(std::int32_t{1}), "6000");
}

TEST_F(LineObjectTest, TheUsersOwnSetsAreLinesWhileTheProviderIsInstalled) {
    AddLines(HKEY_CURRENT_USER, {"1000"});
    p.SetText(HKEY_CURRENT_USER, kWizardSettingsPath, "EdnSet", "4000");
    p.SetText(HKEY_CURRENT_USER, std::string(kProviderKeyPath) + "\\Provider", "EdnIP", "1000");
    SetPreferredLine("KORVANE - 4000");
    EXPECT_EQ(Preferred(), "1") << "after the listed numbers";
    EXPECT_EQ(Address(std::int32_t{1}), "4000");
    EXPECT_EQ(ErrorOf([&] { Address(std::int32_t{2}); }), E_INVALIDARG)
        << "the multimedia set's 1000 is listed once";

    ASSERT_EQ(p.registry.DeleteKey(HKEY_LOCAL_MACHINE, kProviderKeyPath), ERROR_SUCCESS);
    EXPECT_EQ(Preferred(), "-1") << "not installed";
    EXPECT_EQ(ErrorOf([&] { Address(std::int32_t{0}); }), E_INVALIDARG);
    EXPECT_EQ(p.registry.OpenHandleCount(), 0u) << "every key read was closed";
}

}  // namespace
}  // namespace zelwiz
