// frmWizard: the dialing properties of the current location, read from the dialing rules reader
// and changed through the provider configurator's dialing configuration.

#include <cstdint>
#include <string>

#include "environment/mLogError.h"
#include "platform/ComponentCatalog.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "telephony/DialingRulesReader.h"
#include "telephony/Hourglass.h"
#include "telephony/ProviderConfigurator.h"
#include "wizard/frmWizard.h"

namespace zelwiz {

void frmWizard::GetTAPIRules() {
    Hourglass hourglass(*this);
    auto reader = CreateComponent<DialingRulesReader>(kCLSID_DialingRulesReader);
    // Each member changes only once its own value was read.
    std::string value;
    CheckHr(reader->GetAreaCode(&value));
    sAreaCode = value;
    CheckHr(reader->GetCountry(&value));
    sCountry = value;
    CheckHr(reader->GetLocalAccessCode(&value));
    sLocalAccessCode = value;
    CheckHr(reader->GetLongDistanceAccessCode(&value));
    sDistanceAccessCode = value;
}

void frmWizard::ConfigProvider() {
    Hourglass hourglass(*this);
    auto configurator = CreateComponent<ProviderConfigurator>(kCLSID_ProviderConfigurator);
    CheckHr(configurator->Initialize());
    std::int32_t device = 0;
    CheckHr(configurator->GetDeviceNumber(&device));
    // Returns when the user has closed the dialing configuration.
    CheckHr(configurator->ConfigureDialing(device >= 0 ? device : 0));
    GetTAPIRules();
}

void frmWizard::cmdDialingProperties_Click() {
    if (!cmdDialingProperties->Enabled())
        return;
    ResumeNext trap([this] { LogError("frmWizard.cmdDialingProperties_Click", this); });
    trap([&] { ConfigProvider(); });
    trap([&] { lbareacode->SetCaption(sAreaCode); });
    trap([&] { lbcountry->SetCaption(sCountry); });
    trap([&] { lblocalaccesscode->SetCaption(sLocalAccessCode); });
    trap([&] { lbdistanceaccesscode->SetCaption(sDistanceAccessCode); });
    // After the configuration the PBX prefix is the local access code.
    trap([&] { sPrefixePbx = sLocalAccessCode; });
    trap([&] {
        lbprefixepbx->SetCaption(Trim(sPrefixePbx).empty() ? sLocalAccessCode : sPrefixePbx);
    });
}

}  // namespace zelwiz
