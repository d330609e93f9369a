#include "admin/DiscoveryReport.h"

#include "components/BoardQuery.h"

namespace zelwiz {
namespace {

// A text, or null when there is none.
nlohmann::ordered_json TextOrNull(const std::string& text) {
    return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
}

nlohmann::ordered_json AnswerJson(const BoardAnswer& answer) {
    return {
        {"address", answer.address},
        {"port", answer.port},
        {"code", answer.code},
        {"number", answer.code == kBoardReached ? nlohmann::ordered_json(answer.number) : nullptr},
        {"ms", answer.after.count()},
        {"message", TextOrNull(answer.message)},
        {"why", TextOrNull(answer.why)}};
}

nlohmann::ordered_json DiscoveryJson(const Discovery& discovery) {
    nlohmann::ordered_json found = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < discovery.found.size(); ++i) {
        const FoundDevice& device = discovery.found[i];
        nlohmann::ordered_json item = {{"address", device.address},
                                       {"name", device.name},
                                       {"ms", device.answeredAfter.count()}};
        if (i < discovery.answers.size()) {
            item["port"] = device.port;
            item["number_request"] = AnswerJson(discovery.answers[i]);
        }
        found.push_back(item);
    }
    return {{"sent_to", TextOrNull(discovery.probes.sentTo)},
            {"probes", discovery.probes.probes},
            {"found", found},
            {"reason", TextOrNull(discovery.reason)}};
}

std::string AnswerText(const BoardAnswer& answer) {
    if (answer.code == kBoardReached)
        return "number " + answer.number + " after " + std::to_string(answer.after.count()) + " ms";
    std::string text = "code " + std::to_string(answer.code) + " after " +
                       std::to_string(answer.after.count()) + " ms: " + answer.why;
    if (!answer.message.empty())
        text += "\n      the wizard says: " + answer.message;
    return text;
}

std::string DiscoveryText(const Discovery& discovery, const DeviceNetworkSettings& settings) {
    std::string text = discovery.kind + "s: ";
    if (discovery.probes.probes > 0) {
        text += std::to_string(discovery.probes.probes) + " probes to " + discovery.probes.sentTo +
                " over " + std::to_string(settings.discoveryTimeout.count()) + " ms\n";
    } else {
        text += "no probe sent\n";
    }
    for (std::size_t i = 0; i < discovery.found.size(); ++i) {
        const FoundDevice& device = discovery.found[i];
        text += "  " + device.address + "  " + device.name + "  answered after " +
                std::to_string(device.answeredAfter.count()) + " ms\n";
        if (i < discovery.answers.size()) {
            text += "    number request to port " + std::to_string(device.port) + ": " +
                    AnswerText(discovery.answers[i]) + "\n";
        }
    }
    if (!discovery.reason.empty())
        text += "  " + discovery.reason + "\n";
    return text;
}

}  // namespace

nlohmann::ordered_json ToJson(const DiscoveryReport& report) {
    const DeviceNetworkSettings& s = report.settings;
    return {{"settings",
             {{"discovery_address", s.discoveryAddress},
              {"discovery_port", s.discoveryPort},
              {"discovery_timeout_ms", s.discoveryTimeout.count()},
              {"board_port", s.boardPort},
              {"board_timeout_ms", s.boardTimeout.count()}}},
            {"pbxs", DiscoveryJson(report.pbxs)},
            {"boards", DiscoveryJson(report.boards)},
            {"user_board",
             report.hasUserBoard ? AnswerJson(report.userBoard) : nlohmann::ordered_json(nullptr)}};
}

std::string ToText(const DiscoveryReport& report) {
    const DeviceNetworkSettings& s = report.settings;
    std::string text = "Settings: discovery address " + s.discoveryAddress + ", port " +
                       std::to_string(s.discoveryPort) + ", window " +
                       std::to_string(s.discoveryTimeout.count()) + " ms; board port " +
                       std::to_string(s.boardPort) + ", number request bound " +
                       std::to_string(s.boardTimeout.count()) + " ms\n";
    text += DiscoveryText(report.pbxs, s);
    text += DiscoveryText(report.boards, s);
    if (report.hasUserBoard) {
        text += "The user's VoIP board " + report.userBoard.address + " port " +
                std::to_string(report.userBoard.port) + ": " + AnswerText(report.userBoard) + "\n";
    }
    return text;
}

}  // namespace zelwiz
