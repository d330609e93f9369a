#pragma once
// A peer on a loopback address that plays one exchange of the device protocol its own way, on a
// thread of its own, for at most five seconds: what no simulated device does.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace zelwiz {

class OnePeer {
  public:
    OnePeer();
    ~OnePeer();  // waits for the exchange to end

    // A TCP server that reads one line, answers `reply` and hangs up. Answers its port.
    std::uint16_t ServeTcp(const char* address, std::string reply);
    // A UDP responder on `address` that answers one probe with `answers(nonce)`, in order, from
    // 127.0.0.1: as a device answers a probe sent to a broadcast address, from an address of its
    // own. (Wine binds a UDP socket on any other loopback address to every address, so answers
    // sent from `address` itself would leave from 127.0.0.1 there, unlike on Windows.) Answers
    // the port it listens on.
    std::uint16_t AnswerProbe(const char* address,
                              std::function<std::vector<std::string>(const std::string&)> answers);

  private:
    struct Io;
    std::unique_ptr<Io> io_;
    std::thread thread_;
};

}  // namespace zelwiz
