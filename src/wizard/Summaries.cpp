// The two configuration summaries: the stored configuration on the welcome page
// (lbIntro) and the chosen one on the finish page (lbfinishsettings). Both have
// one layout, lines ended by CR LF; the caption is assigned only at the end, so
// an error (which reaches SetStep's trap) leaves the label as it was.
#include <string>

#include "environment/Translation.h"
#include "environment/VersionInfo.h"
#include "environment/mCustom.h"
#include "platform/Conversions.h"
#include "settings/CRegSettings.h"
#include "telephony/ProviderRegistry.h"
#include "wizard/frmWizard.h"

namespace zelwiz {
namespace {

constexpr char kCrLf[] = "\r\n";

std::string ConnectionText(const std::string& ccc) {
    if (ccc == "ThirdCSTALAN")
        return Translate("#01019#A direct connection to the PBX");
    if (ccc == "ThirdRSPI")
        return Translate("#01020#Connection to a Microsoft TAPI 2.1 Server");
    return Translate("#01025#Not found");
}

std::string OperatorName(CRegSettings& reg) {
    return reg.GetSettingFromHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "OperatorName",
                                  "Operator");
}

// Line 1: " " + product name + " " + version + " Build " + build.
std::string ProductLine(CRegSettings& reg) {
    const std::string name =
        reg.GetSettingFromHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "7316Name", "");
    const std::string version =
        reg.GetSettingFromHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "Version", "");
    const std::string build =
        reg.GetSettingFromHKey(HKEY_LOCAL_MACHINE, "7316", "Install", "Build", "");
    return " " + name + " " + version + " Build " + build + kCrLf;
}

std::string Line(const std::string& localizedLabel, const std::string& value) {
    return "  " + Translate(localizedLabel) + value + kCrLf;
}

// Lines 7 to 10, from the dialing members.
std::string DialingLines(const frmWizard& w) {
    return Line("#01050#Area Code : ", w.sAreaCode) + Line("#01051#Country : ", w.sCountry) +
           Line("#01052#Local Access Code : ", w.sLocalAccessCode) +
           Line("#01053#Long Distance Access Code : ", w.sDistanceAccessCode);
}

std::string PrefixLine(const std::string& prefix) {
    return "  " + Translate("#01057#PBX Prefixe : ") + prefix;
}

std::string WithoutNul(std::string text) {
    std::erase(text, '\0');
    return Trim(text);
}

}  // namespace

void frmWizard::ShowFinishSettings() {
    std::string profileName;  // empty for any other value than 0 to 3
    const double profile = Val(mvarProfile);
    if (profile == 0)
        profileName = gBasicName;
    else if (profile == 1)
        profileName = gProName;
    else if (profile == 2)
        profileName = gTeamName;
    else if (profile == 3)
        profileName = OperatorName(*oRegObj);

    const std::string connection = ConnectionText(mvarCCC);

    std::string addressLines;
    if (mvarCCC == "ThirdCSTALAN") {
        if (!mvarCSTAIPAdd.empty())
            addressLines += Line("#01029#PBX : ", mvarCSTAIPAdd);
        if (!Trim(mvarIPLANAdd).empty())
            addressLines += Line("#01027#VoIP board : ", mvarIPLANAdd);
    }

    std::string numberLine;
    if (mvarbIsPhoneSet) {
        numberLine = Line("#01026#Your phone number : ", mvarPhoneSetNumber);
    } else if (!Trim(mvarIPLANAdd).empty() && mvarCCC == "ThirdCSTALAN" && !mvarIP_EDN.empty()) {
        numberLine = Line("#01026#Your phone number : ", mvarIP_EDN);
    }

    GetTAPIRules();
    if (Trim(sPrefixePbx).empty())
        sPrefixePbx = sLocalAccessCode;
    const std::string dialing = DialingLines(*this) + PrefixLine(sPrefixePbx);

    const std::string product = ProductLine(*oRegObj);
    const std::string profileLine = Translate("#01023#  Profile : ") + profileName + kCrLf;
    lbfinishsettings->SetCaption(product + "  " + connection + kCrLf + profileLine + addressLines +
                                 numberLine + dialing);
}

void frmWizard::ShowCurrentSettings() {
    mvarProfile = std::to_string(GetProductProfile());
    const std::string phoneMode = oRegObj->GetSettingFromHKey(HKEY_CURRENT_USER, "7316\\ZELPhone",
                                                              "Settings", "PhoneMode", "");
    // A Team installation in phone mode 3 is shown and handled as the Operator
    // profile.
    if (Val(mvarProfile) == 2 && Val(phoneMode) == 3)
        mvarProfile = "3";

    std::string profileName;
    const double profile = Val(mvarProfile);
    if (profile == 0 || profile == 1 || profile == 2) {
        profileName = GetProductProfileName();
    } else if (profile == 3) {
        profileName = OperatorName(*oRegObj);
    } else {
        mvarProfile = "2";
        SetRegString(HKEY_CURRENT_USER,
                     std::string("Software\\") + VersionInfo::CompanyName() + "\\7316\\Install",
                     "ProductProfil", "2");
        profileName = GetProductProfileName();
    }

    const std::string connection = ConnectionText(mvarCCC);

    std::string addressLines;
    if (mvarCCC == "ThirdCSTALAN") {
        const std::string pbx =
            WithoutNul(GetUserThenMachineSetting("TSpi_CSTA", "", "SwitchName", ""));
        if (!pbx.empty())
            addressLines += Line("#01029#PBX : ", pbx);
        const std::string board =
            WithoutNul(GetUserThenMachineSetting("TSpi_CSTA", "Provider", "IpAddress", ""));
        if (!board.empty())
            addressLines += Line("#01027#VoIP board : ", board);
    }

    const std::string ednIP =
        oRegObj->GetSettingFromHKey(HKEY_CURRENT_USER, "7316\\ZELWiz", "Settings", "EdnIP", "");
    const std::string ednSet =
        oRegObj->GetSettingFromHKey(HKEY_CURRENT_USER, "7316\\ZELWiz", "Settings", "EdnSet", "");
    std::string preferred = oRegObj->GetSettingFromHKey(HKEY_CURRENT_USER, "7316\\ZELDial",
                                                        "Preference", "Preferred Line", "");
    const std::string line = StripProviderPrefix(preferred);
    if (line == ednIP && mvarCCC == "ThirdCSTALAN")
        mvarIP_EDN = ednIP;
    if (line == ednSet)
        mvarPhoneSetNumber = ednSet;
    const std::string numberLine =
        line.empty() ? std::string() : Line("#01026#Your phone number : ", line);

    GetTAPIRules();
    std::string dialing = DialingLines(*this);
    if (!sPrefixePbx.empty())
        dialing += PrefixLine(sPrefixePbx);

    const std::string product = ProductLine(*oRegObj);
    const std::string profileLabel = Translate("#01023#  Profile : ") + profileName + kCrLf;
    lbIntro->SetCaption(product + "  " + connection + kCrLf + profileLabel + addressLines +
                        numberLine + dialing);
}

}  // namespace zelwiz
