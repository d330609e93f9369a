#include "components/DeviceSimConfig.h"

#include <gtest/gtest.h>

namespace zelwiz {
namespace {

TEST(DeviceSimConfig, ReadsEveryStatementAndSetting) {
    DeviceSimConfig c;
    std::string error;
    ASSERT_TRUE(ParseDeviceSimConfig(R"(# demo
discovery 127.0.0.2 4000   # where probes go
board-port 0
pbx 127.0.0.21 name=PBX-Paris answer-delay=15
board 127.0.0.31 name=B1 edn=5123# port=any answer-delay=5 edn-delay=7 hidden
board 127.0.0.32 name=B2 code=149 port=4100
board 127.0.0.33 name=B3 silent
)",
                                     &c, &error))
        << error;
    EXPECT_EQ(c.discoveryAddress, "127.0.0.2");
    EXPECT_EQ(c.discoveryPort, 4000);
    EXPECT_EQ(c.boardPort, 0);
    ASSERT_EQ(c.pbxs.size(), 1u);
    EXPECT_EQ(c.pbxs[0].name, "PBX-Paris");
    EXPECT_EQ(c.pbxs[0].answerDelay.count(), 15);
    ASSERT_EQ(c.boards.size(), 3u);
    EXPECT_EQ(c.boards[0].edn, "5123#") << "a '#' inside a word is part of it";
    EXPECT_TRUE(c.boards[0].ownPort);
    EXPECT_EQ(c.boards[0].ednDelay.count(), 7);
    EXPECT_TRUE(c.boards[0].hidden);
    EXPECT_EQ(c.boards[1].code, 149);
    EXPECT_EQ(c.boards[1].port, 4100);
    EXPECT_TRUE(c.boards[2].silent);
}

}  // namespace
}  // namespace zelwiz
