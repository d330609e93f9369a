// The same INI file configures a workstation through this build and through zelwiz.exe (under
// Wine): both registries must then hold the same product keys, value names, types and data. The
// Windows build is named by ZELWIZ_WINDOWS_BUILD (scripts/test sets it once that build is made).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include "platform/RegFile.h"
#include "program/ProgramRun.h"

namespace zelwiz::test {
namespace {

namespace fs = std::filesystem;

const char* const kInstalledMachine = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Korvane\7316\Install]
"CCC"="ThirdCSTALAN"
"7316Name"="Korvane Parlova"
"Build"="118"
"Flags"=dword:00000003

[HKEY_LOCAL_MACHINE\Software\Korvane\TSpi_CSTA]
"PbxPrefix"="0"
)";

const char* const kIni =
    "[ADDRESS]\r\nHostname= pbx-lyon \r\nvoipname=10.0.0.20\r\ncentralname=log1\r\n"
    "[PARLOVA]\r\nProfil=pro\r\nEdn=7000\r\n";

// One value: its key (in upper case, as key names are compared), name (likewise), type, data.
using Entry = std::tuple<std::string, std::string, DWORD, std::vector<std::uint8_t>>;

std::string Upper(std::string text) {
    for (char& c : text)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
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
    const RegNode* software = root.Find("Software");
    const RegNode* product = software != nullptr ? software->Find("Korvane") : nullptr;
    if (product != nullptr)
        Collect(*product, "Software\\Korvane", &entries);
    return entries;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
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
    native.SeedHive(HKEY_LOCAL_MACHINE, kInstalledMachine);
    native.InstallRecordingTool("zelphone.exe");
    native.WriteProgramFile("confdirect.ini", kIni);
    ASSERT_EQ(native.Run({}).exitCode, 0);

    const fs::path program = temp_.path() / "program";
    fs::create_directories(program);
    fs::copy_file(windowsBuild_ / "zelwiz.exe", program / "zelwiz.exe");
    fs::copy_file(windowsBuild_ / "tests" / "zelwiz_recording_tool.exe", program / "zelphone.exe");
    std::ofstream(program / "confdirect.ini", std::ios::binary) << kIni;
    std::ofstream(temp_.path() / "seed.reg", std::ios::binary) << kInstalledMachine;
    ASSERT_EQ(Wine({"regedit", "/S", "seed.reg"}, temp_.path()), 0);
    ASSERT_EQ(Wine({"zelwiz.exe"}, program), 0);
    ASSERT_EQ(
        Wine({"regedit", "/E", "user.reg", "HKEY_CURRENT_USER\\Software\\Korvane"}, temp_.path()),
        0);
    ASSERT_EQ(Wine({"regedit", "/E", "machine.reg", "HKEY_LOCAL_MACHINE\\Software\\Korvane"},
                   temp_.path()),
              0);

    for (const auto& [hive, linuxText, windowsFile] :
         {std::tuple{HKEY_CURRENT_USER, native.HiveText(HKEY_CURRENT_USER), "user.reg"},
          std::tuple{HKEY_LOCAL_MACHINE, native.HiveText(HKEY_LOCAL_MACHINE), "machine.reg"}}) {
        SCOPED_TRACE(HiveName(hive));
        const std::set<Entry> onLinux = ProductValues(linuxText, hive);
        EXPECT_FALSE(onLinux.empty());
        EXPECT_EQ(ProductValues(ReadFile(temp_.path() / windowsFile), hive), onLinux);
    }
}

}  // namespace
}  // namespace zelwiz::test
