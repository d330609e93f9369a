#pragma once
// A simulator of PBXs and VoIP boards speaking the device protocol on loopback addresses: one
// UDP socket answers discovery probes for every simulated device (each answer names the
// device's own address), and each board listens for number requests on its own address.
// Everything runs on the thread that calls Run; Stop may be called from any thread.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "components/DeviceSimConfig.h"

namespace zelwiz {

class DeviceSimulator {
  public:
    // Binds every socket of the configuration; nothing and a reason when one cannot be bound.
    static std::unique_ptr<DeviceSimulator> Open(const DeviceSimConfig& config, std::string* error);
    ~DeviceSimulator();
    DeviceSimulator(const DeviceSimulator&) = delete;
    DeviceSimulator& operator=(const DeviceSimulator&) = delete;

    std::uint16_t DiscoveryPort() const;
    // The port board `index` (in configuration order) listens on.
    std::uint16_t BoardPort(size_t index) const;
    // One line telling where the simulator listens, for the operator.
    std::string ReadyLine() const;

    // Serves until Stop() or until `limit` has passed.
    void Run(std::chrono::milliseconds limit);
    void Stop();
    // From now on SIGINT and SIGTERM stop it too (for the simulator as a program of its own).
    void StopOnSignals();

    // Probes answered and number requests served so far.
    int ProbesAnswered() const;
    int RequestsServed() const;

  private:
    struct Impl;  // the sockets and what is under way on them
    explicit DeviceSimulator(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace zelwiz
