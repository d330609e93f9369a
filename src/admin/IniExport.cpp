#include "admin/IniExport.h"

#include "admin/AdminErrors.h"
#include "admin/ChangeList.h"
#include "admin/KeyTree.h"
#include "admin/ScratchFolder.h"
#include "admin/UnattendedCheck.h"
#include "platform/Conversions.h"
#include "platform/OverlayRegistry.h"
#include "platform/Shell.h"
#include "startup/UnattendedConfig.h"

namespace zelwiz {
namespace {

const RegNode* Find(const RegNode* node, const std::string& path) {
    std::vector<std::string> levels;
    SplitKeyPath(path, &levels);
    for (const std::string& level : levels) {
        if (node == nullptr)
            return nullptr;
        node = node->Find(level);
    }
    return node;
}

// The text of a value below the product's key, without its NUL; empty when absent.
std::string Text(const RegNode* product, const std::string& path, const std::string& name) {
    const RegNode* node = Find(product, path);
    const RegValueData* value = node == nullptr ? nullptr : node->FindValue(name);
    if (value == nullptr || (value->type != REG_SZ && value->type != REG_EXPAND_SZ))
        return {};
    return TextOfData(value->data);
}

// The INI key's line. The reader takes one pair of quotes around a value away: a value that has
// them of its own gets a pair more.
std::string Line(IniKey key, const std::string& value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return std::string(key.name) + "=" + (quoted ? "\"" + value + "\"" : value) + "\r\n";
}

// The profile as a keyword of the INI file; the Operator is stored as Team with phone mode 3.
std::string ProfileKeyword(const RegNode* user) {
    const std::string profile = Trim(Text(user, "7316\\Install", "ProductProfil"));
    if (profile == "0")
        return "BASIC";
    if (profile == "1")
        return "PRO";
    if (profile == "2")
        return Trim(Text(user, "7316\\ZELPhone\\Settings", "PhoneMode")) == "3" ? "OPERATOR"
                                                                                : "TEAM";
    return {};
}

// Whether a new user's value means what this user's does. The profile is read as a number: the
// wizard stores it with a blank before the digit, an INI file without.
bool SameValue(const RegValueData& mine, const RegValueData* theirs) {
    if (theirs == nullptr)
        return false;
    if (NameEquals(mine.name, "ProductProfil") && mine.type == REG_SZ && theirs->type == REG_SZ) {
        auto text = [](const RegValueData& v) {
            return Trim(std::string(v.data.begin(), v.data.end()));
        };
        return text(mine) == text(*theirs);
    }
    return mine.type == theirs->type && mine.data == theirs->data;
}

// Every value and key of this user's tree that the new user's does not have the same.
void Compare(const RegNode& mine, const RegNode* theirs, const std::string& path,
             std::vector<std::string>* losses) {
    if (theirs == nullptr && mine.values.empty() && mine.subkeys.empty())
        losses->push_back(path + ": a new user does not get this key");
    for (const RegValueData& value : mine.values) {
        const RegValueData* other = theirs == nullptr ? nullptr : theirs->FindValue(value.name);
        if (SameValue(value, other))
            continue;
        losses->push_back(path + " " + (value.name.empty() ? "@" : "\"" + value.name + "\"") +
                          " = " + DataText(value.type, value.data) + ": a new user gets " +
                          (other == nullptr ? "none" : DataText(other->type, other->data)));
    }
    for (const auto& [name, child] : mine.subkeys) {
        Compare(*child, theirs == nullptr ? nullptr : theirs->Find(name), path + "\\" + child->name,
                losses);
    }
}

}  // namespace

IniExport ExportIni(Registry& registry, Shell& shell, bool tapi21) {
    const auto userTree = ReadKeyTree(registry, HKEY_CURRENT_USER, kProductKeyPath);
    const auto machineTree = ReadKeyTree(registry, HKEY_LOCAL_MACHINE, kProductKeyPath);
    const RegNode* user = userTree ? &*userTree : nullptr;
    const RegNode* machine = machineTree ? &*machineTree : nullptr;
    if (Val(Trim(Text(user, "7316\\Install", "IsWizConfigured"))) == 0) {
        throw CommandFailed(
            "this user has no configuration to export: the wizard was never completed");
    }
    // The provider's values: the user's own when set, else the machine's.
    auto provider = [&](const std::string& path, const std::string& name) {
        const std::string own = Text(user, path, name);
        return Trim(own).empty() ? Text(machine, path, name) : own;
    };

    const bool multimedia = Text(user, "7316\\ZELDial\\Settings", "ExtHandsetvisible") == "1";
    std::string address, parlova;
    auto add = [](std::string& section, IniKey key, const std::string& value) {
        if (!value.empty())
            section += Line(key, value);
    };
    add(address, kHostnameKey, provider("TSpi_CSTA", "SwitchName"));
    if (multimedia)
        add(address, kVoipNameKey, provider("TSpi_CSTA\\Provider", "IpAddress"));
    if (Text(user, "7316\\PRLserver\\Settings", "UseCentrallog") == "1")
        add(address, kCentralNameKey, Text(user, "7316\\PRLserver\\Settings", "PRLserverName"));
    add(parlova, kProfilKey, ProfileKeyword(user));
    add(parlova, kEdnKey, Text(user, "7316\\ZELWiz\\Settings", multimedia ? "EdnIP" : "EdnSet"));

    IniExport result;
    result.fileName = tapi21 ? kConfTapi21Ini : kConfDirectIni;
    result.text =
        "; exported by zelwiz-admin\r\n[ADDRESS]\r\n" + address + "[PARLOVA]\r\n" + parlova;

    // The file's unattended configuration for a new user on this machine, beside zelwiz.
    ScratchFolder scratch;
    OverlayRegistry newUser(registry);
    newUser.StartEmpty(HKEY_CURRENT_USER);
    const CheckReport run = CheckUnattended(
        newUser, shell,
        CheckRequest{shell.ProgramFolder(), scratch.Write(result.fileName, result.text)});
    if (run.outcome != CheckOutcome::Saved && run.outcome != CheckOutcome::RestartNotice)
        result.losses.push_back("with this file a new user does not get a configuration: " +
                                run.reason);
    std::string failed;
    if (ApplyChanges(newUser, run.changes, &failed) != ERROR_SUCCESS)
        throw CommandFailed("the new user's configuration cannot be made: " + failed);
    const auto theirs = ReadKeyTree(newUser, HKEY_CURRENT_USER, kProductKeyPath);
    Compare(*user, theirs ? &*theirs : nullptr,
            "HKEY_CURRENT_USER\\" + std::string(kProductKeyPath), &result.losses);
    return result;
}

}  // namespace zelwiz
