// This build's components that work on the registry, bound as the wizard binds them: the dialing
// rules reader reports the current location, the provider configurator's window edits it
// (answered here by the headless toolkit as a user would: typing, choosing, clicking) and gives
// the provider's switch information, and the line object finds the preferred line.
#include <gtest/gtest.h>

#include <array>

#include "components/BuiltInComponents.h"
#include "components/ComponentErrors.h"
#include "components/ProviderLines.h"
#include "components/RegistryValues.h"
#include "components/TelephonyLocations.h"
#include "components/frmDialingProperties.h"
#include "platform/ComponentCatalog.h"
#include "support/ErrorOf.h"
#include "support/ScopedTestPlatform.h"
#include "telephony/DialingRulesReader.h"
#include "telephony/ProviderConfigurator.h"

namespace zelwiz {
namespace {

// Area code, country, local access code, long-distance access code.
using Rules = std::array<std::string, 4>;
using Answer = std::function<void(frmDialingProperties&)>;

// A user's answer to the window: types the three codes, picks the country, clicks OK.
Answer Typing(std::string area, std::uint32_t country, std::string local,
              std::string longDistance) {
    return [=](frmDialingProperties& form) {
        form.txtAreaCode->SetText(area);
        ASSERT_TRUE(form.SelectCountry(country));
        form.txtOutsideAccess->SetText(local);
        form.txtLongDistanceAccess->SetText(longDistance);
        form.cmdOk->Click();
    };
}

class RegistryComponentsTest : public ::testing::Test {
  protected:
    RegistryComponentsTest() {
        InstallPlatform(Platform{&p.registry, &p.shell, &p.toolkit, &catalog});
        RegisterBuiltInComponents(catalog, [this] { return allUsers; });
    }

    void AddLocation(DWORD id, DWORD country, const char* area, const char* local,
                     const char* longDistance) {
        const std::string path = std::string(kLocationsPath) + "\\Location" + std::to_string(id);
        p.SetDword(HKEY_LOCAL_MACHINE, path, "ID", id);
        p.SetDword(HKEY_LOCAL_MACHINE, path, "Country", country);
        p.SetText(HKEY_LOCAL_MACHINE, path, "AreaCode", area);
        p.SetText(HKEY_LOCAL_MACHINE, path, "OutsideAccess", local);
        p.SetText(HKEY_LOCAL_MACHINE, path, "LongDistanceAccess", longDistance);
    }
    void SetCurrentId(DWORD id) { p.SetDword(HKEY_LOCAL_MACHINE, kLocationsPath, "CurrentID", id); }
    void AddLines(HKEY hive, std::initializer_list<const char*> numbers) {
        for (const char* n : numbers)
            p.SetText(hive, std::string(kPreferredEdnsPath) + "\\" + n, "", "");
    }
    void SetPreferredLine(const std::string& text) {
        p.SetText(HKEY_CURRENT_USER, kPreferenceKeyPath, "Preferred Line", text);
    }

    // GetTAPIRules as the wizard runs it: a new reader, four slots in order.
    Rules ReadRules() {
        auto reader = CreateComponent<DialingRulesReader>(kCLSID_DialingRulesReader);
        Rules r;
        CheckHr(reader->GetAreaCode(&r[0]));
        CheckHr(reader->GetCountry(&r[1]));
        CheckHr(reader->GetLocalAccessCode(&r[2]));
        CheckHr(reader->GetLongDistanceAccessCode(&r[3]));
        return r;
    }
    // ConfigProvider as the wizard runs it, the user answering the window it shows.
    void Configure(Answer answer) {
        p.toolkit.modalAnswers.push_back(
            [answer](Form& f) { answer(dynamic_cast<frmDialingProperties&>(f)); });
        auto configurator = CreateComponent<ProviderConfigurator>(kCLSID_ProviderConfigurator);
        CheckHr(configurator->Initialize());
        std::int32_t device = -1;
        CheckHr(configurator->GetDeviceNumber(&device));
        EXPECT_EQ(configurator->ConfigureDialing(device < 0 ? 0 : device), S_OK);
        EXPECT_TRUE(p.toolkit.modalAnswers.empty()) << "the window was shown";
    }

    ScopedTestPlatform p;
    ComponentCatalog catalog;
    bool allUsers = false;
};

// The line object of an installed provider, called as the wizard calls it: late bound, failing
// HRESULTs raised.
class LineObjectTest : public RegistryComponentsTest {
  protected:
    LineObjectTest() {
        p.SetText(HKEY_LOCAL_MACHINE, kProviderKeyPath, "SwitchName", "pbx-1");
        line = CreateComponent<IDispatchObject>(kProgID_LineObject);
    }
    std::string Preferred() {
        CallByName(*line, "Initialize");
        return VariantText(CallByName(*line, "Preferredline"));
    }
    std::string Address(Variant index) {
        std::vector<Variant> args{std::move(index)};
        return VariantText(CallByName(*line, "LineAddress", args));
    }

