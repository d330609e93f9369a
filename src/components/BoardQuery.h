#pragma once
// The number request to one VoIP board: a TCP connection to the board, "ZELWIZ-EDN 1", and the
// board's answer, all within one time bound. The result is the code the wizard shows:
//
//   0    the board answered with the set's directory number
//   n    the board's own code (6, 7, 11, 146, 148, 149, 157, ...)
//   17   network problem: the connection was refused, reset, or closed before the answer
//   144  detection failed: no connection or no answer within the bound
//   145  board not found: the name does not resolve, there is no route to it, or what answered
//        does not speak the protocol

#include <chrono>
#include <cstdint>
#include <string>

namespace zelwiz {

inline constexpr std::int32_t kBoardReached = 0;
inline constexpr std::int32_t kBoardNetworkProblem = 17;
inline constexpr std::int32_t kBoardDetectionFailed = 144;
inline constexpr std::int32_t kBoardNotFound = 145;

struct BoardReply {
    std::int32_t code = kBoardNotFound;
    std::string number;  // when code is 0
};

BoardReply QueryBoardNumber(const std::string& address, std::uint16_t port,
                            std::chrono::milliseconds timeout);

}  // namespace zelwiz
