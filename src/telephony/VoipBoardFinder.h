#pragma once
// The VoIP board finder component: discovers VoIP boards on the network and connects to one to
// learn the directory number of the multimedia PC set. Late-bound calls: "Discover_FirstIpAddress",
// "Discover_Count", "Discover_NextIPAddress".

#include <string>

#include "platform/Com.h"

namespace zelwiz {

inline constexpr const char* kCLSID_VoipBoardFinder = "{5E0C1A41-7316-4B2A-9C11-0A1B2C3D4E02}";

class VoipBoardFinder : public IDispatchObject {
  public:
    virtual HRESULT DiscoverBoards(std::int32_t* status) = 0;       // 7: 0 = discovery done
    virtual HRESULT InitFinder(std::int32_t* status) = 0;           // 8: 0 = ready
    virtual HRESULT Reserved9() { return E_NOTIMPL; }               // 9
    virtual HRESULT get_IpAddress(std::string* address) = 0;        // 10: the current board
    virtual HRESULT put_IpAddress(const std::string& address) = 0;  // 11: makes it current
    virtual HRESULT get_EdnNumber(std::int32_t* number) = 0;        // 12: older form
    virtual HRESULT ConnectV1(std::int32_t* result) = 0;            // 13: older form
    virtual HRESULT Reserved14() { return E_NOTIMPL; }              // 14
    virtual HRESULT Reserved15() { return E_NOTIMPL; }              // 15
    virtual HRESULT get_BoardCount(std::int32_t* count) = 0;        // 16
    virtual HRESULT Connect(std::int32_t* result) = 0;              // 17: 0 = reached
    virtual HRESULT get_EdnText(std::string* number) = 0;           // 18

  protected:
    ~VoipBoardFinder() = default;
};

}  // namespace zelwiz
