#include "components/NetworkVoipBoardFinder.h"

#include <charconv>

#include "components/BoardQuery.h"
#include "components/ComponentErrors.h"

namespace zelwiz {
namespace {

constexpr int kBoardProbeResends = 2;

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

HRESULT NetworkVoipBoardFinder::InitFinder(std::int32_t* status) {
    if (status == nullptr)
        return E_POINTER;
    settings_ = ReadDeviceNetworkSettings(registry_);
    found_.clear();
    next_ = 0;
    number_.reset();
    *status = CheckDiscoverySettings(*settings_);
    return S_OK;
}

HRESULT NetworkVoipBoardFinder::DiscoverBoards(std::int32_t* status) {
    if (status == nullptr)
        return E_POINTER;
    if (!settings_)
        return E_FAIL;
    next_ = 0;
    *status = DiscoverDevices(DeviceKind::VoipBoard, *settings_, kBoardProbeResends, &found_);
    return S_OK;
}

HRESULT NetworkVoipBoardFinder::get_IpAddress(std::string* address) {
    if (address == nullptr)
        return E_POINTER;
    if (!settings_)
        return E_FAIL;
    *address = current_;
    return S_OK;
}

HRESULT NetworkVoipBoardFinder::put_IpAddress(const std::string& address) {
    if (!settings_)
        return E_FAIL;
    current_ = Trimmed(address);
    number_.reset();
    return S_OK;
}

HRESULT NetworkVoipBoardFinder::Connect(std::int32_t* result) {
    if (result == nullptr)
        return E_POINTER;
    if (!settings_)
        return E_FAIL;
    number_.reset();
    if (current_.empty()) {
        *result = kBoardNotFound;
        return S_OK;
    }
    std::uint16_t port = settings_->boardPort;
    for (const auto& board : found_) {
        if (board.address == current_)
            port = board.port;
    }
    BoardReply reply = QueryBoardNumber(current_, port, settings_->boardTimeout);
    if (reply.code == kBoardReached)
        number_ = std::move(reply.number);
    *result = reply.code;
    return S_OK;
}

HRESULT NetworkVoipBoardFinder::ConnectV1(std::int32_t* result) {
    return Connect(result);
}

HRESULT NetworkVoipBoardFinder::get_EdnText(std::string* number) {
    if (number == nullptr)
        return E_POINTER;
    if (!settings_ || !number_)
        return E_FAIL;
    *number = *number_;
    return S_OK;
}

HRESULT NetworkVoipBoardFinder::get_EdnNumber(std::int32_t* number) {
    if (number == nullptr)
        return E_POINTER;
    if (!settings_ || !number_)
        return E_FAIL;
    std::int32_t value = 0;
    const char* end = number_->data() + number_->size();
    auto [ptr, ec] = std::from_chars(number_->data(), end, value);
    if (ec == std::errc::result_out_of_range)
        return DISP_E_OVERFLOW;
    if (ec != std::errc() || ptr != end)
        return DISP_E_TYPEMISMATCH;  // a number with '*' or '#' has no integer form
    *number = value;
    return S_OK;
}

HRESULT NetworkVoipBoardFinder::get_BoardCount(std::int32_t* count) {
    if (count == nullptr)
        return E_POINTER;
    if (!settings_)
        return E_FAIL;
    *count = static_cast<std::int32_t>(found_.size());
    return S_OK;
}

std::vector<std::string> NetworkVoipBoardFinder::DispatchNames() const {
    return {"Discover_FirstIpAddress", "Discover_Count", "Discover_NextIPAddress"};
}

HRESULT NetworkVoipBoardFinder::InvokeByName(const std::string& name, std::vector<Variant>& args,
                                             Variant& result) {
    if (!args.empty())
        return DISP_E_BADPARAMCOUNT;
    if (!settings_)
        return E_FAIL;
    if (name == "Discover_FirstIpAddress") {
        next_ = 0;
        return NextBoard(result);
    }
    if (name == "Discover_NextIPAddress")
        return NextBoard(result);
    if (name == "Discover_Count") {
        result = static_cast<std::int32_t>(found_.size());
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT NetworkVoipBoardFinder::NextBoard(Variant& result) {
    if (next_ >= found_.size())
        return DISP_E_BADINDEX;
    result = found_[next_++].address;
    return S_OK;
}

}  // namespace zelwiz
