#include "environment/mCustom.h"

#include "environment/ProductKeys.h"
#include "environment/VersionInfo.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "settings/CRegSettings.h"
#include "settings/mLibApi32.h"

namespace zelwiz {
namespace {

// From the version resource's names, which the program may read after these globals are made.
std::string Default7316Name() {
    return VersionInfo::CompanyName() + " " + VersionInfo::ProductName();
}
std::string DefaultCopyright() {
    return "Copyright (C) " + VersionInfo::CompanyName() + ". All rights reserved.";
}

}  // namespace

// The names hold their defaults from the start, so that a data folder or a title asked for before
// ReadProductNames runs is already the product's.
std::string g7316Name = Default7316Name();
std::string g7316ExtName;
std::string g7316ShortName = VersionInfo::ProductName();
std::string gBasicName = "Basic";
std::string gProName = "Pro";
std::string gTeamName = "Team";
std::string gCopyright = DefaultCopyright();

void ResetProductNamesForTests() {
    g7316Name = Default7316Name();
    g7316ExtName.clear();
    g7316ShortName = VersionInfo::ProductName();
    gBasicName = "Basic";
    gProName = "Pro";
    gTeamName = "Team";
    gCopyright = DefaultCopyright();
}

void ReadProductNames() {
    ResetProductNamesForTests();
    const struct {
        const char* value;
        std::string* global;
    } names[] = {{"7316Name", &g7316Name},
                 {"7316ExtName", &g7316ExtName},
                 {"7316ShortName", &g7316ShortName},
                 {"BasicName", &gBasicName},
                 {"ProName", &gProName},
                 {"TeamName", &gTeamName},
                 {"Copyright", &gCopyright}};
    ResumeNext ignore;  // a name that cannot be read keeps its default
    for (const auto& name : names) {
        ignore([&] {
            std::string text =
                Trim(RegReadValue(HKEY_LOCAL_MACHINE, ProductKeys::Install(), name.value));
            if (!text.empty())
                *name.global = std::move(text);
        });
    }
}

std::int32_t GetProductProfile() {
    CRegSettings reg;
    reg.hKey(HKEY_CURRENT_USER);
    reg.AppName("7316");
    std::string profile = reg.GetSetting("Install", "ProductProfil", "-1");
    if (!(IsNumeric(profile) && Val(profile) >= 0 && Val(profile) <= 2)) {
        profile =
            reg.GetSettingFromHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "ProductProfil", "-1");
        reg.SaveSettingToHKey(HKEY_CURRENT_USER, "7316", "Install", "ProductProfil", profile);
    }
    return CLng(profile);
}

std::string GetProductProfileName() {
    switch (GetProductProfile()) {
        case 0:
            return gBasicName;
        case 1:
            return gProName;
        case 2:
            return gTeamName;
        default:
            return {};
    }
}

}  // namespace zelwiz
