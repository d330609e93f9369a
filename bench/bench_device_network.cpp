// The finders' network calls against the device simulator, which runs on a thread of this
// process: a number request to a board (connection, request, answer) by address, by host name
// (the lookup included) and to an address where nobody listens, and a whole discovery, which
// lasts its window: its time beyond the window is what the finder adds.
#include <benchmark/benchmark.h>

#include <thread>

#include "components/BoardQuery.h"
#include "components/DeviceDiscovery.h"
#include "components/DeviceSimConfig.h"
#include "components/DeviceSimulator.h"

using namespace zelwiz;

namespace {

constexpr const char* kDevices = R"(
discovery 127.0.0.1 0
board-port 0
board 127.0.0.1 name=Local edn=5120 hidden
board 127.0.0.31 name=Board-A edn=5123
board 127.0.0.32 name=Board-B edn=5124 answer-delay=5
)";

constexpr auto kWindow = std::chrono::milliseconds(100);

// One simulator for the whole run.
class Simulator {
  public:
    Simulator() {
        DeviceSimConfig config;
        std::string error;
        if (!ParseDeviceSimConfig(kDevices, &config, &error))
            throw std::runtime_error(error);
        sim_ = DeviceSimulator::Open(config, &error);
        if (!sim_)
            throw std::runtime_error(error);
        thread_ = std::thread([this] { sim_->Run(std::chrono::hours(1)); });
    }
    ~Simulator() {
        sim_->Stop();
        thread_.join();
    }
    DeviceSimulator& operator*() { return *sim_; }

  private:
    std::unique_ptr<DeviceSimulator> sim_;
    std::thread thread_;
};

Simulator& TheSimulator() {
    static Simulator sim;
    return sim;
}

void NumberRequest(benchmark::State& state, const char* address, std::int32_t expected) {
    const std::uint16_t port = (*TheSimulator()).BoardPort(0);
    for (auto _ : state) {
        const BoardReply reply = QueryBoardNumber(address, port, std::chrono::seconds(2));
        if (reply.code != expected) {
            state.SkipWithError("unexpected code");
            break;
        }
    }
}

void BM_NumberRequestByAddress(benchmark::State& state) {
    NumberRequest(state, "127.0.0.31", kBoardReached);
}
BENCHMARK(BM_NumberRequestByAddress)->Unit(benchmark::kMicrosecond);

void BM_NumberRequestByHostName(benchmark::State& state) {
    NumberRequest(state, "localhost", kBoardReached);
}
BENCHMARK(BM_NumberRequestByHostName)->Unit(benchmark::kMicrosecond);

void BM_NumberRequestRefused(benchmark::State& state) {
    NumberRequest(state, "127.0.0.99", kBoardNetworkProblem);
}
BENCHMARK(BM_NumberRequestRefused)->Unit(benchmark::kMicrosecond);

void BM_BoardDiscoveryBeyondWindow(benchmark::State& state) {
    DeviceNetworkSettings settings;
    settings.discoveryAddress = "127.0.0.1";
    settings.discoveryPort = (*TheSimulator()).DiscoveryPort();
    settings.discoveryTimeout = kWindow;
    std::vector<FoundDevice> found;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        DiscoverDevices(DeviceKind::VoipBoard, settings, 2, &found);
        const auto took = std::chrono::steady_clock::now() - start;
        if (found.size() != 2) {
            state.SkipWithError("the two boards were not both found");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(took - kWindow).count());
    }
}
BENCHMARK(BM_BoardDiscoveryBeyondWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(30);

}  // namespace

BENCHMARK_MAIN();
