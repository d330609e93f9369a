#pragma once
// The device simulator of a test: read from its configuration text and serving on a thread of
// the test until the object ends.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "components/DeviceSimConfig.h"
#include "components/DeviceSimulator.h"

namespace zelwiz::test {

class SimulatorThread {
  public:
    SimulatorThread() = default;
    SimulatorThread(const SimulatorThread&) = delete;
    SimulatorThread& operator=(const SimulatorThread&) = delete;
    ~SimulatorThread() {
        if (sim_)
            sim_->Stop();
        if (thread_.joinable())
            thread_.join();
    }

    // A configuration it cannot read, or an address it cannot open, fails the test.
    void Start(std::string_view devices) {
        DeviceSimConfig config;
        std::string error;
        ASSERT_TRUE(ParseDeviceSimConfig(devices, &config, &error)) << error;
        sim_ = DeviceSimulator::Open(config, &error);
        ASSERT_TRUE(sim_) << error;
        thread_ = std::thread([this] { sim_->Run(std::chrono::minutes(2)); });
    }

    DeviceSimulator* operator->() const { return sim_.get(); }

  private:
    std::unique_ptr<DeviceSimulator> sim_;
    std::thread thread_;
};

}  // namespace zelwiz::test
