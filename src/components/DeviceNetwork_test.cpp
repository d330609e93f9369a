// The settings of the device network; the PBX and VoIP board finders over real sockets, against
// the device simulator running on a thread of this process, and the wizard with this build's own
// components. Every address is a loopback address; discovery goes to 127.0.0.x.
#include <gtest/gtest.h>

#include "components/BoardQuery.h"
#include "components/BuiltInComponents.h"
#include "components/ComponentErrors.h"
#include "components/DeviceNetworkSettings.h"
#include "components/RegistryValues.h"
#include "support/ErrorOf.h"
#include "support/SimulatorThread.h"
#include "support/WizardTestPlatform.h"

namespace zelwiz {
namespace {

constexpr const char* kDevices = R"(
# two PBXs found in this order, one too late for the window
discovery 127.0.0.1 0
board-port 0
pbx 127.0.0.21 name=PBX-Paris
pbx 127.0.0.22 name=PBX-Lyon answer-delay=20
pbx 127.0.0.24 name=PBX-Late answer-delay=60000

# two boards found, one too late; board B listens on a port of its own
board 127.0.0.31 name=Board-A edn=5123
board 127.0.0.32 name=Board-B edn=5124 port=any answer-delay=20
board 127.0.0.33 name=Board-Late edn=5125 answer-delay=60000

# boards reached by their typed address only
board 127.0.0.40 name=Silent silent hidden
board 127.0.0.47 name=NoLicence code=149 hidden
board 127.0.0.48 name=PbxSlow code=157 edn-delay=50 hidden
board 127.0.0.49 name=Star edn=12*34 hidden
board 127.0.0.50 name=Huge edn=99999999999 hidden
)";

TEST(DeviceNetworkSettings, InstallationValuesWithDefaultsAndBounds) {
    ScopedTestPlatform t;
    DeviceNetworkSettings d = ReadDeviceNetworkSettings(t.registry);
    EXPECT_EQ(d.discoveryAddress, "255.255.255.255");
    EXPECT_EQ(d.discoveryPort, 17316);
    EXPECT_EQ(d.discoveryTimeout.count(), 2000);
    EXPECT_EQ(d.boardPort, 17317);
    EXPECT_EQ(d.boardTimeout.count(), 5000);

    t.SetText(HKEY_LOCAL_MACHINE, kInstallKeyPath, "DiscoveryAddress", " 127.0.0.5 ");
    t.SetText(HKEY_LOCAL_MACHINE, kInstallKeyPath, "DiscoveryPort", "4000");
    t.SetDword(HKEY_LOCAL_MACHINE, kInstallKeyPath, "DiscoveryTimeout", 10);
    t.SetDword(HKEY_LOCAL_MACHINE, kInstallKeyPath, "VoipBoardPort", 70000);
    t.SetText(HKEY_LOCAL_MACHINE, kInstallKeyPath, "VoipBoardTimeout", "fast");
    d = ReadDeviceNetworkSettings(t.registry);
    EXPECT_EQ(d.discoveryAddress, "127.0.0.5");
    EXPECT_EQ(d.discoveryPort, 4000) << "a number given as text";
    EXPECT_EQ(d.discoveryTimeout.count(), 100) << "brought up to the shortest window";
    EXPECT_EQ(d.boardPort, 17317) << "not a port: the default";
    EXPECT_EQ(d.boardTimeout.count(), 5000) << "not a number: the default";
}

// The wizard's platform with this build's components in place of the recording fakes.
class DeviceNetworkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterBuiltInComponents(p.catalog);
        ASSERT_NO_FATAL_FAILURE(sim.Start(kDevices));
        // Never the broadcast default: the probes go to the simulator on loopback.
        p.SetInstall("DiscoveryAddress", "127.0.0.1");
        p.SetInstall("DiscoveryPort", std::to_string(sim->DiscoveryPort()));
        p.SetInstall("DiscoveryTimeout", "600");
        p.SetInstall("VoipBoardPort", std::to_string(sim->BoardPort(0)));
        p.SetInstall("VoipBoardTimeout", "3000");
    }
    ComPtr<VoipBoardFinder> ReadyBoardFinder() {
        auto finder = CreateComponent<VoipBoardFinder>(kCLSID_VoipBoardFinder);
        std::int32_t status = -1;
        EXPECT_EQ(finder->InitFinder(&status), S_OK);
        EXPECT_EQ(status, 0);
        return finder;
    }
    // A discovery, then the boards as the selection dialog lists them: by the late-bound calls.
    static std::vector<std::string> DiscoveredBoards(VoipBoardFinder& finder) {
        std::int32_t status = -1;
        EXPECT_EQ(finder.DiscoverBoards(&status), S_OK);
        EXPECT_EQ(status, 0) << "discovery ran, whether it found anything or not";
        std::vector<std::string> listed;
        const auto count = std::get<std::int32_t>(CallByName(finder, "Discover_Count"));
        for (int i = 1; i <= count; ++i) {
            const char* call = i == 1 ? "Discover_FirstIpAddress" : "Discover_NextIPAddress";
            listed.push_back(VariantText(CallByName(finder, call)));
        }
        return listed;
    }
    // Connect to a board by its address; the code, and the number when it answered one.
    static std::pair<std::int32_t, std::string> ConnectTo(VoipBoardFinder& finder,
                                                          const std::string& address) {
        EXPECT_EQ(finder.put_IpAddress(address), S_OK);
        std::int32_t code = -1;
        EXPECT_EQ(finder.Connect(&code), S_OK);
        std::string number;
        const HRESULT hr = finder.get_EdnText(&number);
        EXPECT_EQ(SUCCEEDED(hr), code == 0) << "a number exactly when the board was reached";
        return {code, number};
    }

    WizardTestPlatform p;
    test::SimulatorThread sim;
};

