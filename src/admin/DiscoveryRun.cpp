// Discovery as the wizard runs it, and the number requests to the boards found, for the report.
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

}  // namespace zelwiz
