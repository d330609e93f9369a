#include <gtest/gtest.h>

#include "platform/ErrorInfo.h"
#include "settings/CRegSettings.h"
#include "support/TelephonyTestPlatform.h"
#include "telephony/ProviderHive.h"

namespace zelwiz {
namespace {

constexpr HKEY HKCU = HKEY_CURRENT_USER;
constexpr HKEY HKLM = HKEY_LOCAL_MACHINE;

class ProviderKeysTest : public TelephonyTest {
  protected:
    std::string Entry(const std::string& number) {
        return std::string(kPreferredEdnsKey) + "\\" + number;
    }
    void AddEntry(HKEY hive, const std::string& number, bool marked = false) {
        if (marked)
            SetText(hive, Entry(number), "IPKey", "1");
        else
            MakeKey(hive, Entry(number));
    }
    void Prefer(HKEY hive, const std::string& line) {
        SetText(hive, kPreferenceKey, "Preferred Line", line);
    }
};

TEST_F(ProviderKeysTest, StripProviderPrefixKeepsOnlyTheNumberOfAProviderLine) {
    struct Case {
        std::string line, expected;
    };
    const Case cases[] = {
        {"KORVANE - 1234", "1234"},
        {"KORVANE - 1234 - Desk phone", "1234"},
        {"KORVANE - 1234 -", "1234"},
        {"KORVANE - 12-34", "12-34"},
        {"1234 - Desk phone", "1234 - Desk phone"},
        {"korvane - 1234", "korvane - 1234"},
        {"KORVANE -1234", "KORVANE -1234"},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string line = c.line;
        EXPECT_EQ(wiz->StripProviderPrefix(line), c.expected) << c.line;
        EXPECT_EQ(line, c.expected) << "the argument takes the result too";
    }
}

TEST_F(ProviderKeysTest, GetPhoneSetNumberProposesThePhysicalSetsNumber) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string expected;
    };
    const Case cases[] = {
        {"a number already typed wins",
         [&] {
             wiz->mvarPhoneSetNumber = "4321";
             Prefer(HKCU, "KORVANE - 5000");
         },
         "4321"},
        {"the preferred line is the multimedia PC set's: the stored physical number",
         [&] {
             Prefer(HKCU, "KORVANE - 5000");
             AddEntry(HKCU, "5000", true);
             SetText(HKCU, kWizSettingsKey, "EdnSet", "4100");
         },
         "4100"},
        {"an unmarked preferred line is the physical set's",
         [&] {
             Prefer(HKCU, "KORVANE - 5000");
             AddEntry(HKCU, "5000");
             SetText(HKCU, kWizSettingsKey, "EdnSet", "4100");
         },
         "5000"},
        {"the machine's preferred line is checked against the machine's entries",
         [&] {
             Prefer(HKLM, "KORVANE - 6000 - Reception");
             AddEntry(HKLM, "6000", true);
             AddEntry(HKCU, "6000");
             SetText(HKLM, kWizSettingsKey, "EdnSet", "4200");
         },
         "4200"},
        {"a preferred line the provider does not offer is taken as it is",
         [&] {
             Prefer(HKCU, "KORVANE - 5000");
             AddEntry(HKCU, "7000", true);
         },
         "5000"},
        {"no preferred line anywhere: the stored physical number",
         [&] { SetText(HKCU, kWizSettingsKey, "EdnSet", "4300"); }, "4300"},
    };
    for (const auto& c : cases) {
        wiz->mvarPhoneSetNumber.clear();
        c.arrange();
        EXPECT_EQ(wiz->GetPhoneSetNumber(), c.expected) << c.what;
        ClearRegistry();
    }
}

TEST_F(ProviderKeysTest, SavingAPhysicalNumberKeepsThePreferredMultimediaNumber) {
    AddEntry(HKCU, "1000", true);
    AddEntry(HKCU, "3000");
    Prefer(HKCU, "KORVANE - 1000");
    std::string number = "2000";
    bool isIP = false;
    wiz->UpdatePreferredEdns(number, isIP);

    EXPECT_EQ(SubKeys(HKCU, kPreferredEdnsKey), (std::vector<std::string>{"1000", "2000"}));
    EXPECT_EQ(Text(HKCU, Entry("1000"), "IPKey"), "1");
    EXPECT_EQ(Text(HKCU, Entry("2000"), "IPKey"), "<missing>");
    EXPECT_EQ(Text(HKCU, kProviderSubKey, "EdnIP"), "1000");
}

TEST_F(ProviderKeysTest, SavingAPhysicalNumberOverTheMultimediaEntryRemovesItsMark) {
    for (bool allUsers : {false, true}) {
        ClearRegistry();
        bAllUsers = allUsers;
        const HKEY hive = allUsers ? HKLM : HKCU;
        AddEntry(hive, "1000", true);
        std::string number = "1000";
        bool isIP = false;
        wiz->UpdatePreferredEdns(number, isIP);
        EXPECT_TRUE(HasKey(hive, Entry("1000"))) << allUsers;
        EXPECT_EQ(Text(hive, Entry("1000"), "IPKey"), "<missing>")
            << (allUsers ? "all users" : "the user's hive") << ": now a physical set's number";
    }
}

