#include "components/BoardQuery.h"

#include "components/BoundedSockets.h"
#include "components/DeviceProtocol.h"
#include "components/HostResolver.h"

namespace zelwiz {
namespace {

std::int32_t CodeOf(NetStatus status) {
    switch (status) {
        case NetStatus::Ok:
            return kBoardReached;
        case NetStatus::TimedOut:
            return kBoardDetectionFailed;
        case NetStatus::Unreachable:
            return kBoardNotFound;
        case NetStatus::Refused:
        case NetStatus::Reset:
        case NetStatus::Failed:
            return kBoardNetworkProblem;
    }
    return kBoardNetworkProblem;
}

}  // namespace

BoardReply QueryBoardNumber(const std::string& address, std::uint16_t port,
                            std::chrono::milliseconds timeout) {
    const Deadline deadline = Deadline::After(timeout);
    Ipv4Endpoint to{0, port};
    switch (ResolveIpv4(address, timeout, &to.address)) {
        case ResolveStatus::Found:
            break;
        case ResolveStatus::NotFound:
            return BoardReply{kBoardNotFound, {}};
        case ResolveStatus::TimedOut:
            return BoardReply{kBoardDetectionFailed, {}};
    }
    TcpConnection connection;
    if (NetStatus s = connection.Connect(to, deadline); s != NetStatus::Ok)
        return BoardReply{CodeOf(s), {}};
    if (NetStatus s = connection.SendAll(FormatEdnRequest(), deadline); s != NetStatus::Ok)
        return BoardReply{CodeOf(s), {}};
    std::string line;
    const NetStatus s = connection.ReadLine(deadline, kMaxMessageLength, &line);
    if (s == NetStatus::Failed)
        return BoardReply{kBoardNotFound, {}};  // an endless line: not a board of ours
    if (s != NetStatus::Ok)
        return BoardReply{CodeOf(s), {}};
    const auto answer = ParseEdnAnswer(line);
    if (!answer)
        return BoardReply{kBoardNotFound, {}};
    return BoardReply{answer->code, answer->number};
}

}  // namespace zelwiz
