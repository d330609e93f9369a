// frmWizard: discovery of PBX and VoIP board addresses through the finder components, the check
// of a VoIP board, and the filling of the address selection dialog.
//
// Under "go on with the next statement" a check whose own call failed counts as not passed: a
// failed InitFinder is a finder that is not ready, a failed count is no address found.

#include <cstdint>
#include <string>

#include "environment/Translation.h"
#include "environment/mLogError.h"
#include "platform/ComponentCatalog.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "telephony/Hourglass.h"
#include "telephony/PbxFinder.h"
#include "telephony/VoipBoardFinder.h"
#include "telephony/frmEditSettings.h"
#include "wizard/frmWizard.h"

namespace zelwiz {
namespace {

constexpr const char* kPbxSelectionText =
    "#01046#The Wizard has found several PBX IP Addresses. Please select an IP address and click "
    "OK to continue.";
constexpr const char* kVoipSelectionText =
    "#01035#The Wizard has found several VoIP board IP Addresses. Please select an IP address and "
    "click OK to continue.";
// The wizard's own result of a VoIP board detection that reached nothing.
constexpr std::int32_t kNothingReached = 32;
constexpr std::int16_t kMaxPbxListed = 10;

template <class T>
T& Obj(const ComPtr<T>& object) {
    if (!object)
        Raise(kErrObjectNotSet);
    return *object;
}

// CInt of a late-bound answer.
std::int16_t ToInt16(const Variant& value) {
    if (const auto* n = std::get_if<std::int32_t>(&value))
        return CIntNumber(*n);
    if (const auto* d = std::get_if<double>(&value))
        return CIntNumber(*d);
    if (const auto* b = std::get_if<bool>(&value))
        return static_cast<std::int16_t>(*b ? -1 : 0);
    if (std::holds_alternative<std::monostate>(value))
        return 0;
    return CInt(VariantText(value));
}

// Connects to the finder's current board; when it is reached the wizard takes the board's
// address and the set's directory number. The older form uses ConnectV1 and EdnNumber.
std::int32_t ConnectBoard(frmWizard& wiz, VoipBoardFinder& finder, bool olderForm) {
    std::int32_t result = kNothingReached;
    CheckHr(olderForm ? finder.ConnectV1(&result) : finder.Connect(&result));
    if (result == 0) {
        std::string address;
        CheckHr(finder.get_IpAddress(&address));
        wiz.mvarIPLANAdd = address;
        if (olderForm) {
            std::int32_t number = 0;
            CheckHr(finder.get_EdnNumber(&number));
            wiz.mvarIP_EDN = std::to_string(number);
        } else {
            std::string number;
            CheckHr(finder.get_EdnText(&number));
            wiz.mvarIP_EDN = number;
        }
    }
    return result;
}

// The VoIP board detection: checks the board at sAddress, or discovers the boards and lets the
// user pick one when sAddress is blank. No trap: errors go to the caller.
std::int32_t DetectBoard(frmWizard& wiz, const std::string& sAddress, bool olderForm) {
    Hourglass hourglass(wiz);
    std::int32_t result = kNothingReached;
    auto finder = CreateComponent<VoipBoardFinder>(kCLSID_VoipBoardFinder);
    std::int32_t status = 0;
    CheckHr(finder->InitFinder(&status));
    if (status != 0)
        return result;

    if (!Trim(sAddress).empty()) {
        CheckHr(finder->put_IpAddress(sAddress));
        return ConnectBoard(wiz, *finder, olderForm);
    }

    CheckHr(finder->DiscoverBoards(&status));
    if (status != 0)
        return result;
    std::int32_t count = 0;
    CheckHr(finder->get_BoardCount(&count));
    if (count >= 1) {
        CheckHr(finder->get_BoardCount(&wiz.lIPLANBoardCount));
        std::string message = Translate(kVoipSelectionText);
        const std::string chosen = wiz.SelectIPLANAddress(message, finder.get());
        CheckHr(finder->put_IpAddress(chosen));
    } else {
        wiz.lIPLANBoardCount = 0;
    }
    std::string current;
    CheckHr(finder->get_IpAddress(&current));
    if (Trim(current).empty()) {
        wiz.lIPLANBoardCount = 0;
        return result;
    }
    return ConnectBoard(wiz, *finder, olderForm);
}

// Unloads the selection dialog on every way out, so that each use starts with an empty list.
class UnloadDialog {
  public:
    ~UnloadDialog() { frmEditSettings::Instance().Unload(); }
};

}  // namespace

void frmWizard::cmdCstaIpDetect_Click() {
    if (!cmdCstaIpDetect->Enabled())
        return;
    ResumeNext trap([this] { LogError("frmWizard.cmdCstaIpDetect_Click", this); });
    std::string message;
    std::string address;
    trap([&] { message = Translate(kPbxSelectionText); });
    trap([&] { address = DetectCstaAddress(message); });
    if (!address.empty()) {
        trap([&] { mvarCSTAIPAdd = address; });
        trap([&] { txtcstaIPadd->SetText(address); });
    }
}

void frmWizard::cmdVoIpDetect_Click() {
    if (!cmdVoIpDetect->Enabled())
        return;
    ResumeNext trap([this] { LogError("frmWizard.cmdVoIpDetect_Click", this); });
    ComPtr<VoipBoardFinder> finder;
    trap([&] { finder = CreateComponent<VoipBoardFinder>(kCLSID_VoipBoardFinder); });
    if (!finder)
        return;
    std::int32_t status = 0;
    if (!trap([&] { CheckHr(finder->InitFinder(&status)); }) || status != 0)
        return;

    std::string address;
    if (trap([&] { CheckHr(finder->DiscoverBoards(&status)); }) && status == 0) {
        std::int32_t count = 0;
        if (trap([&] { CheckHr(finder->get_BoardCount(&count)); }) && count >= 1) {
            std::string message;
            trap([&] { CheckHr(finder->get_BoardCount(&lIPLANBoardCount)); });
            trap([&] { message = Translate(kVoipSelectionText); });
            trap([&] { address = SelectIPLANAddress(message, finder.get()); });
        }
    }
    if (!address.empty()) {
        trap([&] { mvarIPLANAdd = address; });
        trap([&] { txtIPLANAdd->SetText(address); });
    }
}

std::int32_t frmWizard::DetectIPLANBoard(std::string& sAddress) {
    try {
        return DetectBoard(*this, sAddress, false);
    } catch (const ProgramEnd&) {
        throw;
    } catch (...) {
        // A board component without Connect or EdnText: the whole detection again, the older way.
        return DetectIPLANBoardCompat(sAddress);
    }
}

std::int32_t frmWizard::DetectIPLANBoardCompat(std::string& sAddress) {
    return DetectBoard(*this, sAddress, true);
}

std::string frmWizard::DetectCstaAddress(std::string& sMessage) {
    std::string result;
    bVoipSelection = false;
    ResumeNext ignore;  // every error is ignored: no message, no log line
    ComPtr<PbxFinder> finder;
    ignore([&] { finder = CreateComponent<PbxFinder>(kCLSID_PbxFinder); });
    ignore([&] { SetMousePointer(vbHourglass); });

    [&] {
        std::int32_t status = 0;
        if (!ignore([&] { CheckHr(Obj(finder).InitFinder(&status)); }) || status != 0)
            return;
        if (!ignore([&] { CheckHr(Obj(finder).DiscoverPbx(2, &status)); }) || status != 0)
            return;
        std::int16_t n = 0;
        ignore([&] {
            std::int32_t count = 0;
            CheckHr(Obj(finder).get_PbxCount(&count));
            n = CIntNumber(count);
        });
        if (n <= 0)
            return;

        // The dialog loads at this first access and takes the PBX title.
        ignore([&] {
            std::string address;
            CheckHr(Obj(finder).get_FirstAddress(&address));
            frmEditSettings::Default().lstIPAdds->AddItem(address);
        });
        if (n > 1) {
            if (n > kMaxPbxListed)
                n = kMaxPbxListed;
            for (int i = 2; i <= n; ++i) {
                ignore([&] {
                    std::string address;
                    CheckHr(Obj(finder).get_NextAddress(&address));
                    frmEditSettings::Default().lstIPAdds->AddItem(address);
                });
            }
        }
        ignore([&] { SetMousePointer(vbDefault); });
        ignore([&] { frmEditSettings::Default().lbIPAddsMsg->SetCaption(sMessage); });
        ignore([&] { frmEditSettings::Default().ShowModal(); });
        // The dialog has unloaded itself: its answers are read without loading it again.
        ignore([&] {
            const frmEditSettings& dialog = frmEditSettings::Instance();
            result = dialog.bIsUnload() ? std::string() : dialog.GetSelectedIPAdd();
        });
        ignore([&] { frmEditSettings::Instance().Unload(); });
    }();

    ignore([&] { SetMousePointer(vbDefault); });
    bVoipSelection = true;
    finder.Reset();
    return result;
}

std::string frmWizard::SelectIPLANAddress(std::string& sMessage, VoipBoardFinder* oFinder) {
    UnloadDialog unloadOnExit;
    frmEditSettings& dialog = frmEditSettings::Default();
    dialog.lbIPAddsMsg->SetCaption(sMessage);
    if (oFinder == nullptr)
        return {};
    dialog.lstIPAdds->AddItem(VariantText(CallByName(*oFinder, "Discover_FirstIpAddress")));
    const std::int16_t n = ToInt16(CallByName(*oFinder, "Discover_Count"));
    for (int i = 2; i <= n; ++i)
        dialog.lstIPAdds->AddItem(VariantText(CallByName(*oFinder, "Discover_NextIPAddress")));
    dialog.ShowModal();
    return dialog.bIsUnload() ? std::string() : dialog.GetSelectedIPAdd();
}

}  // namespace zelwiz
