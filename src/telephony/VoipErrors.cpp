// frmWizard: the message shown when the wizard failed to reach the VoIP board. The codes come from
// the VoIP board component, except 32: the wizard's own code for a board not reached at all.

#include <cstdint>
#include <string>

#include "environment/Translation.h"
#include "environment/localize.h"
#include "environment/mCustom.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "telephony/VoipErrors.h"
#include "wizard/frmWizard.h"

namespace zelwiz {
namespace {

struct IPLANErrorEntry {
    std::int32_t code;
    const char* text;
};

constexpr IPLANErrorEntry kIPLANErrors[] = {
    {6,
     "#01033#The sound card (or the driver) is not present on your computer or it is already used "
     "by an other application."},
    {7, "#01041#There is not enough memory available for this task"},
    {11,
     "#01042#The sound driver is HALF DUPLEX, re-install your sound driver with FULL DUPLEX drive"},
    {17, "#01039#The Wizard failed to connect to VoIP board. It is probably a network problem."},
    {144, "#01030#The Wizard failed to detect automatically VoIP board."},
    {145, "#01031#The Wizard failed to find VoIP board."},
    {146,
     "#01048#Connection to VOIP board is refused :  -Set is out of service  -No more VOIP "
     "licenses available"},
    {148, "#01038#%0 is in use. This operation is not authorised. Please close %1 and try again."},
    {149,
     "#01032#All the licenses for VoIP are currently used. Please check with you administrator for "
     "new licenses."},
    {157,
     "#01040#PBX does not respond in time (can be a licence problem). Please check with your "
     "administrator."},
};

// Any other code: this text, then the code in hexadecimal.
constexpr const char* kUnknownIPLANError =
    "#01034#The Wizard can not find all VoIP parameters. The Multimedia Pc based Set can not be "
    "used.";

// The product's short name in place of both placeholders.
constexpr std::int32_t kProductInUse = 148;

}  // namespace

std::string IPLANErrorText(std::int32_t errorCode) {
    const char* known = nullptr;
    for (const auto& entry : kIPLANErrors) {
        if (entry.code == errorCode)
            known = entry.text;
    }
    std::string text = Translate(known != nullptr ? known : kUnknownIPLANError);
    if (errorCode == kProductInUse)
        text = ReplaceParams(text, {g7316ShortName, g7316ShortName});
    if (known == nullptr)
        text += " (" + Hex(errorCode) + ")";
    return text;
}

std::int32_t frmWizard::ShowIPLANError(std::int32_t& errorCode) {
    Toolkit& toolkit = TheToolkit();
    toolkit.MsgBox(IPLANErrorText(errorCode), vbExclamation | vbOKOnly, toolkit.AppTitle());
    return 0;
}

}  // namespace zelwiz
