#include "components/DeviceNetworkSettings.h"

#include <gtest/gtest.h>

#include "platform/TreeRegistry.h"

namespace zelwiz {
namespace {

TEST(DeviceNetworkSettings, InstallationValuesWithDefaultsAndBounds) {
    MemoryRegistry reg;
    DeviceNetworkSettings d = ReadDeviceNetworkSettings(reg);
    EXPECT_EQ(d.discoveryAddress, "255.255.255.255");
    EXPECT_EQ(d.discoveryPort, 17316);
    EXPECT_EQ(d.discoveryTimeout.count(), 2000);
    EXPECT_EQ(d.boardPort, 17317);
    EXPECT_EQ(d.boardTimeout.count(), 5000);

    HKEY key = 0;
    ASSERT_EQ(reg.CreateKey(HKEY_LOCAL_MACHINE, kInstallKeyPath, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    reg.SetString(key, "DiscoveryAddress", " 127.0.0.5 ");
    reg.SetString(key, "DiscoveryPort", "4000");
    reg.SetDword(key, "DiscoveryTimeout", 10);
    reg.SetDword(key, "VoipBoardPort", 70000);
    reg.SetString(key, "VoipBoardTimeout", "fast");
    reg.CloseKey(key);
    d = ReadDeviceNetworkSettings(reg);
    EXPECT_EQ(d.discoveryAddress, "127.0.0.5");
    EXPECT_EQ(d.discoveryPort, 4000) << "a number given as text";
    EXPECT_EQ(d.discoveryTimeout.count(), 100) << "brought up to the shortest window";
    EXPECT_EQ(d.boardPort, 17317) << "not a port: the default";
    EXPECT_EQ(d.boardTimeout.count(), 5000) << "not a number: the default";
}

}  // namespace
}  // namespace zelwiz