TEST_F(DeviceNetworkTest, PbxDiscoveryListsEachPbxOnceInArrivalOrder) {
    auto finder = CreateComponent<PbxFinder>(kCLSID_PbxFinder);
    std::int32_t status = -1, count = -1;
    std::string address;
    EXPECT_EQ(finder->DiscoverPbx(2, &status), E_FAIL) << "before InitFinder";
    ASSERT_EQ(finder->InitFinder(&status), S_OK);
    EXPECT_EQ(finder->DiscoverPbx(9, &status), E_INVALIDARG);
    ASSERT_EQ(finder->DiscoverPbx(2, &status), S_OK);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(finder->get_PbxCount(&count), S_OK);
    std::vector<std::string> found(static_cast<size_t>(count));
    for (size_t i = 0; i < found.size(); ++i) {
        ASSERT_EQ(i == 0 ? finder->get_FirstAddress(&found[i]) : finder->get_NextAddress(&found[i]),
                  S_OK);
    }
    EXPECT_EQ(found, (std::vector<std::string>{"127.0.0.21", "127.0.0.22"}))
        << "each PBX answered each probe: listed once; the late one missed the window";
    EXPECT_EQ(finder->get_NextAddress(&address), DISP_E_BADINDEX);
}

TEST_F(DeviceNetworkTest, BoardDiscoveryThenConnectLearnsTheSetsNumber) {
    auto finder = ReadyBoardFinder();
    ASSERT_EQ(DiscoveredBoards(*finder), (std::vector<std::string>{"127.0.0.31", "127.0.0.32"}));
    EXPECT_EQ(ConnectTo(*finder, "127.0.0.32"), std::make_pair(0, std::string("5124")))
        << "board B is reached on the port its discovery answer gave, not VoipBoardPort";
    EXPECT_EQ(ConnectTo(*finder, " 127.0.0.31 "), std::make_pair(0, std::string("5123")))
        << "the address is taken trimmed";

    std::int32_t code = -1, number = 0;
    ASSERT_EQ(finder->ConnectV1(&code), S_OK);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(finder->get_EdnNumber(&number), S_OK);
    EXPECT_EQ(number, 5123);
    EXPECT_EQ(ConnectTo(*finder, "127.0.0.49"), std::make_pair(0, std::string("12*34")));
    EXPECT_EQ(finder->get_EdnNumber(&number), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(ConnectTo(*finder, "127.0.0.50").first, 0);
    EXPECT_EQ(finder->get_EdnNumber(&number), DISP_E_OVERFLOW);
}

// The board's own code (passed on whatever it is), and the code of each way a board cannot be
// reached.
TEST_F(DeviceNetworkTest, ConnectAnswersTheCodeOfTheBoardOrOfTheFailure) {
    p.SetInstall("VoipBoardTimeout", "300");  // bounds the wait for the silent board
    auto finder = ReadyBoardFinder();
    const std::pair<const char*, std::int32_t> kCases[] = {
        {"127.0.0.47", 149},
        {"127.0.0.48", 157},                    // answered after a delay
        {"127.0.0.40", kBoardDetectionFailed},  // never answers
        {"127.0.0.99", kBoardNetworkProblem},   // nobody listens: refused
        {"no board!", kBoardNotFound},          // not a host name: not looked up
        {"", kBoardNotFound},                   // no current board
    };
    for (const auto& [address, code] : kCases)
        EXPECT_EQ(ConnectTo(*finder, address).first, code) << address;
    std::int32_t code = -1, number = 0;
    ASSERT_EQ(finder->put_IpAddress("127.0.0.47"), S_OK);
    ASSERT_EQ(finder->ConnectV1(&code), S_OK);
    EXPECT_EQ(code, 149) << "the older call answers the same codes";
    EXPECT_EQ(finder->get_EdnNumber(&number), E_FAIL);
}

TEST_F(DeviceNetworkTest, DiscoveryWhereNothingAnswersEndsWithNoBoard) {
    p.SetInstall("DiscoveryAddress", "127.0.0.99");
    p.SetInstall("DiscoveryTimeout", "200");
    auto finder = ReadyBoardFinder();
    EXPECT_EQ(DiscoveredBoards(*finder), std::vector<std::string>{});
    EXPECT_EQ(ErrorOf([&] { CallByName(*finder, "Discover_FirstIpAddress"); }), DISP_E_BADINDEX);

    p.SetInstall("DiscoveryAddress", "not an address");
    auto broken = CreateComponent<VoipBoardFinder>(kCLSID_VoipBoardFinder);
    std::int32_t status = -1;
    ASSERT_EQ(broken->InitFinder(&status), S_OK);
    EXPECT_EQ(status, 145) << "a discovery address that cannot be a host";
}

TEST_F(DeviceNetworkTest, MultimediaPcSetFoundOnTheNetworkFromWelcomeToFinish) {
    p.SetInstall("CCC", "ThirdCSTALAN");
    p.SetText(HKEY_LOCAL_MACHINE, kProviderKeyPath, "PbxPrefix", "0");
    frmWizard& w = p.LoadWizard();
    p.Next();  // page 1
    w.OptionProfile(1).SetValue(true);
    p.AnswerSelection(0);  // the first PBX found
    p.Next();              // PBX discovery, then page 2
    ASSERT_EQ(w.iCurrentStep, 2);
    EXPECT_EQ(w.txtcstaIPadd->Text(), "127.0.0.21");
    p.Next();  // page 4
    w.OptIPPhone->SetValue(true);
    p.AnswerSelection(1);  // the second of the two boards
    p.Next();              // page 5 passed over: discovery, connect, page 8
    ASSERT_EQ(w.iCurrentStep, 8);
    EXPECT_EQ(w.mvarIPLANAdd, "127.0.0.32");
    EXPECT_EQ(w.mvarIP_EDN, "5124") << "the number the board answered";
    p.Next();  // page 9
    EXPECT_THROW(p.Finish(), ProgramEnd)
        << "the line object confirmed the preferred line: the main application starts";

    EXPECT_EQ(ReadRegText(p.registry, HKEY_CURRENT_USER, kPreferenceKeyPath, "Preferred Line"),
              "KORVANE - 5124");
}

}  // namespace
}  // namespace zelwiz
