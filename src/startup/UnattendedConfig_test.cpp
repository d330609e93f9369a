// The unattended configuration decides, from what the INI file gives, between saving without a
// window and showing the wizard already filled in.
#include "startup/UnattendedConfig.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

TEST(UnattendedConfiguration, SavesOnlyWithWhatTheChosenFileNeedsElseShowsTheWizard) {
    constexpr bool kTapi21 = true, kDirect = false, kSaved = true, kWizard = false;
    struct Row {
        bool tapi21;
        const char* ini;
        bool saved;
        const char* profile;  // the profile stored, or mvarProfile when the wizard is needed
        std::vector<std::string> logged;
    };
    const std::string kNoPbx = "The CSTA Ip Address field must be fill";
    const std::string kNoBoard = "The VoIp Address field is empty";
    const std::string kNoProfile = "The Profile field is empty";
    const Row rows[] = {
        {kDirect,
         "[ADDRESS]\nHostname=pbx\nvoipname=voip\n[PARLOVA]\nProfil=pro\nEdn=7000\n",
         kSaved,
         "1",
         {}},
        {kDirect,
         "[ADDRESS]\nHostname=pbx\n[PARLOVA]\nEdn=2000\n",
         kSaved,
         "2",
         {kNoBoard, kNoProfile}},
        {kDirect,
         "[ADDRESS]\nvoipname=voip\n[PARLOVA]\nProfil=0\nEdn=7000\n",
         kWizard,
         "0",
         {kNoPbx}},
        {kDirect,
         "[ADDRESS]\nHostname=pbx\nvoipname=voip\n[PARLOVA]\nProfil=TEAM\n",
         kWizard,
         "2",
         {}},
        {kDirect,
         "[ADDRESS]\nHostname=pbx\n[PARLOVA]\nProfil=Operator\n",
         kWizard,
         "3",
         {kNoBoard}},
        {kDirect,
         "[ADDRESS]\nHostname=   \n[PARLOVA]\nProfil=7\nEdn=2000\n",
         kWizard,
         "2",
         {kNoBoard}},
        {kTapi21, "[PARLOVA]\nProfil=-1\nEdn=3000\n", kSaved, "2", {kNoPbx, kNoBoard}},
        {kTapi21,
         "[ADDRESS]\nHostname=pbx\nvoipname=voip\n[PARLOVA]\nProfil=basic\n",
         kWizard,
         "0",
         {}},
    };
    for (const Row& row : rows) {
        WizardTestPlatform p;
        frmWizard& w = p.LoadWizard();
        const std::string file =
            (p.root / "program" / (row.tapi21 ? kConfTapi21Ini : kConfDirectIni)).string();
        std::ofstream(file) << row.ini;
        const std::string what =
            std::string(row.tapi21 ? "confTapi21.ini " : "confdirect.ini ") + row.ini;

        EXPECT_EQ(RunUnattendedConfiguration(w, file, row.tapi21), row.saved) << what;
        EXPECT_EQ(w.IsLoaded(), !row.saved) << what;
        EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "IsWizConfigured")
                      .has_value(),
                  row.saved)
            << what;
        if (row.saved) {
            auto stored =
                p.Raw(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "ProductProfil");
            EXPECT_EQ(stored.value_or("?").c_str(), std::string(row.profile)) << what;
        } else {
            EXPECT_EQ(w.mvarProfile, row.profile) << what;
        }
        EXPECT_TRUE(w.mvarbFileIniExist) << what;
        std::vector<std::string> logged;
        for (const auto& line : p.Log())
            logged.push_back(line.at(2));
        EXPECT_EQ(logged, row.logged) << what;
    }
}

}  // namespace
}  // namespace zelwiz
