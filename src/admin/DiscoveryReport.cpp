#include "admin/DiscoveryReport.h"

#include "components/BoardQuery.h"
#include "environment/Translation.h"
#include "environment/mCustom.h"
#include "platform/ComponentCatalog.h"
#include "platform/Conversions.h"
#include "platform/ErrorInfo.h"
#include "settings/mLibApi32.h"
#include "telephony/VoipErrors.h"

namespace zelwiz {
namespace {

constexpr int kProbeResends = 2;  // as the wizard's finders send them: three probes in all

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds Since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

// What happened on the network behind the codes the wizard gives itself.
std::string NetworkReason(std::int32_t code, std::chrono::milliseconds bound) {
    switch (code) {
        case kBoardNetworkProblem:
            return "the connection was refused, reset or closed before a whole answer came";
        case kBoardDetectionFailed:
            return "no connection or no answer within " + std::to_string(bound.count()) + " ms";
        case kBoardNotFound:
            return "the name does not resolve, there is no route to it, or what answered does not "
                   "speak the device protocol";
        default:
            return "the board answered with code " + std::to_string(code);
    }
}

BoardAnswer AskBoard(const std::string& address, std::uint16_t port,
                     const DeviceNetworkSettings& settings) {
    BoardAnswer answer;
    answer.address = address;
    answer.port = port;
    const Clock::time_point start = Clock::now();
    BoardReply reply = QueryBoardNumber(address, port, settings.boardTimeout);
    answer.after = Since(start);
    answer.code = reply.code;
    answer.number = std::move(reply.number);
    if (answer.code != kBoardReached) {
        answer.why = NetworkReason(answer.code, settings.boardTimeout);
        // The wizard's message; without a translator the code and the reason stand alone.
        ResumeNext trap;
        trap([&] { answer.message = IPLANErrorText(answer.code); });
    }
    return answer;
}

Discovery Discover(DeviceKind kind, const DeviceNetworkSettings& settings) {
    Discovery discovery;
    discovery.kind = kind == DeviceKind::Pbx ? "PBX" : "VoIP board";
    discovery.status =
        DiscoverDevices(kind, settings, kProbeResends, &discovery.found, &discovery.probes);
    const std::string where =
        settings.discoveryAddress + " port " + std::to_string(settings.discoveryPort);
    if (discovery.status == kDiscoveryAddressNotFound) {
        discovery.reason =
            "the discovery address " + settings.discoveryAddress + " does not resolve";
    } else if (discovery.status != kDiscoveryDone) {
        discovery.reason = "no probe could be sent to " + where + ": a network problem";
    } else if (discovery.found.empty()) {
        discovery.reason = "nothing answered on " + where + " within " +
                           std::to_string(settings.discoveryTimeout.count()) + " ms";
    }
    if (kind == DeviceKind::VoipBoard) {
        for (const FoundDevice& board : discovery.found)
            discovery.answers.push_back(AskBoard(board.address, board.port, settings));
    }
    return discovery;
}

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

DiscoveryReport RunDiscovery(Registry& registry) {
    DiscoveryReport report;
    report.settings = ReadDeviceNetworkSettings(registry);
    ReadProductNames();
    ResumeNext noTranslator;
    noTranslator(
        [] { gTextTranslator() = CreateComponent<TextTranslator>(kCLSID_TextTranslator); });

    report.pbxs = Discover(DeviceKind::Pbx, report.settings);
    report.boards = Discover(DeviceKind::VoipBoard, report.settings);

    // The board the user's configuration names: the user's own address, else the machine's.
    const std::string key = "Software\\Korvane\\TSpi_CSTA\\Provider";
    std::string address = Trim(RegReadValue(HKEY_CURRENT_USER, key, "IpAddress"));
    if (address.empty())
        address = Trim(RegReadValue(HKEY_LOCAL_MACHINE, key, "IpAddress"));
    if (!address.empty()) {
        report.hasUserBoard = true;
        report.userBoard = AskBoard(address, report.settings.boardPort, report.settings);
    }
    gTextTranslator().Reset();
    return report;
}

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
