#include "components/DeviceSimConfig.h"

#include <charconv>
#include <sstream>
#include <vector>

#include "components/DeviceProtocol.h"
#include "components/Ipv4Address.h"

namespace zelwiz {
namespace {

constexpr std::uint32_t kMaxDelayMs = 600000;

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) {
        if (w[0] == '#')
            break;  // a comment runs to the end of the line
        words.push_back(w);
    }
    return words;
}

bool ToNumber(const std::string& text, std::uint32_t max, std::uint32_t* value) {
    if (text.empty() || text.size() > 10)
        return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return ec == std::errc() && ptr == text.data() + text.size() && *value <= max;
}

// Parses one statement; answers the problem, or empty.
class StatementParser {
  public:
    explicit StatementParser(DeviceSimConfig* config) : config_(config) {}

    std::string Parse(const std::vector<std::string>& w) {
        const std::string& keyword = w[0];
        if (keyword == "discovery") {
            if (w.size() != 3)
                return "discovery takes an address and a port";
            if (auto problem = Loopback(w[1]); !problem.empty())
                return problem;
            std::uint32_t port = 0;
            if (!ToNumber(w[2], 65535, &port))
                return "the discovery port is a number from 0 to 65535";
            config_->discoveryAddress = w[1];
            config_->discoveryPort = static_cast<std::uint16_t>(port);
            return {};
        }
        if (keyword == "board-port") {
            std::uint32_t port = 0;
            if (w.size() != 2 || !ToNumber(w[1], 65535, &port))
                return "board-port takes a port number from 0 to 65535";
            config_->boardPort = static_cast<std::uint16_t>(port);
            return {};
        }
        if (keyword == "pbx")
            return Pbx(w);
        if (keyword == "board")
            return Board(w);
        return "unknown statement \"" + keyword + "\"";
    }

  private:
    static std::string Loopback(const std::string& address) {
        auto endpoint = ParseIpv4(address);
        if (!endpoint)
            return "\"" + address + "\" is not an IPv4 address";
        if (!IsLoopback(*endpoint))
            return "\"" + address + "\" is not a loopback address (127.0.0.0/8)";
        return {};
    }

    static std::string Delay(const std::string& value, std::chrono::milliseconds* delay) {
        std::uint32_t ms = 0;
        if (!ToNumber(value, kMaxDelayMs, &ms))
            return "a delay is a number of milliseconds up to 600000";
        *delay = std::chrono::milliseconds(ms);
        return {};
    }

    std::string Pbx(const std::vector<std::string>& w) {
        if (w.size() < 2)
            return "pbx needs an address";
        SimulatedPbx pbx;
        if (auto problem = Loopback(w[1]); !problem.empty())
            return problem;
        pbx.address = w[1];
        for (size_t i = 2; i < w.size(); ++i) {
            const auto [key, value] = Split(w[i]);
            std::string problem;
            if (key == "name") {
                pbx.name = value;
            } else if (key == "answer-delay") {
                problem = Delay(value, &pbx.answerDelay);
            } else {
                problem = "unknown pbx setting \"" + w[i] + "\"";
            }
            if (!problem.empty())
                return problem;
        }
        if (!IsValidDeviceName(pbx.name))
            return "a pbx needs name=<1 to 63 letters, digits, '.', '_' or '->";
        config_->pbxs.push_back(std::move(pbx));
        return {};
    }

    std::string Board(const std::vector<std::string>& w) {
        if (w.size() < 2)
            return "board needs an address";
        SimulatedBoard board;
        if (auto problem = Loopback(w[1]); !problem.empty())
            return problem;
        board.address = w[1];
        bool hasCode = false;
        for (size_t i = 2; i < w.size(); ++i) {
            const auto [key, value] = Split(w[i]);
            std::string problem;
            std::uint32_t n = 0;
            if (key == "name") {
                board.name = value;
            } else if (key == "edn") {
                if (!IsValidDirectoryNumber(value))
                    problem = "edn is 1 to 20 digits, '*' or '#'";
                board.edn = value;
            } else if (key == "code") {
                if (!ToNumber(value, 0x7FFFFFFF, &n))
                    problem = "code is a number from 0 to 2147483647";
                board.code = static_cast<std::int32_t>(n);
                hasCode = true;
            } else if (key == "port") {
                if (value == "any") {
                    board.ownPort = true;
                } else if (!ToNumber(value, 65535, &n) || n == 0) {
                    problem = "port is a number from 1 to 65535, or any";
                }
                board.port = static_cast<std::uint16_t>(n);
            } else if (key == "answer-delay") {
                problem = Delay(value, &board.answerDelay);
            } else if (key == "edn-delay") {
                problem = Delay(value, &board.ednDelay);
            } else if (w[i] == "silent") {
                board.silent = true;
            } else if (w[i] == "hidden") {
                board.hidden = true;
            } else {
                problem = "unknown board setting \"" + w[i] + "\"";
            }
            if (!problem.empty())
                return problem;
        }
        if (!IsValidDeviceName(board.name))
            return "a board needs name=<1 to 63 letters, digits, '.', '_' or '->";
        if (!hasCode && board.edn.empty() && !board.silent)
            return "a board needs edn=<number> or code=<code>";
        if (board.code == 0 && board.edn.empty() && !board.silent)
            return "a board answering code 0 needs edn=<number>";
        config_->boards.push_back(std::move(board));
        return {};
    }

    static std::pair<std::string, std::string> Split(const std::string& word) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos)
            return {word, {}};
        return {word.substr(0, eq), word.substr(eq + 1)};
    }

    DeviceSimConfig* config_;
};

}  // namespace

bool ParseDeviceSimConfig(std::string_view text, DeviceSimConfig* config, std::string* error) {
    DeviceSimConfig parsed;
    StatementParser parser(&parsed);
    std::istringstream in{std::string(text)};
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const auto words = Words(line);
        if (words.empty())
            continue;
        if (std::string problem = parser.Parse(words); !problem.empty()) {
            *error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
    }
    *config = std::move(parsed);
    return true;
}

}  // namespace zelwiz
