// The PBX and VoIP board finders over real sockets, against the device simulator running on a
// thread of this process. Every address is a loopback address; discovery goes to 127.0.0.x.
#include <gtest/gtest.h>

#include <thread>

#include "components/BoardQuery.h"
#include "components/BuiltInComponents.h"
#include "components/ComponentErrors.h"
#include "components/DeviceNetworkSettings.h"
#include "components/DeviceProtocol.h"
#include "components/DeviceSimulator.h"
#include "platform/Platform.h"
#include "platform/TreeRegistry.h"
#include "telephony/PbxFinder.h"
#include "telephony/VoipBoardFinder.h"

namespace zelwiz {
namespace {

constexpr const char* kDevices = R"(
# three PBXs found in this order, one too late for the window
discovery 127.0.0.1 0
board-port 0
pbx 127.0.0.21 name=PBX-Paris
pbx 127.0.0.22 name=PBX-Lyon answer-delay=20
pbx 127.0.0.23 name=PBX-Nice answer-delay=40
pbx 127.0.0.24 name=PBX-Late answer-delay=60000

# two boards found, one too late; board B listens on a port of its own
board 127.0.0.31 name=Board-A edn=5123
board 127.0.0.32 name=Board-B edn=5124 port=any answer-delay=20
board 127.0.0.33 name=Board-Late edn=5125 answer-delay=60000

# boards reached by their typed address only
board 127.0.0.40 name=Silent silent hidden
board 127.0.0.41 name=NoSound code=6 hidden
board 127.0.0.42 name=NoMemory code=7 hidden
board 127.0.0.43 name=HalfDuplex code=11 hidden
board 127.0.0.44 name=NetDown code=17 hidden
board 127.0.0.45 name=Refused code=146 hidden
board 127.0.0.46 name=InUse code=148 hidden
board 127.0.0.47 name=NoLicence code=149 hidden
board 127.0.0.48 name=PbxSlow code=157 edn-delay=50 hidden
board 127.0.0.49 name=Star edn=12*34 hidden
board 127.0.0.50 name=Huge edn=99999999999 hidden
)";

class DeviceNetworkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = InstallPlatform(Platform{&reg, nullptr, nullptr, &catalog});
        RegisterBuiltInComponents(catalog);
        DeviceSimConfig config;
        std::string error;
        ASSERT_TRUE(ParseDeviceSimConfig(kDevices, &config, &error)) << error;
        sim = DeviceSimulator::Open(config, &error);
        ASSERT_TRUE(sim) << error;
        server_ = std::thread([this] { sim->Run(std::chrono::seconds(120)); });
        // Never the broadcast default: the probes go to the simulator on loopback.
        SetInstall("DiscoveryAddress", "127.0.0.1");
        SetInstall("DiscoveryPort", std::to_string(sim->DiscoveryPort()));
        SetInstall("DiscoveryTimeout", "600");
        SetInstall("VoipBoardPort", std::to_string(sim->BoardPort(0)));
        SetInstall("VoipBoardTimeout", "3000");
    }
    void TearDown() override {
        if (sim)
            sim->Stop();
        if (server_.joinable())
            server_.join();
        InstallPlatform(previous_);
    }

    void SetInstall(const char* name, const std::string& text) {
        HKEY key = 0;
        ASSERT_EQ(reg.CreateKey(HKEY_LOCAL_MACHINE, kInstallKeyPath, KEY_ALL_ACCESS, &key),
                  ERROR_SUCCESS);
        reg.SetString(key, name, text);
        reg.CloseKey(key);
    }

    ComPtr<VoipBoardFinder> ReadyBoardFinder() {
        auto finder = CreateComponent<VoipBoardFinder>(kCLSID_VoipBoardFinder);
        std::int32_t status = -1;
        EXPECT_EQ(finder->InitFinder(&status), S_OK);
        EXPECT_EQ(status, 0);
        return finder;
    }
    // The boards as the selection dialog lists them: through the late-bound calls.
    static std::vector<std::string> ListedBoards(VoipBoardFinder& finder) {
        std::vector<std::string> listed;
        const auto count = std::get<std::int32_t>(CallByName(finder, "Discover_Count"));
        if (count < 1)
            return listed;
        listed.push_back(VariantText(CallByName(finder, "Discover_FirstIpAddress")));
        for (int i = 2; i <= count; ++i)
            listed.push_back(VariantText(CallByName(finder, "Discover_NextIPAddress")));
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

    MemoryRegistry reg;
    ComponentCatalog catalog;
    std::unique_ptr<DeviceSimulator> sim;

  private:
    std::thread server_;
    Platform previous_;
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
    std::vector<std::string> found;
    for (int i = 1; i <= count; ++i) {
        ASSERT_EQ(i == 1 ? finder->get_FirstAddress(&address) : finder->get_NextAddress(&address),
                  S_OK);
        found.push_back(address);
    }
    EXPECT_EQ(found, (std::vector<std::string>{"127.0.0.21", "127.0.0.22", "127.0.0.23"}))
        << "each PBX answered each probe: listed once; the late one missed the window";
    EXPECT_EQ(finder->get_NextAddress(&address), DISP_E_BADINDEX);
}

TEST_F(DeviceNetworkTest, BoardDiscoveryThenConnectLearnsTheSetsNumber) {
    auto finder = ReadyBoardFinder();
    std::int32_t status = -1;
    ASSERT_EQ(finder->DiscoverBoards(&status), S_OK);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(ListedBoards(*finder), (std::vector<std::string>{"127.0.0.31", "127.0.0.32"}));
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

// Each board's own code, and the code of each way a board cannot be reached.
TEST_F(DeviceNetworkTest, ConnectAnswersTheCodeOfTheBoardOrOfTheFailure) {
    SetInstall("VoipBoardTimeout", "300");  // bounds the wait for the silent board
    auto finder = ReadyBoardFinder();
    const std::pair<const char*, std::int32_t> kCases[] = {
        {"127.0.0.41", 6},
        {"127.0.0.42", 7},
        {"127.0.0.43", 11},
        {"127.0.0.44", 17},
        {"127.0.0.45", 146},
        {"127.0.0.46", 148},
        {"127.0.0.47", 149},
        {"127.0.0.48", 157},
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
    SetInstall("DiscoveryAddress", "127.0.0.99");
    SetInstall("DiscoveryTimeout", "200");
    auto finder = ReadyBoardFinder();
    std::int32_t status = -1;
    ASSERT_EQ(finder->DiscoverBoards(&status), S_OK);
    EXPECT_EQ(status, 0) << "discovery ran; it found nothing";
    EXPECT_EQ(ListedBoards(*finder), std::vector<std::string>{});
    Variant first;
    std::vector<Variant> none;
    DISPID id = 0;
    ASSERT_EQ(finder->GetIDsOfNames("Discover_FirstIpAddress", &id), S_OK);
    EXPECT_EQ(finder->Invoke(id, none, &first), DISP_E_BADINDEX);

    SetInstall("DiscoveryAddress", "not an address");
    auto broken = CreateComponent<VoipBoardFinder>(kCLSID_VoipBoardFinder);
    ASSERT_EQ(broken->InitFinder(&status), S_OK);
    EXPECT_EQ(status, 145) << "a discovery address that cannot be a host";
}

}  // namespace
}  // namespace zelwiz
