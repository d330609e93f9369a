// The same INI file configures a workstation through this build and through zelwiz.exe (under
// Wine): both registries must then hold the same product keys, value names, types and data. The
// Windows build is named by ZELWIZ_WINDOWS_BUILD (scripts/test sets it once that build is made).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <utility>

#include "platform/RegFile.h"
#include "program/ProgramRun.h"

namespace zelwiz::test {
namespace {

namespace fs = std::filesystem;

// One value: its key (in upper case, as key names are compared), name (likewise), type, data.
using Entry = std::tuple<std::string, std::string, DWORD, std::vector<std::uint8_t>>;

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), ::toupper);
    return text;
}

void Collect(const RegNode& node, const std::string& path, std::set<Entry>* entries) {
    for (const RegValueData& value : node.values)
        entries->insert({Upper(path), Upper(value.name), value.type, value.data});
    for (const auto& [name, child] : node.subkeys)
        Collect(*child, path + "\\" + name, entries);
}

// The values below Software\Korvane of a .reg file of `hive`, in any form regedit writes.
std::set<Entry> ProductValues(const std::string& regText, HKEY hive) {
    RegNode root;
    RegFileError error;
    EXPECT_TRUE(ReadRegFile(regText, hive, &root, &error)) << error.line << ": " << error.reason;
    std::set<Entry> entries;
    if (const RegNode* product = root.FindOrAdd("Software").Find("Korvane"))
        Collect(*product, "Software\\Korvane", &entries);
    return entries;
}

class CrossBuild : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* build = std::getenv("ZELWIZ_WINDOWS_BUILD");
        if (build == nullptr || !fs::exists(fs::path(build) / "zelwiz.exe"))
            GTEST_SKIP() << "ZELWIZ_WINDOWS_BUILD names no Windows build";
        windowsBuild_ = fs::absolute(build);
        prefix_ = windowsBuild_ / "wine-prefix";
        TearDown();
    }
    void TearDown() override {
        for (const char* key : {"HKCU\\Software\\Korvane", "HKLM\\Software\\Korvane"}) {
            if (!prefix_.empty())
                Wine({"reg", "delete", key, "/f"});
        }
    }

    // Runs a program under Wine in the Windows build's prefix, from `folder`.
    int Wine(const std::vector<std::string>& command, const fs::path& folder = {}) {
        std::string line = folder.empty() ? "" : "cd '" + folder.string() + "' && ";
        line += "'" ZELWIZ_WINE_RUN "' '" + prefix_.string() + "'";
        for (const std::string& part : command)
            line += " '" + part + "'";
        return std::system((line + " >/dev/null 2>&1").c_str());
    }

    TempFolder temp_;
    fs::path windowsBuild_;
    fs::path prefix_;
};

TEST_F(CrossBuild, TheSameIniGivesTheSameRegistryOnBothBuilds) {
    ProgramFolder native;
    native.WriteProgramFile("confdirect.ini", kFullIni);
    ASSERT_EQ(native.Run({}).exitCode, 0);

    const fs::path program = temp_.path() / "program";
    fs::create_directories(program);
    fs::copy_file(windowsBuild_ / "zelwiz.exe", program / "zelwiz.exe");
    fs::copy_file(windowsBuild_ / "tests" / "zelwiz_recording_tool.exe", program / "zelphone.exe");
    std::ofstream(program / "confdirect.ini", std::ios::binary) << kFullIni;
    std::ofstream(temp_.path() / "seed.reg", std::ios::binary) << InstalledMachine();
    ASSERT_EQ(Wine({"regedit", "/S", "seed.reg"}, temp_.path()), 0);
    ASSERT_EQ(Wine({"zelwiz.exe"}, program), 0);
    for (const auto& [hive, file] :
         {std::pair{HKEY_CURRENT_USER, "user.reg"}, std::pair{HKEY_LOCAL_MACHINE, "machine.reg"}}) {
        SCOPED_TRACE(HiveName(hive));
        const std::string key = std::string(HiveName(hive)) + "\\Software\\Korvane";
        ASSERT_EQ(Wine({"regedit", "/E", file, key}, temp_.path()), 0);
        const std::set<Entry> onLinux = ProductValues(native.HiveText(hive), hive);
        EXPECT_FALSE(onLinux.empty());
        EXPECT_EQ(ProductValues(ReadAll(temp_ / file), hive), onLinux);
    }
}

}  // namespace
}  // namespace zelwiz::test
