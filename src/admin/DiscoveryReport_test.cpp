// The discovery report against the device simulator on loopback addresses: who answers, what the
// boards say when asked for the number, and why nothing answers.
#include <gtest/gtest.h>

#include "admin/DiscoveryReport.h"
#include "components/translator/RegisterTextTranslator.h"
#include "platform/ComponentCatalog.h"
#include "support/ScopedTestPlatform.h"
#include "support/SimulatorThread.h"

namespace zelwiz {
namespace {

constexpr const char* kDevices = R"(
discovery 127.0.0.1 0
board-port 0
pbx 127.0.0.21 name=PBX-Paris
pbx 127.0.0.22 name=PBX-Lyon answer-delay=30
board 127.0.0.31 name=Board-A edn=5123
board 127.0.0.32 name=Board-Full code=149 answer-delay=30
)";

const std::string kInstall = "Software\\Korvane\\7316\\Install";

class DiscoveryReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterTextTranslator(catalog);
        InstallPlatform(Platform{&p.registry, &p.shell, &p.toolkit, &catalog});
        ASSERT_NO_FATAL_FAILURE(sim_.Start(kDevices));
        p.SetText(HKEY_LOCAL_MACHINE, kInstall, "DiscoveryAddress", "127.0.0.1");
        p.SetText(HKEY_LOCAL_MACHINE, kInstall, "DiscoveryPort",
                  std::to_string(sim_->DiscoveryPort()));
        p.SetText(HKEY_LOCAL_MACHINE, kInstall, "DiscoveryTimeout", "300");
    }

    ScopedTestPlatform p;
    ComponentCatalog catalog;

  private:
    test::SimulatorThread sim_;
};

TEST_F(DiscoveryReportTest, ReportsWhoAnswersWhatBoardsSayAndWhyNothingAnswers) {
    // The user's board is an address nobody listens on.
    p.SetText(HKEY_CURRENT_USER, "Software\\Korvane\\TSpi_CSTA\\Provider", "IpAddress",
              "127.0.0.77");
    nlohmann::ordered_json report = ToJson(RunDiscovery(p.registry));
    const nlohmann::ordered_json& pbxs = report["pbxs"]["found"];
    ASSERT_EQ(pbxs.size(), 2u) << report;
    EXPECT_EQ(pbxs[0]["address"], "127.0.0.21");
    EXPECT_EQ(pbxs[1]["name"], "PBX-Lyon");
    EXPECT_EQ(report["pbxs"]["reason"], nullptr);
    const nlohmann::ordered_json& boards = report["boards"]["found"];
    ASSERT_EQ(boards.size(), 2u) << report;
    EXPECT_EQ(boards[0]["number_request"]["number"], "5123");
    EXPECT_EQ(boards[1]["number_request"]["code"], 149);
    EXPECT_NE(boards[1]["number_request"]["message"].get<std::string>().find("licenses"),
              std::string::npos)
        << "the board's code in words";
    EXPECT_EQ(report["user_board"]["code"], 17) << "nobody listens on the user's board";

    // Probes to an address where nothing answers, then to one that does not resolve.
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "DiscoveryAddress", "127.0.0.9");
    report = ToJson(RunDiscovery(p.registry));
    EXPECT_TRUE(report["boards"]["found"].empty());
    EXPECT_EQ(report["pbxs"]["reason"], "nothing answered on 127.0.0.9 port " +
                                            report["settings"]["discovery_port"].dump() +
                                            " within 300 ms");
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "DiscoveryAddress", "no-such-pbx.invalid");
    report = ToJson(RunDiscovery(p.registry));
    EXPECT_EQ(report["boards"]["reason"],
              "the discovery address no-such-pbx.invalid does not resolve");
}

}  // namespace
}  // namespace zelwiz
