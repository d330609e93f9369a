// zelwiz-devicesim: PBXs and VoIP boards on loopback addresses, speaking the device protocol, for
// trying the wizard's detection without a PBX. Stops by itself after --seconds.
//
//   zelwiz-devicesim [--config FILE] [--seconds N]

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "components/DeviceSimConfig.h"
#include "components/DeviceSimulator.h"

namespace {

// Used when no configuration file is given: what a small site looks like.
constexpr const char* kDemoDevices = R"(
discovery 127.0.0.1 17316
board-port 17317
pbx 127.0.0.21 name=PBX-Paris
pbx 127.0.0.22 name=PBX-Lyon answer-delay=50
pbx 127.0.0.23 name=PBX-Nice answer-delay=100
board 127.0.0.31 name=VoIP-Board-1 edn=5123
board 127.0.0.32 name=VoIP-Board-2 edn=5124 answer-delay=50
board 127.0.0.41 name=No-Licence code=149 hidden
board 127.0.0.42 name=Slow-PBX code=157 edn-delay=1000 hidden
)";

constexpr int kDefaultSeconds = 60;
constexpr int kMaxSeconds = 24 * 3600;

int Usage(const char* problem) {
    std::fprintf(stderr,
                 "zelwiz-devicesim: %s\n"
                 "usage: zelwiz-devicesim [--config FILE] [--seconds N]\n"
                 "  --config FILE  the simulated PBXs and boards (default: a demonstration set)\n"
                 "  --seconds N    stop after N seconds, 1 to %d (default %d)\n",
                 problem, kMaxSeconds, kDefaultSeconds);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string configPath;
    int seconds = kDefaultSeconds;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--config" && i + 1 < argc) {
            configPath = argv[++i];
        } else if (arg == "--seconds" && i + 1 < argc) {
            try {
                size_t used = 0;
                seconds = std::stoi(argv[++i], &used);
                if (used != std::string(argv[i]).size())
                    return Usage("--seconds takes a whole number");
            } catch (const std::exception&) {
                return Usage("--seconds takes a whole number");
            }
            if (seconds < 1 || seconds > kMaxSeconds)
                return Usage("--seconds is out of range");
        } else if (arg == "--help" || arg == "-h") {
            Usage("simulates PBXs and VoIP boards on loopback addresses");
            return 0;
        } else {
            return Usage(("unknown argument " + arg).c_str());
        }
    }

    std::string text = kDemoDevices;
    if (!configPath.empty()) {
        std::ifstream in(configPath);
        if (!in) {
            std::fprintf(stderr, "zelwiz-devicesim: cannot read %s\n", configPath.c_str());
            return 1;
        }
        std::ostringstream all;
        all << in.rdbuf();
        text = all.str();
    }
    zelwiz::DeviceSimConfig config;
    std::string error;
    if (!zelwiz::ParseDeviceSimConfig(text, &config, &error)) {
        std::fprintf(stderr, "zelwiz-devicesim: %s: %s\n",
                     configPath.empty() ? "demonstration set" : configPath.c_str(), error.c_str());
        return 1;
    }
    auto sim = zelwiz::DeviceSimulator::Open(config, &error);
    if (!sim) {
        std::fprintf(stderr, "zelwiz-devicesim: %s\n", error.c_str());
        return 1;
    }
    sim->StopOnSignals();
    std::printf("%s; stopping in %d s\n", sim->ReadyLine().c_str(), seconds);
    std::fflush(stdout);
    sim->Run(std::chrono::seconds(seconds));
    std::printf("zelwiz-devicesim: stopped after %d probe(s) and %d number request(s)\n",
                sim->ProbesAnswered(), sim->RequestsServed());
    return 0;
}
