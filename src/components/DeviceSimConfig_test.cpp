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

TEST(DeviceSimConfig, MistakesNameTheirLineAndLeaveTheConfigurationAlone) {
    struct Case {
        const char* text;
        const char* error;
    };
    for (const Case& k : {
             Case{"pbx 10.0.0.1 name=P", "line 1: \"10.0.0.1\" is not a loopback address"},
             Case{"\nboard 192.168.1.2 name=B edn=1", "line 2: \"192.168.1.2\" is not a loopback"},
             Case{"discovery 255.255.255.255 1", "line 1: \"255.255.255.255\" is not a loopback"},
             Case{"pbx localhost name=P", "line 1: \"localhost\" is not an IPv4 address"},
             Case{"pbx 127.0.0.1", "line 1: a pbx needs name="},
             Case{"board 127.0.0.1 name=B", "line 1: a board needs edn=<number> or code="},
             Case{"board 127.0.0.1 name=B code=0", "line 1: a board answering code 0 needs edn"},
             Case{"board 127.0.0.1 name=B edn=1 port=0", "line 1: port is a number from 1"},
             Case{"board 127.0.0.1 name=B edn=1 edn-delay=600001", "line 1: a delay is"},
             Case{"board 127.0.0.1 name=B edn=x", "line 1: edn is 1 to 20 digits"},
             Case{"board 127.0.0.1 name=B edn=1 colour=red", "line 1: unknown board setting"},
             Case{"switch 127.0.0.1", "line 1: unknown statement \"switch\""},
             Case{"discovery 127.0.0.1 65536", "line 1: the discovery port is a number"},
         }) {
        DeviceSimConfig c;
        c.discoveryPort = 1234;
        std::string error;
        EXPECT_FALSE(ParseDeviceSimConfig(k.text, &c, &error)) << k.text;
        EXPECT_EQ(error.rfind(k.error, 0), 0u) << k.text << " gave: " << error;
        EXPECT_EQ(c.discoveryPort, 1234) << k.text;
    }
}

}  // namespace
}  // namespace zelwiz
