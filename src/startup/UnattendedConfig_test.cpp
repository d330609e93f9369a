// The unattended configuration decides, from what the INI file gives, between saving without a
// window and showing the wizard already filled in.
#include "startup/UnattendedConfig.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

// One "name=value" line of an INI file; nothing for a missing value.
std::string IniLine(const char* name, const char* value) {
    return value == nullptr ? "" : std::string(name) + "=" + value + "\n";
}

TEST(UnattendedConfiguration, SavesOnlyWithWhatTheChosenFileNeedsElseShowsTheWizard) {
    constexpr bool kTapi21 = true, kDirect = false, kSaved = true, kWizard = false;
    struct Row {
        bool tapi21;
        // Hostname and voipname of [ADDRESS], Profil and Edn of [PARLOVA]; nullptr: missing.
        const char *hostname, *voipname, *profil, *edn;
        bool saved;
        const char* profile;  // the profile stored, or mvarProfile when the wizard is needed
        std::vector<std::string> logged;
    };
    const std::string kNoPbx = "The CSTA Ip Address field must be fill";
    const std::string kNoBoard = "The VoIp Address field is empty";
    const std::string kNoProfile = "The Profile field is empty";
    const Row rows[] = {
        {kDirect, "pbx", "voip", "pro", "7000", kSaved, "1", {}},
        {kDirect, "pbx", nullptr, nullptr, "2000", kSaved, "2", {kNoBoard, kNoProfile}},
        {kDirect, nullptr, "voip", "0", "7000", kWizard, "0", {kNoPbx}},
        {kDirect, "pbx", "voip", "TEAM", nullptr, kWizard, "2", {}},
        {kDirect, "pbx", nullptr, "Operator", nullptr, kWizard, "3", {kNoBoard}},
        {kDirect, "   ", nullptr, "7", "2000", kWizard, "2", {kNoBoard}},
        {kTapi21, nullptr, nullptr, "-1", "3000", kSaved, "2", {kNoPbx, kNoBoard}},
        {kTapi21, "pbx", "voip", "basic", nullptr, kWizard, "0", {}},
    };
    for (const Row& row : rows) {
        const std::string ini = "[ADDRESS]\n" + IniLine("Hostname", row.hostname) +
                                IniLine("voipname", row.voipname) + "[PARLOVA]\n" +
                                IniLine("Profil", row.profil) + IniLine("Edn", row.edn);
        const char* name = row.tapi21 ? kConfTapi21Ini : kConfDirectIni;
        SCOPED_TRACE(name + ("\n" + ini));
        WizardTestPlatform p;
        frmWizard& w = p.LoadWizard();
        const std::string file = (p.root / "program" / name).string();
        std::ofstream(file) << ini;

        EXPECT_EQ(RunUnattendedConfiguration(w, file, row.tapi21), row.saved);
        EXPECT_EQ(w.IsLoaded(), !row.saved);
        const std::string install = "Software\\Korvane\\7316\\Install";
        EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, install, "IsWizConfigured").has_value(), row.saved);
        const auto stored = p.Raw(HKEY_CURRENT_USER, install, "ProductProfil").value_or("?");
        EXPECT_EQ(row.saved ? std::string(stored.c_str()) : w.mvarProfile, row.profile);
        EXPECT_TRUE(w.mvarbFileIniExist);
        std::vector<std::string> logged;
        for (const auto& line : p.Log())
            logged.push_back(line.at(2));
        EXPECT_EQ(logged, row.logged);
    }
}

}  // namespace
}  // namespace zelwiz
