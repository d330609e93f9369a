// The dialing properties through the components the wizard binds: the reader reports the current
// location, the configurator's window edits it (answered here by the headless toolkit as a user
// would: typing, choosing, clicking), and the provider's switch information.
#include <gtest/gtest.h>

#include "components/BuiltInComponents.h"
#include "components/ComponentErrors.h"
#include "components/CountryTable.h"
#include "components/RegistryValues.h"
#include "components/TelephonyLocations.h"
#include "components/frmDialingProperties.h"
#include "platform/HeadlessToolkit.h"
#include "platform/Platform.h"
#include "platform/TreeRegistry.h"
#include "telephony/DialingRulesReader.h"
#include "telephony/ProviderConfigurator.h"

namespace zelwiz {
namespace {

struct Rules {
    std::string areaCode, country, local, longDistance;
    bool operator==(const Rules&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Rules& r) {
    return os << "{" << r.areaCode << ", " << r.country << ", " << r.local << ", " << r.longDistance
              << "}";
}

class DialingPropertiesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = InstallPlatform(Platform{&reg, nullptr, &toolkit, &catalog});
        RegisterBuiltInComponents(catalog);
    }
    void TearDown() override { InstallPlatform(previous_); }

    void AddLocation(const char* keyName, DWORD id, DWORD country, const char* area,
                     const char* local, const char* longDistance) {
        HKEY key = 0;
        ASSERT_EQ(reg.CreateKey(HKEY_LOCAL_MACHINE, std::string(kLocationsPath) + "\\" + keyName,
                                KEY_ALL_ACCESS, &key),
                  ERROR_SUCCESS);
        reg.SetDword(key, "ID", id);
        reg.SetString(key, "Name", keyName);
        reg.SetDword(key, "Country", country);
        reg.SetString(key, "AreaCode", area);
        reg.SetString(key, "OutsideAccess", local);
        reg.SetString(key, "LongDistanceAccess", longDistance);
        reg.CloseKey(key);
    }
    void SetCurrentId(DWORD id) {
        HKEY key = 0;
        ASSERT_EQ(reg.CreateKey(HKEY_LOCAL_MACHINE, kLocationsPath, KEY_ALL_ACCESS, &key),
                  ERROR_SUCCESS);
        reg.SetDword(key, "CurrentID", id);
        reg.CloseKey(key);
    }
    void SetProviderValue(HKEY hive, const std::string& path, const char* name, const char* text) {
        HKEY key = 0;
        ASSERT_EQ(reg.CreateKey(hive, path, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
        reg.SetString(key, name, text);
        reg.CloseKey(key);
    }

    // GetTAPIRules as the wizard runs it: a new reader, four slots in order.
    Rules ReadRules() {
        auto reader = CreateComponent<DialingRulesReader>(kCLSID_DialingRulesReader);
        Rules r;
        CheckHr(reader->GetAreaCode(&r.areaCode));
        CheckHr(reader->GetCountry(&r.country));
        CheckHr(reader->GetLocalAccessCode(&r.local));
        CheckHr(reader->GetLongDistanceAccessCode(&r.longDistance));
        return r;
    }
    // ConfigProvider as the wizard runs it; answers the HRESULT of ConfigureDialing.
    HRESULT Configure() {
        auto configurator = CreateComponent<ProviderConfigurator>(kCLSID_ProviderConfigurator);
        CheckHr(configurator->Initialize());
        std::int32_t device = -1;
        CheckHr(configurator->GetDeviceNumber(&device));
        return configurator->ConfigureDialing(device < 0 ? 0 : device);
    }
    // A user's answer to the window: types the three codes, picks the country, clicks OK.
    void AnswerWith(std::string area, std::uint32_t country, std::string local,
                    std::string longDistance) {
        toolkit.modalAnswers.push_back([=](Form& f) {
            auto& form = dynamic_cast<frmDialingProperties&>(f);
            form.txtAreaCode->SetText(area);
            ASSERT_TRUE(form.SelectCountry(country));
            form.txtOutsideAccess->SetText(local);
            form.txtLongDistanceAccess->SetText(longDistance);
            form.cmdOk->Click();
        });
    }

    MemoryRegistry reg;
    HeadlessToolkit toolkit;
    ComponentCatalog catalog;

  private:
    Platform previous_;
};

TEST_F(DialingPropertiesTest, ReaderReportsTheLocationNamedByCurrentIdAndNothingWithoutOne) {
    EXPECT_EQ(ReadRules(), Rules{}) << "no locations key at all";
    AddLocation("Location1", 1, 33, "1", "0", "0");
    AddLocation("Location7", 7, 49, "89", "9", "00");
    EXPECT_EQ(ReadRules(), Rules{}) << "locations but no CurrentID";
    SetCurrentId(7);
    EXPECT_EQ(ReadRules(), (Rules{"89", "Germany (49)", "9", "00"}))
        << "found by its ID, not by the position of its key";
    SetCurrentId(1);
    EXPECT_EQ(ReadRules(), (Rules{"1", "France (33)", "0", "0"}));
    SetCurrentId(3);
    EXPECT_EQ(ReadRules(), Rules{}) << "CurrentID naming no location";
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST_F(DialingPropertiesTest, OkSavesTheEditedCurrentLocationAndTheReaderReadsItBack) {
    AddLocation("Location1", 1, 33, "1", "0", "0");
    AddLocation("Location2", 2, 49, "30", "9", "0");
    SetCurrentId(2);
    std::string shownArea, shownCountry;
    toolkit.modalAnswers.push_back([&](Form& f) {
        auto& form = dynamic_cast<frmDialingProperties&>(f);
        shownArea = form.txtAreaCode->Text();
        shownCountry = form.lstCountry->SelectedText();
        EXPECT_TRUE(form.txtAreaCode->Enabled());
        EXPECT_FALSE(form.lblReadOnly->Visible());
        form.txtAreaCode->SetText("91");
        ASSERT_TRUE(form.SelectCountry(34));
        form.txtOutsideAccess->SetText("0,");
        form.txtLongDistanceAccess->SetText("*70#");
        form.cmdOk->Click();
    });
    EXPECT_EQ(Configure(), S_OK);
    EXPECT_EQ(shownArea, "30") << "the window opened on the current location";
    EXPECT_EQ(shownCountry, "Germany (49)");
    EXPECT_EQ(ReadRules(), (Rules{"91", "Spain (34)", "0,", "*70#"}));
    SetCurrentId(1);
    EXPECT_EQ(ReadRules(), (Rules{"1", "France (33)", "0", "0"})) << "the other location kept";
}

TEST_F(DialingPropertiesTest, FirstLocationIsCreatedWhenThereIsNone) {
    toolkit.modalAnswers.push_back(
        [](Form& f) { dynamic_cast<frmDialingProperties&>(f).cmdCancel->Click(); });
    EXPECT_EQ(Configure(), S_OK);
    EXPECT_FALSE(RegKeyPresent(reg, HKEY_LOCAL_MACHINE, kLocationsPath))
        << "Cancel creates nothing, and neither did probing for write access";

    AnswerWith("22", 32, "0", "00");
    EXPECT_EQ(Configure(), S_OK);
    EXPECT_EQ(ReadRules(), (Rules{"22", "Belgium (32)", "0", "00"}));
    const std::string first = std::string(kLocationsPath) + "\\Location1";
    EXPECT_EQ(ReadRegNumber(reg, HKEY_LOCAL_MACHINE, first, "ID"), 1u);
    EXPECT_EQ(ReadRegNumber(reg, HKEY_LOCAL_MACHINE, kLocationsPath, "CurrentID"), 1u);
    EXPECT_EQ(ReadRegNumber(reg, HKEY_LOCAL_MACHINE, kLocationsPath, "NextID"), 2u);
    DWORD type = 0;
    HKEY key = 0;
    ASSERT_EQ(reg.OpenKey(HKEY_LOCAL_MACHINE, first, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(reg.QueryValue(key, "Country", &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD) << "the country is a DWORD, as Windows keeps it";
    reg.CloseKey(key);

    AnswerWith("23", 32, "0", "00");
    EXPECT_EQ(Configure(), S_OK);
    EXPECT_EQ(ReadSubKeyNames(reg, HKEY_LOCAL_MACHINE, kLocationsPath),
              std::vector<std::string>{"Location1"})
        << "the second run edits the location the first one made";
    EXPECT_EQ(ReadRules().areaCode, "23");
}

TEST_F(DialingPropertiesTest, CancelClosingAndWrongEntriesKeepTheLocation) {
    AddLocation("Location1", 1, 33, "1", "0", "0");
    SetCurrentId(1);
    const Rules before = ReadRules();

    toolkit.modalAnswers.push_back([](Form& f) {
        auto& form = dynamic_cast<frmDialingProperties&>(f);
        form.txtAreaCode->SetText("4");
        form.cmdCancel->Click();
    });
    EXPECT_EQ(Configure(), S_OK);
    EXPECT_EQ(ReadRules(), before) << "Cancel";

    toolkit.modalAnswers.push_back(
        [](Form& f) { dynamic_cast<frmDialingProperties&>(f).txtAreaCode->SetText("4"); });
    EXPECT_EQ(Configure(), S_OK);
    EXPECT_EQ(ReadRules(), before) << "the window closed without OK";

    for (const char* field : {"area", "local", "long"}) {
        toolkit.modalAnswers.push_back([field](Form& f) {
            auto& form = dynamic_cast<frmDialingProperties&>(f);
            TextBox* box = std::string(field) == "area"    ? form.txtAreaCode
                           : std::string(field) == "local" ? form.txtOutsideAccess
                                                           : form.txtLongDistanceAccess;
            box->SetText("9a");
            form.cmdOk->Click();
            EXPECT_TRUE(form.IsLoaded()) << field << ": the window stays open";
        });
        EXPECT_EQ(Configure(), S_OK);
        EXPECT_EQ(ReadRules(), before) << field;
    }
    ASSERT_EQ(toolkit.messageBoxes.size(), 3u);
    EXPECT_NE(toolkit.messageBoxes[0].prompt.find("area code"), std::string::npos);
    EXPECT_NE(toolkit.messageBoxes[1].prompt.find("local calls"), std::string::npos);
    EXPECT_NE(toolkit.messageBoxes[2].prompt.find("long-distance"), std::string::npos);
    EXPECT_EQ(toolkit.messageBoxes[0].style, vbExclamation);

    toolkit.modalAnswers.push_back([](Form& f) {
        auto& form = dynamic_cast<frmDialingProperties&>(f);
        form.txtAreaCode->SetText("123456789");
        form.cmdOk->Click();
        form.txtAreaCode->SetText("12345678");
        form.cmdOk->Click();
    });
    EXPECT_EQ(Configure(), S_OK);
    EXPECT_EQ(ReadRules().areaCode, "12345678") << "corrected after the message, then saved";
}

TEST_F(DialingPropertiesTest, UserWhoMayNotWriteTheMachineSeesTheWindowReadOnly) {
    AddLocation("Location1", 1, 43, "1", "0", "0");
    SetCurrentId(1);
    reg.SetHiveWritable(HKEY_LOCAL_MACHINE, false);
    bool disabled = false, noticeShown = false;
    toolkit.modalAnswers.push_back([&](Form& f) {
        auto& form = dynamic_cast<frmDialingProperties&>(f);
        disabled = !form.txtAreaCode->Enabled() && !form.lstCountry->Enabled() &&
                   !form.txtOutsideAccess->Enabled() && !form.txtLongDistanceAccess->Enabled();
        noticeShown = form.lblReadOnly->Visible();
        EXPECT_EQ(form.txtAreaCode->Text(), "1");
        EXPECT_EQ(form.lstCountry->SelectedText(), "Austria (43)");
        form.txtAreaCode->SetText("2");
        form.cmdOk->Click();
        EXPECT_FALSE(form.IsLoaded()) << "OK closes the read-only window";
    });
    EXPECT_EQ(Configure(), S_OK);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(noticeShown);
    EXPECT_EQ(ReadRules().areaCode, "1");
}

TEST_F(DialingPropertiesTest, ProviderListSwitchInfoAndDeviceNumber) {
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

    SetProviderValue(HKEY_LOCAL_MACHINE, kProviderKeyPath, "PbxPrefix", "0");
    SetProviderValue(HKEY_LOCAL_MACHINE, kProviderKeyPath, "SwitchName", "pbx-paris");
    SetProviderValue(HKEY_LOCAL_MACHINE, std::string(kProviderKeyPath) + "\\Provider", "IpAddress",
                     "10.1.2.3");
    ASSERT_EQ(configurator->Initialize(), S_OK);
    ASSERT_EQ(configurator->GetProviderCount(&count), S_OK);
    ASSERT_EQ(count, 1);
    ASSERT_EQ(configurator->GetProviderName(0, &name), S_OK);
    EXPECT_EQ(name, "Korvane TAPI Service Provider");
    ASSERT_EQ(configurator->GetProviderName(1, &name), S_OK);
    EXPECT_EQ(name, "");
    EXPECT_EQ(configurator->GetProviderName(2, &name), E_INVALIDARG);
    ASSERT_EQ(configurator->GetSwitchInfo(0, &info1, &prefix, &info3), S_OK);
    EXPECT_EQ(prefix, "0") << "the machine's prefix when the user has none";
    EXPECT_EQ(info1, "pbx-paris");
    EXPECT_EQ(info3, "10.1.2.3");
    SetProviderValue(HKEY_CURRENT_USER, kProviderKeyPath, "PbxPrefix", "9");
    ASSERT_EQ(configurator->GetSwitchInfo(0, &info1, &prefix, &info3), S_OK);
    EXPECT_EQ(prefix, "9") << "the user's own prefix comes first";
    EXPECT_EQ(configurator->GetSwitchInfo(1, &info1, &prefix, &info3), E_INVALIDARG);

    ASSERT_EQ(configurator->GetDeviceNumber(&device), S_OK);
    EXPECT_EQ(device, -1) << "no lines";
    for (const char* n : {"3000", "RTYUE", "1000"})
        SetProviderValue(HKEY_CURRENT_USER, std::string(kPreferredEdnsPath) + "\\" + n, "", "");
    SetProviderValue(HKEY_CURRENT_USER, kPreferenceKeyPath, "Preferred Line", "KORVANE - 3000");
    ASSERT_EQ(configurator->Initialize(), S_OK);
    ASSERT_EQ(configurator->GetDeviceNumber(&device), S_OK);
    EXPECT_EQ(device, 1);
    std::string line;
    toolkit.modalAnswers.push_back(
        [&](Form& f) { line = dynamic_cast<frmDialingProperties&>(f).lblLine->Caption(); });
    EXPECT_EQ(configurator->ConfigureDialing(device), S_OK);
    EXPECT_EQ(line, "Line: KORVANE - 3000") << "the window names the line it is for";
}

}  // namespace
}  // namespace zelwiz
