#include "components/BoardQuery.h"

#include "components/DeviceProtocol.h"
#include "components/HostResolver.h"
#include "components/PosixSockets.h"

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
    in_addr target{};
    switch (ResolveIpv4(address, timeout, &target)) {
        case ResolveStatus::Found:
            break;
        case ResolveStatus::NotFound:
            return BoardReply{kBoardNotFound, {}};
        case ResolveStatus::TimedOut:
            return BoardReply{kBoardDetectionFailed, {}};
    }
    sockaddr_in to = *ParseIpv4("0.0.0.0", port);
    to.sin_addr = target;

    UniqueFd connection;
    if (NetStatus s = ConnectTcp(to, deadline, &connection); s != NetStatus::Ok)
        return BoardReply{CodeOf(s), {}};
    if (NetStatus s = SendAll(connection.get(), FormatEdnRequest(), deadline); s != NetStatus::Ok)
        return BoardReply{CodeOf(s), {}};
    std::string line;
    const NetStatus s = ReadLine(connection.get(), deadline, kMaxMessageLength, &line);
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
