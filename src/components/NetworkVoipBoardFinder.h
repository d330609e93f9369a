#pragma once
// The VoIP board finder: discovers VoIP boards with the device protocol's UDP probe and asks the
// current board for the directory number of the multimedia PC set over TCP.
//
// InitFinder reads the settings (status 0, or 145 when the discovery address cannot be a host);
// DiscoverBoards runs one discovery (the probe sent three times within the window). IpAddress
// names the current board; Connect (and the older ConnectV1) asks it for the number on the port
// its discovery answer gave, or on "VoipBoardPort" for an address that was typed, and answers
// the code of BoardQuery.h (145 when no board is current). EdnText (and the older EdnNumber, as
// a 32-bit number: DISP_E_OVERFLOW when it is not one) give the number the last Connect
// learned; without one they fail with E_FAIL. Late-bound: "Discover_FirstIpAddress",
// "Discover_Count", "Discover_NextIPAddress" walk the boards found. Calls before InitFinder fail
// with E_FAIL; reading past the last board with DISP_E_BADINDEX.

#include <optional>
#include <vector>

#include "components/DeviceDiscovery.h"
#include "platform/Registry.h"
#include "telephony/VoipBoardFinder.h"

namespace zelwiz {

class NetworkVoipBoardFinder : public ComObject<VoipBoardFinder> {
  public:
    explicit NetworkVoipBoardFinder(Registry& registry) : registry_(registry) {}

    HRESULT DiscoverBoards(std::int32_t* status) override;
    HRESULT InitFinder(std::int32_t* status) override;
    HRESULT get_IpAddress(std::string* address) override;
    HRESULT put_IpAddress(const std::string& address) override;
    HRESULT get_EdnNumber(std::int32_t* number) override;
    HRESULT ConnectV1(std::int32_t* result) override;
    HRESULT get_BoardCount(std::int32_t* count) override;
    HRESULT Connect(std::int32_t* result) override;
    HRESULT get_EdnText(std::string* number) override;

  protected:
    std::vector<std::string> DispatchNames() const override;
    HRESULT InvokeByName(const std::string& name, std::vector<Variant>& args,
                         Variant& result) override;

  private:
    HRESULT NextBoard(Variant& result);

    Registry& registry_;
    std::optional<DeviceNetworkSettings> settings_;
    std::vector<FoundDevice> found_;
    size_t next_ = 0;
    std::string current_;
    std::optional<std::string> number_;  // learned by the last successful Connect
};

}  // namespace zelwiz
