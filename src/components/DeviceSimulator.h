#pragma once
// A simulator of PBXs and VoIP boards speaking the device protocol on loopback addresses: one
// UDP socket answers discovery probes for every simulated device (each answer names the
// device's own address), and each board listens for number requests on its own address.
// Everything runs on the thread that calls Run; Stop may be called from any thread, or from a
// signal handler.

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "components/DeviceSimConfig.h"
#include "components/PosixSockets.h"

namespace zelwiz {

class DeviceSimulator {
  public:
    // Binds every socket of the configuration; nothing and a reason when one cannot be bound.
    static std::unique_ptr<DeviceSimulator> Open(const DeviceSimConfig& config, std::string* error);
    ~DeviceSimulator();
    DeviceSimulator(const DeviceSimulator&) = delete;
    DeviceSimulator& operator=(const DeviceSimulator&) = delete;

    std::uint16_t DiscoveryPort() const { return discoveryPort_; }
    // The port board `index` (in configuration order) listens on.
    std::uint16_t BoardPort(size_t index) const { return boards_[index].port; }
    // One line telling where the simulator listens, for the operator.
    std::string ReadyLine() const;

    // Serves until Stop() or until `limit` has passed.
    void Run(std::chrono::milliseconds limit);
    void Stop();

    // Probes answered and number requests served so far.
    int ProbesAnswered() const { return probes_.load(); }
    int RequestsServed() const { return requests_.load(); }

  private:
    struct Board {
        SimulatedBoard config;
        std::uint16_t port = 0;
        UniqueFd listener;
    };
    struct PendingDatagram {
        Deadline::Clock::time_point due;
        sockaddr_in to;
        std::string data;
    };
    struct Connection {
        UniqueFd fd;
        const Board* board;
        std::string received;
        Deadline::Clock::time_point idleUntil;
        bool answerDue = false;
        Deadline::Clock::time_point answerAt;
    };

    explicit DeviceSimulator(DeviceSimConfig config);
    bool Bind(std::string* error);
    void OnProbe();
    void OnListener(const Board& board);
    // False when the connection is over.
    bool OnReadable(Connection& c);
    bool OnDue(Connection& c);
    void SendDueDatagrams();
    Deadline::Clock::time_point NextTimer(Deadline::Clock::time_point limit) const;

    DeviceSimConfig config_;
    UniqueFd discovery_;
    std::uint16_t discoveryPort_ = 0;
    std::vector<Board> boards_;
    std::vector<PendingDatagram> pending_;
    std::vector<std::unique_ptr<Connection>> connections_;
    int wake_[2] = {-1, -1};  // a pipe: Stop writes, Run wakes
    std::atomic<bool> stopping_{false};
    std::atomic<int> probes_{0};
    std::atomic<int> requests_{0};
};

}  // namespace zelwiz