TEST_F(ProviderKeysTest, AllUsersModeWithoutWriteAccessWritesNothing) {
    bAllUsers = true;
    AddEntry(HKLM, "1000", true);
    AddEntry(HKLM, "3000");
    Prefer(HKCU, "KORVANE - 1000");
    reg.SetHiveWritable(HKLM, false);
    const auto before = Layout();

    std::string number = "7000";
    bool isIP = true;
    wiz->UpdatePreferredEdns(number, isIP);
    wiz->SaveProviderEdnIP("7000");
    EXPECT_EQ(Layout(), before);

    reg.SetHiveWritable(HKLM, true);
    wiz->SaveProviderEdnIP("7000");
    EXPECT_EQ(Text(HKLM, kProviderSubKey, "EdnIP"), "7000");
    EXPECT_EQ(Text(HKCU, kProviderSubKey, "EdnIP"), "<missing>");
}

TEST_F(ProviderKeysTest, FirstRunOfANewUserCopiesTwoNumbersAndThePlaceholder) {
    AddEntry(HKLM, "1000", true);
    AddEntry(HKLM, "2000");
    AddEntry(HKLM, "3000");
    SetText(HKLM, kProviderSubKey, "EdnIP", "1000");
    SetText(HKLM, kProviderSubKey, "IPKey", "1");
    Prefer(HKCU, "KORVANE - 2000 - Desk");

    wiz->InitUserProviderKeys();
    EXPECT_EQ(SubKeys(HKCU, kPreferredEdnsKey), (std::vector<std::string>{"1000", "2000", "RTYUE"}))
        << "2000 first, then 1000; the placeholder made while 2000 was alone stays";
    EXPECT_EQ(Text(HKCU, Entry("1000"), "IPKey"), "1") << "the machine's mark is copied";
    EXPECT_EQ(Text(HKCU, Entry("2000"), "IPKey"), "<missing>");
    EXPECT_EQ(Text(HKCU, kProviderSubKey, "EdnIP"), "1000");
    EXPECT_EQ(Text(HKLM, kProviderSubKey, "IPKey"), "<missing>") << "the older mark is removed";

    // Later runs leave the user's numbers alone.
    AddEntry(HKLM, "0500");
    SetText(HKCU, kProviderSubKey, "EdnIP", "1000 mine");
    wiz->InitUserProviderKeys();
    EXPECT_EQ(SubKeys(HKCU, kPreferredEdnsKey),
              (std::vector<std::string>{"1000", "2000", "RTYUE"}));
    EXPECT_EQ(Text(HKCU, kProviderSubKey, "EdnIP"), "1000 mine");
}

TEST_F(ProviderKeysTest, IsPreferredLineAddressAsksTheLineObject) {
    struct Case {
        const char* what;
        std::string preferredLine, address;
        bool isPhoneSet, expected;
    };
    const Case cases[] = {
        {"the physical set's number", "3", "2000", true, true},
        {"the multimedia set's number", "3", "7000", false, true},
        {"another address", "3", "2001", true, false},
        {"no preferred line", "-1", "2000", true, false},
        {"a line that is not a number", "abc", "2000", true, false},
    };
    wiz->mvarPhoneSetNumber = "2000";
    wiz->mvarIP_EDN = "7000";
    for (const auto& c : cases) {
        fakes.line.preferredLine = c.preferredLine;
        fakes.line.addresses = {{c.preferredLine, c.address}};
        wiz->mvarbIsPhoneSet = c.isPhoneSet;
        EXPECT_EQ(wiz->IsPreferredLineAddress(), c.expected) << c.what;
        EXPECT_EQ(fakes.Live("LineObject"), 0) << c.what;
    }

    fakes.line.preferredLine = "3";
    fakes.line.addresses = {{"3", "2000"}};
    wiz->mvarbIsPhoneSet = true;
    fakes.failures["LineObject.Terminate"] = E_FAIL;
    EXPECT_TRUE(wiz->IsPreferredLineAddress()) << "the answer reached before the failure stands";
    fakes.failures = {{"LineObject.Initialize", E_FAIL}};
    EXPECT_FALSE(wiz->IsPreferredLineAddress());
    catalog.Unregister(kProgID_LineObject);
    EXPECT_FALSE(wiz->IsPreferredLineAddress());
    EXPECT_TRUE(LoggedSources().empty()) << "the line check logs nothing";
}

TEST_F(ProviderKeysTest, GetSwitchInfoExtTakesThePrefixOfOurProvider) {
    fakes.provider.providers = {{"Unimodem", "u1", "9", "u3"},
                                {"Korvane TAPI Service Provider", "k1", "0", "k3"},
                                {"Other", "o1", "8", "o3"}};
    wiz->sPrefixePbx = "old";
    EXPECT_FALSE(wiz->GetSwitchInfoExt());
    EXPECT_EQ(wiz->sPrefixePbx, "0");
    EXPECT_EQ(wiz->MousePointer(), vbDefault);

    fakes.provider.providers = {{"Unimodem", "", "9", ""}};
    wiz->GetSwitchInfoExt();
    EXPECT_EQ(wiz->sPrefixePbx, "0") << "no provider of ours: the prefix stays";

    fakes.failures["ProviderConfigurator.GetProviderName"] = E_FAIL;
    EXPECT_THROW(wiz->GetSwitchInfoExt(), BasicError) << "no trap: the caller's trap logs it";
    EXPECT_EQ(wiz->MousePointer(), vbDefault);
}

}  // namespace
}  // namespace zelwiz
