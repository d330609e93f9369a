// frmWizard: the TAPI provider's keys. The provider names its lines "KORVANE - " and a directory
// number; PreferredEDNs holds one subkey per number it offers, the entry of the multimedia PC set
// marked with "IPKey"; the user's preferred line is "Preferred Line" of 7316\ZELDial\Preference.

#include <cstdint>
#include <string>
#include <vector>

#include "environment/mLogError.h"
#include "platform/ComponentCatalog.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "settings/CRegSettings.h"
#include "telephony/Hourglass.h"
#include "telephony/ProviderConfigurator.h"
#include "telephony/ProviderHive.h"
#include "telephony/ProviderRegistry.h"
#include "wizard/frmWizard.h"

namespace zelwiz {
namespace {

constexpr const char* kProviderPath = "Software\\Korvane\\TSpi_CSTA\\Provider";
constexpr const char* kPreferredEdnsPath = "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs";
constexpr const char* kLinePrefix = "KORVANE - ";
constexpr size_t kLinePrefixLength = 10;
constexpr const char* kOurProvider = "Korvane TAPI Service Provider";

CRegSettings& RegObj(frmWizard& wiz) {
    if (!wiz.oRegObj)
        Raise(kErrObjectNotSet);
    return *wiz.oRegObj;
}

std::string EntryPath(const std::string& number) {
    return std::string(kPreferredEdnsPath) + "\\" + number;
}

std::string PreferredLine(frmWizard& wiz, HKEY hive) {
    return RegObj(wiz).GetSettingFromHKey(hive, "7316\\ZELDial", "Preference", "Preferred Line",
                                          "");
}

// The entry of the number carries the multimedia PC set's mark in that hive.
bool IsMarked(frmWizard& wiz, HKEY hive, const std::string& number) {
    return !Trim(RegObj(wiz).GetSettingFromHKey(hive, "TSpi_CSTA\\PreferredEDNs", number, "IPKey",
                                                ""))
                .empty();
}

}  // namespace

bool frmWizard::CanWriteRegistry(HKEY hive, const std::string& AppName,
                                 const std::string& Section) {
    if (hive == 0)
        return true;
    return RegObj(*this).IsUserAdmin(hive, AppName, Section);
}

std::string frmWizard::GetUserThenMachineSetting(const std::string& AppName,
                                                 const std::string& Section, const std::string& Key,
                                                 const std::string& Default) {
    CRegSettings& reg = RegObj(*this);
    std::string text = reg.GetSettingFromHKey(HKEY_CURRENT_USER, AppName, Section, Key, Default);
    if (text.empty())
        text = reg.GetSettingFromHKey(HKEY_LOCAL_MACHINE, AppName, Section, Key, Default);
    return text;
}

std::string frmWizard::GetStoredSwitchName() {
    return GetUserThenMachineSetting("TSpi_CSTA", "", "SwitchName", "");
}

std::string frmWizard::GetStoredIPLANAdd() {
    return GetUserThenMachineSetting("TSpi_CSTA", "Provider", "IpAddress", "");
}

std::string frmWizard::GetStoredEdnSet() {
    return GetUserThenMachineSetting("7316\\ZELWiz", "Settings", "EdnSet", "");
}

void frmWizard::SaveSwitchName(const std::string& name) {
    OnErrorExit(
        [&] {
            RegObj(*this).SaveSettingToHKey(ProviderHive(), "TSpi_CSTA", "", "SwitchName", name);
        },
        {});
}

void frmWizard::SaveProviderIpAddress(const std::string& address) {
    OnErrorExit(
        [&] {
            RegObj(*this).SaveSettingToHKey(ProviderHive(), "TSpi_CSTA", "Provider", "IpAddress",
                                            address);
        },
        {});
}

void frmWizard::SaveProviderEdnIP(const std::string& number) {
    if (bAllUsers) {
        if (CanWriteRegistry(HKEY_LOCAL_MACHINE, "TSpi_CSTA", ""))
            RegObj(*this).SaveSettingToHKey(HKEY_LOCAL_MACHINE, "TSpi_CSTA", "Provider", "EdnIP",
                                            number);
    } else {
        RegObj(*this).SaveSettingToHKey(HKEY_CURRENT_USER, "TSpi_CSTA", "Provider", "EdnIP",
                                        number);
    }
}

std::string frmWizard::StripProviderPrefix(std::string& line) {
    if (line.compare(0, kLinePrefixLength, kLinePrefix) == 0) {
        line.erase(0, kLinePrefixLength);
        const size_t more = line.find(" -");
        if (more != std::string::npos)
            line.erase(more);
    }
    return line;
}

bool frmWizard::IsIPEdnPreferred() {
    const std::string ednIP = RegObj(*this).GetSettingFromHKey(HKEY_CURRENT_USER, "7316\\ZELWiz",
                                                               "Settings", "EdnIP", "");
    if (Trim(ednIP).empty())
        return false;
    const std::string line = PreferredLine(*this, HKEY_CURRENT_USER);
    return !Trim(line).empty() && line.find(ednIP) != std::string::npos;
}

std::string frmWizard::GetPhoneSetNumber() {
    if (!Trim(mvarPhoneSetNumber).empty())
        return mvarPhoneSetNumber;
    HKEY hive = HKEY_CURRENT_USER;
    std::string line = PreferredLine(*this, hive);
    if (line.empty()) {
        hive = HKEY_LOCAL_MACHINE;
        line = PreferredLine(*this, hive);
    }
    if (line.empty())
        return GetStoredEdnSet();
    const std::string number = StripProviderPrefix(line);
    std::vector<std::string> entries;
    GetSubKeys(hive, kPreferredEdnsPath, entries);
    for (const auto& entry : entries) {
        if (entry == number) {
            // The preferred line is the multimedia PC set's: propose the physical set's number.
            return IsMarked(*this, hive, number) ? GetStoredEdnSet() : number;
        }
    }
    return number;
}

void frmWizard::InitUserProviderKeys() {
    CRegSettings& reg = RegObj(*this);
    const std::string ednIP =
        reg.GetSettingFromHKey(HKEY_LOCAL_MACHINE, "TSpi_CSTA", "Provider", "EdnIP", "");

    // The IP mark moves from the Provider key to the entry of the set's number.
    if (!Trim(ednIP).empty()) {
        DeleteRegValue(HKEY_LOCAL_MACHINE, kProviderPath, "IPKey");
        const std::string entry = EntryPath(ednIP);
        if (bAllUsers) {
            if (RegKeyExists(HKEY_LOCAL_MACHINE, entry) &&
                CanWriteRegistry(HKEY_LOCAL_MACHINE, "TSpi_CSTA", ""))
                SetRegString(HKEY_LOCAL_MACHINE, entry, "IPKey", "1");
        } else if (RegKeyExists(HKEY_CURRENT_USER, entry)) {
            SetRegString(HKEY_CURRENT_USER, entry, "IPKey", "1");
        }
    }
    if (bAllUsers)
        return;

    // First run for this user: the preferred line's number, then other machine numbers, two at
    // most.
    if (!RegKeyExists(HKEY_CURRENT_USER, kPreferredEdnsPath)) {
        CreateRegKey(HKEY_CURRENT_USER, kPreferredEdnsPath);
        int copied = 0;
        std::string line = PreferredLine(*this, HKEY_CURRENT_USER);
        if (line.compare(0, kLinePrefixLength, kLinePrefix) == 0) {
            StripProviderPrefix(line);
            bool marked = IsMarked(*this, HKEY_LOCAL_MACHINE, line);
            SetPreferredEdnKey(EntryPath(line), marked);
            copied = 1;
        }
        std::vector<std::string> entries;
        if (GetSubKeys(HKEY_LOCAL_MACHINE, kPreferredEdnsPath, entries, line, "")) {
            for (const auto& entry : entries) {
                if (copied >= 2)
                    break;
                bool marked = IsMarked(*this, HKEY_LOCAL_MACHINE, entry);
                SetPreferredEdnKey(EntryPath(entry), marked);
                ++copied;
            }
        }
    }

    if (!RegKeyExists(HKEY_CURRENT_USER, kProviderPath)) {
        CreateRegKey(HKEY_CURRENT_USER, kProviderPath);
        if (!Trim(ednIP).empty() &&
            Trim(reg.GetSettingFromHKey(HKEY_CURRENT_USER, "TSpi_CSTA", "Provider", "EdnIP", ""))
                .empty())
            reg.SaveSettingToHKey(HKEY_CURRENT_USER, "TSpi_CSTA", "Provider", "EdnIP", ednIP);
    }
}

void frmWizard::SetPreferredEdnKey(const std::string& keyPath, bool& bIsIP) {
    if (bAllUsers) {
        if (CanWriteRegistry(HKEY_LOCAL_MACHINE, "TSpi_CSTA", "")) {
            CreateRegKey(HKEY_LOCAL_MACHINE, keyPath);
            if (bIsIP)
                SetRegString(HKEY_LOCAL_MACHINE, keyPath, "IPKey", "1");
            else
                DeleteRegValue(HKEY_LOCAL_MACHINE, keyPath, "IPKey");
        }
        return;
    }
    CreateRegKey(HKEY_CURRENT_USER, keyPath);
    if (bIsIP)
        SetRegString(HKEY_CURRENT_USER, keyPath, "IPKey", "1");
    else
        DeleteRegValue(HKEY_CURRENT_USER, keyPath, "IPKey");
    // The provider must never see exactly one number in the user's key.
    std::vector<std::string> all;
    GetAllSubKeys(HKEY_CURRENT_USER, kPreferredEdnsPath, all);
    if (all.size() == 1)
        CreateRegKey(HKEY_CURRENT_USER,
                     std::string(kPreferredEdnsPath) + "\\" + kPlaceholderSubKey);
}

std::string frmWizard::GetLastEdnUsed(HKEY hive, std::string number, bool bIsIP) {
    std::string kept;
    OnErrorExit(
        [&] {
            std::string line = PreferredLine(*this, HKEY_CURRENT_USER);
            const std::string preferred = StripProviderPrefix(line);
            if (preferred == number)
                return;
            const bool marked = IsMarked(*this, hive, preferred);
            // A new multimedia PC set number replaces the old one.
            if (marked && bIsIP)
                return;
            kept = preferred;
        },
        [this] { LogError("frmWizard.GetLastEdnUsed", this); });
    return kept;
}

std::string frmWizard::GetLastLastEdnUsed(HKEY hive, std::string number, bool bIsIP) {
    std::string kept;
    OnErrorExit(
        [&] {
            std::string line = PreferredLine(*this, HKEY_CURRENT_USER);
            const std::string preferred = StripProviderPrefix(line);
            std::vector<std::string> entries;
            if (!GetSubKeys(hive, kPreferredEdnsPath, entries, preferred, number))
                return;
            for (const auto& entry : entries) {
                if (!IsMarked(*this, hive, entry) || !bIsIP) {
                    kept = entry;
                    return;
                }
            }
        },
        [this] { LogError("frmWizard.GetLastLastEdnUsed", this); });
    return kept;
}

void frmWizard::UpdatePreferredEdns(std::string& number, bool& bIsIP) {
    const HKEY hive = ProviderHive();
    std::string keep = GetLastEdnUsed(hive, number, bIsIP);
    if (keep.empty())
        keep = GetLastLastEdnUsed(hive, number, bIsIP);

    std::vector<std::string> entries;
    if (GetSubKeys(hive, kPreferredEdnsPath, entries)) {
        for (const auto& entry : entries) {
            if (entry == number)
                continue;
            if (entry == keep) {
                if (IsMarked(*this, hive, entry))
                    SaveProviderEdnIP(entry);
                continue;
            }
            if (IsMarked(*this, hive, entry))
                RegObj(*this).DeleteKey(hive, "TSpi_CSTA", "Provider", "EdnIP");
            DeleteRegSubKey(hive, kPreferredEdnsPath, entry);
        }
    }
    SetPreferredEdnKey(EntryPath(number), bIsIP);
}

bool frmWizard::IsPreferredLineAddress() {
    const std::string number = mvarbIsPhoneSet ? mvarPhoneSetNumber : mvarIP_EDN;
    bool result = false;
    // Any failure releases the line object and answers what was reached so far.
    OnErrorExit(
        [&] {
            auto line = CreateComponent<IDispatchObject>(kProgID_LineObject);
            CallByName(*line, "Initialize");
            const std::string preferred = VariantText(CallByName(*line, "Preferredline"));
            if (CLng(preferred) != -1) {
                std::vector<Variant> args{preferred};
                if (VariantText(CallByName(*line, "LineAddress", args)) == number)
                    result = true;
            }
            CallByName(*line, "Terminate");
        },
        {});
    return result;
}

bool frmWizard::GetSwitchInfoExt() {
    Hourglass hourglass(*this);
    auto configurator = CreateComponent<ProviderConfigurator>(kCLSID_ProviderConfigurator);
    CheckHr(configurator->Initialize());
    std::int32_t count = 0;
    CheckHr(configurator->GetProviderCount(&count));
    for (std::int64_t i = 0; i <= count; ++i) {
        std::string name;
        CheckHr(configurator->GetProviderName(static_cast<std::int32_t>(i), &name));
        if (name == kOurProvider) {
            std::string unused1, unused3;
            CheckHr(configurator->GetSwitchInfo(static_cast<std::int32_t>(i), &unused1,
                                                &sPrefixePbx, &unused3));
            break;
        }
    }
    return false;
}

}  // namespace zelwiz
