#pragma once
// The configuration of the device simulator, read from a small text file: one statement per
// line, fields separated by blanks; a word starting with '#' starts a comment.
//
//   discovery <address> <port>        where probes are answered (default 127.0.0.1 17316;
//                                     port 0: any free port)
//   board-port <port>                 TCP port of the boards that name none (default 17317;
//                                     0: one free port shared by them)
//   pbx <address> name=<name> [answer-delay=<ms>]
//   board <address> name=<name> (edn=<number> | code=<code>) [port=<port>|port=any]
//         [answer-delay=<ms>] [edn-delay=<ms>] [silent] [hidden]
//
// Every address is a loopback address (127.0.0.0/8): the simulator never listens elsewhere.
// A board answers the number request with its code (0 when only edn= is given); "silent"
// accepts the request and never answers; "hidden" leaves the board out of discovery (as a board
// behind a router would be), so it is reached by its typed address only. Delays are at most
// 600000 ms.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelwiz {

struct SimulatedPbx {
    std::string address;
    std::string name;
    std::chrono::milliseconds answerDelay{0};
};

struct SimulatedBoard {
    std::string address;
    std::string name;
    std::string edn;
    std::int32_t code = 0;
    std::uint16_t port = 0;  // 0: the shared board port
    bool ownPort = false;    // port=any: a free port of its own
    std::chrono::milliseconds answerDelay{0};
    std::chrono::milliseconds ednDelay{0};
    bool silent = false;
    bool hidden = false;
};

struct DeviceSimConfig {
    std::string discoveryAddress = "127.0.0.1";
    std::uint16_t discoveryPort = 17316;
    std::uint16_t boardPort = 17317;
    std::vector<SimulatedPbx> pbxs;
    std::vector<SimulatedBoard> boards;
};

// False with `error` naming the line ("line 4: ...") when the text is not a valid configuration.
bool ParseDeviceSimConfig(std::string_view text, DeviceSimConfig* config, std::string* error);

}  // namespace zelwiz