    ComPtr<IDispatchObject> line;
};

TEST_F(RegistryComponentsTest, ReaderReportsTheLocationNamedByCurrentIdAndNothingWithoutOne) {
    EXPECT_EQ(ReadRules(), Rules{}) << "no locations key at all";
    AddLocation(1, 33, "1", "0", "0");
    AddLocation(7, 49, "89", "9", "00");
    EXPECT_EQ(ReadRules(), Rules{}) << "locations but no CurrentID";
    SetCurrentId(7);
    EXPECT_EQ(ReadRules(), (Rules{"89", "Germany (49)", "9", "00"}))
        << "found by its ID, not by the position of its key";
    SetCurrentId(1);
    EXPECT_EQ(ReadRules(), (Rules{"1", "France (33)", "0", "0"}));
    SetCurrentId(3);
    EXPECT_EQ(ReadRules(), Rules{}) << "CurrentID naming no location";
    EXPECT_EQ(p.registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryComponentsTest, OnlyOkWithRightEntriesSavesTheEditedCurrentLocation) {
    AddLocation(1, 33, "1", "0", "0");
    AddLocation(2, 49, "30", "9", "0");
    SetCurrentId(2);
    Configure([](frmDialingProperties& form) {
        EXPECT_EQ(form.txtAreaCode->Text(), "30") << "the window opened on the current location";
        EXPECT_EQ(form.lstCountry->SelectedText(), "Germany (49)");
        EXPECT_TRUE(form.txtAreaCode->Enabled());
        EXPECT_FALSE(form.lblReadOnly->Visible());
        Typing("91", 34, "0,", "*70#")(form);
    });
    EXPECT_EQ(ReadRules(), (Rules{"91", "Spain (34)", "0,", "*70#"}));
    SetCurrentId(1);
    EXPECT_EQ(ReadRules(), (Rules{"1", "France (33)", "0", "0"})) << "the other location kept";

    const Rules before = ReadRules();

    Configure([](frmDialingProperties& form) {
        form.txtAreaCode->SetText("4");
        form.cmdCancel->Click();
    });
    EXPECT_EQ(ReadRules(), before) << "Cancel";
    Configure([](frmDialingProperties& form) { form.txtAreaCode->SetText("4"); });
    EXPECT_EQ(ReadRules(), before) << "the window closed without OK";

    for (TextBox* frmDialingProperties::*box :
         {&frmDialingProperties::txtAreaCode, &frmDialingProperties::txtOutsideAccess,
          &frmDialingProperties::txtLongDistanceAccess}) {
        Configure([box](frmDialingProperties& form) {
            (form.*box)->SetText("9a");
            form.cmdOk->Click();
            EXPECT_TRUE(form.IsLoaded()) << (form.*box)->Name() << ": the window stays open";
        });
        EXPECT_EQ(ReadRules(), before);
    }
    ASSERT_EQ(p.toolkit.messageBoxes.size(), 3u);
    EXPECT_NE(p.toolkit.messageBoxes[0].prompt.find("area code"), std::string::npos);
    EXPECT_NE(p.toolkit.messageBoxes[1].prompt.find("local calls"), std::string::npos);
    EXPECT_NE(p.toolkit.messageBoxes[2].prompt.find("long-distance"), std::string::npos);
    EXPECT_EQ(p.toolkit.messageBoxes[0].style, vbExclamation);

    Configure([](frmDialingProperties& form) {
        form.txtAreaCode->SetText("123456789");
        form.cmdOk->Click();
        form.txtAreaCode->SetText("12345678");
        form.cmdOk->Click();
    });
    EXPECT_EQ(ReadRules()[0], "12345678") << "corrected after the message, then saved";
}

TEST_F(RegistryComponentsTest, FirstLocationIsCreatedWhenThereIsNone) {
    Configure([](frmDialingProperties& form) { form.cmdCancel->Click(); });
    EXPECT_FALSE(RegKeyPresent(p.registry, HKEY_LOCAL_MACHINE, kLocationsPath))
        << "Cancel creates nothing, and neither did probing for write access";

    Configure(Typing("22", 32, "0", "00"));
    EXPECT_EQ(ReadRules(), (Rules{"22", "Belgium (32)", "0", "00"}));
    const std::string first = std::string(kLocationsPath) + "\\Location1";
    EXPECT_EQ(ReadRegNumber(p.registry, HKEY_LOCAL_MACHINE, first, "ID"), 1u);
    EXPECT_EQ(ReadRegNumber(p.registry, HKEY_LOCAL_MACHINE, kLocationsPath, "CurrentID"), 1u);
    EXPECT_EQ(ReadRegNumber(p.registry, HKEY_LOCAL_MACHINE, kLocationsPath, "NextID"), 2u);
    EXPECT_EQ(ReadRegText(p.registry, HKEY_LOCAL_MACHINE, first, "Country"), std::nullopt)
        << "the country, read as a number above, is a DWORD as Windows keeps it, not a text";

    Configure(Typing("23", 32, "0", "00"));
    EXPECT_EQ(ReadSubKeyNames(p.registry, HKEY_LOCAL_MACHINE, kLocationsPath),
              std::vector<std::string>{"Location1"})
        << "the second run edits the location the first one made";
    EXPECT_EQ(ReadRules()[0], "23");
}

TEST_F(RegistryComponentsTest, UserWhoMayNotWriteTheMachineSeesTheWindowReadOnly) {
    AddLocation(1, 43, "1", "0", "0");
    SetCurrentId(1);
    p.registry.SetHiveWritable(HKEY_LOCAL_MACHINE, false);
    Configure([](frmDialingProperties& form) {
        EXPECT_FALSE(form.txtAreaCode->Enabled() || form.lstCountry->Enabled() ||
                     form.txtOutsideAccess->Enabled() || form.txtLongDistanceAccess->Enabled());
        EXPECT_TRUE(form.lblReadOnly->Visible());
        EXPECT_EQ(form.txtAreaCode->Text(), "1");
        EXPECT_EQ(form.lstCountry->SelectedText(), "Austria (43)");
        form.txtAreaCode->SetText("2");
        form.cmdOk->Click();
        EXPECT_FALSE(form.IsLoaded()) << "OK closes the read-only window";
    });
    EXPECT_EQ(ReadRules()[0], "1");
}

TEST_F(RegistryComponentsTest, ProviderListSwitchInfoAndDeviceNumber) {
    auto configurator = CreateComponent<ProviderConfigurator>(kCLSID_ProviderConfigurator);
    std::int32_t count = -1, device = 0;
    std::string name, info1, prefix, info3;
    EXPECT_EQ(configurator->GetProviderCount(&count), E_FAIL) << "before Initialize";
    ASSERT_EQ(configurator->Initialize(), S_OK);
    ASSERT_EQ(configurator->GetProviderCount(&count), S_OK);
    EXPECT_EQ(count, 0) << "no provider key in either hive";
    ASSERT_EQ(configurator->GetProviderName(0, &name), S_OK) << "the end of an empty list";
    EXPECT_EQ(name, "");
    EXPECT_EQ(configurator->GetProviderName(1, &name), E_INVALIDARG);
    EXPECT_EQ(configurator->ConfigureDialing(-1), E_INVALIDARG);

    p.SetText(HKEY_LOCAL_MACHINE, kProviderKeyPath, "PbxPrefix", "0");
    p.SetText(HKEY_LOCAL_MACHINE, kProviderKeyPath, "SwitchName", "pbx-paris");
    p.SetText(HKEY_LOCAL_MACHINE, std::string(kProviderKeyPath) + "\\Provider", "IpAddress",
              "10.1.2.3");
    ASSERT_EQ(configurator->Initialize(), S_OK);
    ASSERT_EQ(configurator->GetProviderCount(&count), S_OK);
    ASSERT_EQ(count, 1);
    ASSERT_EQ(configurator->GetProviderName(0, &name), S_OK);
    EXPECT_EQ(name, "Korvane TAPI Service Provider");
    ASSERT_EQ(configurator->GetSwitchInfo(0, &info1, &prefix, &info3), S_OK);
    EXPECT_EQ(std::tie(info1, prefix, info3), std::make_tuple("pbx-paris", "0", "10.1.2.3"))
        << "the machine's prefix when the user has none";
    p.SetText(HKEY_CURRENT_USER, kProviderKeyPath, "PbxPrefix", "9");
    ASSERT_EQ(configurator->GetSwitchInfo(0, &info1, &prefix, &info3), S_OK);
    EXPECT_EQ(prefix, "9") << "the user's own prefix comes first";
    EXPECT_EQ(configurator->GetSwitchInfo(1, &info1, &prefix, &info3), E_INVALIDARG);

    AddLines(HKEY_CURRENT_USER, {"3000", "RTYUE", "1000"});
    SetPreferredLine("KORVANE - 3000");
    ASSERT_EQ(configurator->Initialize(), S_OK);
    ASSERT_EQ(configurator->GetDeviceNumber(&device), S_OK);
    EXPECT_EQ(device, 1);
    Configure([](frmDialingProperties& form) {
        EXPECT_EQ(form.lblLine->Caption(), "Line: KORVANE - 3000") << "the line it is for";
    });
}

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
