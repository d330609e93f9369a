#include "support/TelephonyTestPlatform.h"

#include <regex>

#include "environment/Translation.h"
#include "settings/CRegSettings.h"
#include "telephony/ProviderHive.h"
#include "telephony/frmEditSettings.h"

namespace zelwiz {

void TelephonyTest::SetUp() {
    InstallPlatform(Platform{&registry, &shell, &toolkit, &catalog});
    toolkit.SetAppTitle("Parlova Configuration Wizard");
    fakes.Register(catalog);
    gTextTranslator() = CreateComponent<TextTranslator>(kCLSID_TextTranslator);
    bAllUsers = false;
    bVoipSelection = true;
    wiz = std::make_unique<frmWizard>();
    wiz->oRegObj = std::make_unique<CRegSettings>();
    wiz->Observer = [this](Control* changed) {
        if (changed == nullptr && (pointers.empty() || pointers.back() != wiz->MousePointer()))
            pointers.push_back(wiz->MousePointer());
    };
}

void TelephonyTest::TearDown() {
    wiz.reset();
    EXPECT_EQ(fakes.LiveOperationObjects(), 0) << "a component object was not released";
    EXPECT_EQ(registry.OpenHandleCount(), 0u) << "a registry key was left open";
    EXPECT_FALSE(frmEditSettings::Instance().IsLoaded()) << "the selection dialog stayed loaded";
    frmEditSettings::Instance().Unload();
    gTextTranslator().Reset();
    bAllUsers = false;
    bVoipSelection = true;
}

void TelephonyTest::MakeKey(HKEY hive, const std::string& path) {
    HKEY key = 0;
    ASSERT_EQ(registry.CreateKey(hive, path, KEY_ALL_ACCESS, &key), ERROR_SUCCESS) << path;
    registry.CloseKey(key);
}

std::string TelephonyTest::Text(HKEY hive, const std::string& path, const std::string& name) {
    std::string text = Raw(hive, path, name).value_or("<missing>");
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::vector<std::string> TelephonyTest::SubKeys(HKEY hive, const std::string& path) {
    std::vector<std::string> names;
    HKEY key = 0;
    if (registry.OpenKey(hive, path, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    std::string name;
    for (DWORD i = 0; registry.EnumKey(key, i, &name, kMaxKeyNameChars + 1) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    registry.CloseKey(key);
    return names;
}

namespace {
void Collect(const RegNode& node, const std::string& path, std::vector<std::string>& out) {
    for (const auto& v : node.values) {
        std::string text(v.data.begin(), v.data.end());
        if (v.type == REG_SZ && !text.empty() && text.back() == '\0')
            text.pop_back();
        if (v.type == REG_DWORD && v.data.size() == 4)
            text = "dword:" + std::to_string(v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) |
                                             (v.data[3] << 24));
        out.push_back(path + "|" + v.name + "=" + text);
    }
    if (node.values.empty() && node.subkeys.empty())
        out.push_back(path);
    for (const auto& [name, child] : node.subkeys)
        Collect(*child, path + "\\" + child->name, out);
}
}  // namespace

std::vector<std::string> TelephonyTest::Layout() {
    std::vector<std::string> out;
    Collect(registry.Hive(HKEY_LOCAL_MACHINE), "HKLM", out);
    Collect(registry.Hive(HKEY_CURRENT_USER), "HKCU", out);
    return out;
}

std::vector<std::string> TelephonyTest::LoggedSources() {
    // The second field: "Err: <error source>[.<window caption>] - <source>[ line <n>]".
    static const std::regex kWhere("Err: .* - (.+?)( line \\d+)?");
    std::vector<std::string> sources;
    for (const auto& fields : ReadLog(DefaultLogPath())) {
        std::smatch match;
        const std::string& where = fields.size() > 1 ? fields[1] : fields[0];
        sources.push_back(std::regex_match(where, match, kWhere) ? match[1].str() : where);
    }
    return sources;
}

}  // namespace zelwiz
