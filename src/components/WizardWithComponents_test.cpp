// The wizard with this build's own components: the finders talking to the device simulator on
// loopback, the dialing rules and the provider configurator on the registry, the line object.
#include <gtest/gtest.h>

#include <thread>

#include "components/BuiltInComponents.h"
#include "components/DeviceSimConfig.h"
#include "components/DeviceSimulator.h"
#include "platform/ComponentCatalog.h"
#include "support/WizardTestPlatform.h"
#include "telephony/ProviderConfigurator.h"

namespace zelwiz {
namespace {

const char* const kDevices = R"(discovery 127.0.0.1 0
board-port 0
pbx 127.0.0.21 name=PBX-Paris
board 127.0.0.31 name=Board-A edn=5123
board 127.0.0.32 name=Board-B edn=5124
)";

class WizardWithComponents : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterBuiltInComponents(p.catalog);  // in place of the recording fakes
        DeviceSimConfig config;
        std::string error;
        ASSERT_TRUE(ParseDeviceSimConfig(kDevices, &config, &error)) << error;
        sim = DeviceSimulator::Open(config, &error);
        ASSERT_TRUE(sim) << error;
        server = std::thread([this] { sim->Run(std::chrono::seconds(60)); });
        p.SetInstall("CCC", "ThirdCSTALAN");
        p.SetText(HKEY_LOCAL_MACHINE, "Software\\Korvane\\TSpi_CSTA", "PbxPrefix", "0");
        p.SetInstall("DiscoveryAddress", "127.0.0.1");  // never the broadcast default in a test
        p.SetInstall("DiscoveryPort", std::to_string(sim->DiscoveryPort()));
        p.SetInstall("DiscoveryTimeout", "500");
    }
    void TearDown() override {
        if (sim)
            sim->Stop();
        if (server.joinable())
            server.join();
    }
    // A text value of the user's hive, without the NUL the store keeps.
    std::optional<std::string> User(const std::string& path, const std::string& name) {
        auto raw = p.Raw(HKEY_CURRENT_USER, path, name);
        if (raw && !raw->empty() && raw->back() == '\0')
            raw->pop_back();
        return raw;
    }

    WizardTestPlatform p;
    std::unique_ptr<DeviceSimulator> sim;
    std::thread server;
};

TEST_F(WizardWithComponents, MultimediaPcSetFoundOnTheNetworkFromWelcomeToFinish) {
    frmWizard& w = p.LoadWizard();
    p.Next();  // page 1
    w.OptionProfile(1).SetValue(true);
    p.AnswerSelection(0);  // the one PBX found
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
        << "a first configuration starts the main application and ends";

    EXPECT_EQ(User("Software\\Korvane\\7316\\ZELDial\\Preference", "Preferred Line"),
              "KORVANE - 5124");
    EXPECT_EQ(User("Software\\Korvane\\7316\\ZELWiz\\Settings", "EdnIP"), "5124");
    EXPECT_EQ(User("Software\\Korvane\\7316\\ZELDial\\Settings", "ExtHandsetvisible"), "1");
    EXPECT_EQ(User("Software\\Korvane\\7316\\Install", "ProductProfil"), " 1");
    EXPECT_EQ(User("Software\\Korvane\\7316\\Install", "IsWizConfigured"), "-1");
    EXPECT_EQ(User("Software\\Korvane\\TSpi_CSTA", "SwitchName"), "127.0.0.21");
    EXPECT_EQ(User("Software\\Korvane\\TSpi_CSTA\\Provider", "IpAddress"), "127.0.0.32");
    EXPECT_EQ(User("Software\\Korvane\\TSpi_CSTA\\PreferredEDNs\\5124", "IPKey"), "1");
    ASSERT_EQ(p.shell.started.size(), 1u);
    EXPECT_NE(p.shell.started[0].find("zelphone.exe"), std::string::npos);

    // The product's line object confirms the preferred line afterwards.
    auto line = CreateComponent<IDispatchObject>(kProgID_LineObject);
    CallByName(*line, "Initialize");
    std::vector<Variant> index{CallByName(*line, "Preferredline")};
    ASSERT_NE(VariantText(index[0]), "-1");
    EXPECT_EQ(VariantText(CallByName(*line, "LineAddress", index)), "5124");
    CallByName(*line, "Terminate");
}

}  // namespace
}  // namespace zelwiz
