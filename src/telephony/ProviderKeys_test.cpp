#include <gtest/gtest.h>

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
    SetText(HKCU, kWizSettingsKey, "EdnSet", "4100");
    EXPECT_EQ(wiz->GetPhoneSetNumber(), "4100") << "no preferred line: the stored physical number";
    Prefer(HKCU, "KORVANE - 5000 - Desk");
    AddEntry(HKCU, "5000", true);
    EXPECT_EQ(wiz->GetPhoneSetNumber(), "4100") << "the preferred line is the multimedia PC set's";
    wiz->mvarPhoneSetNumber = "4321";
    EXPECT_EQ(wiz->GetPhoneSetNumber(), "4321") << "a number already typed wins";
    wiz->mvarPhoneSetNumber.clear();
    Prefer(HKCU, "KORVANE - 3000");
    AddEntry(HKCU, "3000");
    EXPECT_EQ(wiz->GetPhoneSetNumber(), "3000")
        << "an unmarked preferred line is the physical set's";
    Prefer(HKCU, "KORVANE - 5001");
    EXPECT_EQ(wiz->GetPhoneSetNumber(), "5001") << "a line the provider does not offer is taken";

    Prefer(HKCU, "");
    Prefer(HKLM, "KORVANE - 6000 - Reception");
    AddEntry(HKLM, "6000", true);
    AddEntry(HKCU, "6000");
    SetText(HKCU, kWizSettingsKey, "EdnSet", "");
    SetText(HKLM, kWizSettingsKey, "EdnSet", "4200");
    EXPECT_EQ(wiz->GetPhoneSetNumber(), "4200")
        << "no preferred line of the user's: the machine's, checked against the machine's entries";
}

TEST_F(ProviderKeysTest, SavingAPhysicalNumberOverAMarkedEntryRemovesTheMarkAndKeepsThePreferred) {
    Prefer(HKCU, "KORVANE - 1000");
    for (bool allUsers : {true, false}) {
        bAllUsers = allUsers;
        const HKEY hive = allUsers ? HKLM : HKCU;
        AddEntry(hive, "1000", true);  // the multimedia PC set's, preferred
        AddEntry(hive, "2000", true);
        AddEntry(hive, "3000");
        std::string number = "2000";
        bool isIP = false;
        wiz->UpdatePreferredEdns(number, isIP);

        const char* where = allUsers ? "all users" : "the user's hive";
        EXPECT_EQ(SubKeys(hive, kPreferredEdnsKey), (std::vector<std::string>{"1000", "2000"}))
            << where;
        EXPECT_EQ(Text(hive, Entry("2000"), "IPKey"), "<missing>")
            << where << ": now a physical set's number";
        EXPECT_EQ(Text(hive, Entry("1000"), "IPKey"), "1") << where;
        EXPECT_EQ(Text(hive, kProviderSubKey, "EdnIP"), "1000") << where;
        EXPECT_EQ(Text(HKCU, kProviderSubKey, "EdnIP"), allUsers ? "<missing>" : "1000") << where;
    }
}

TEST_F(ProviderKeysTest, AllUsersModeWithoutWriteAccessWritesNothing) {
    bAllUsers = true;
    AddEntry(HKLM, "1000", true);
    AddEntry(HKLM, "3000");
    Prefer(HKCU, "KORVANE - 1000");
    registry.SetHiveWritable(HKLM, false);
    const auto before = Layout();

    std::string number = "7000";
    bool isIP = true;
    wiz->UpdatePreferredEdns(number, isIP);
    wiz->SaveProviderEdnIP("7000");
    EXPECT_EQ(Layout(), before);
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

// The preferred line's own address confirms the configuration (the save's tests show a match);
// anything else, or a line object that fails before it answers, does not.
TEST_F(ProviderKeysTest, IsPreferredLineAddressAsksTheLineObject) {
    wiz->mvarbIsPhoneSet = true;
    wiz->mvarPhoneSetNumber = "2000";
    fakes.line.preferredLine = "3";
    fakes.line.addresses = {{"3", "2001"}};
    EXPECT_FALSE(wiz->IsPreferredLineAddress()) << "another address";
    fakes.line.preferredLine = "abc";
    fakes.line.addresses = {{"abc", "2000"}};
    EXPECT_FALSE(wiz->IsPreferredLineAddress()) << "a line that is not a number";

    fakes.line.preferredLine = "3";
    fakes.line.addresses = {{"3", "2000"}};
    fakes.failures["LineObject.Terminate"] = E_FAIL;
    EXPECT_TRUE(wiz->IsPreferredLineAddress()) << "the answer reached before the failure stands";
    fakes.failures = {{"LineObject.Initialize", E_FAIL}};
    EXPECT_FALSE(wiz->IsPreferredLineAddress());
    catalog.Unregister(kProgID_LineObject);
    EXPECT_FALSE(wiz->IsPreferredLineAddress());
    EXPECT_TRUE(LoggedSources().empty()) << "the line check logs nothing";
}

// A failing configurator reaches the caller's trap (the wizard's errors test shows it logged).
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
}

}  // namespace
}  // namespace zelwiz
