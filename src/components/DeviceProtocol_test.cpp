#include "components/DeviceProtocol.h"

#include <gtest/gtest.h>

#include "components/HostResolver.h"

namespace zelwiz {
namespace {

// The messages as they go on the wire. The device network's tests read them back, between the
// finders and the simulator; a board may also answer a host name.
TEST(DeviceProtocol, WrittenMessagesAreTheWireFormat) {
    EXPECT_EQ(FormatProbe({DeviceKind::VoipBoard, "a1B2"}), "ZELWIZ-DISCOVER 1 VOIP a1B2\n");
    const DiscoveryAnswer board{DeviceKind::VoipBoard, "n1", "board-1.example", 4000, "Board_1"};
    EXPECT_EQ(FormatAnswer(board), "ZELWIZ-VOIP 1 n1 board-1.example 4000 Board_1\n");
    auto b = ParseAnswer(FormatAnswer(board));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->port, 4000);
    EXPECT_EQ(b->address, "board-1.example");
    EXPECT_EQ(b->name, "Board_1");
    EXPECT_EQ(FormatAnswer({DeviceKind::Pbx, "n1", "127.0.0.21", 0, "PBX-Paris"}),
              "ZELWIZ-PBX 1 n1 127.0.0.21 PBX-Paris\n");
    EXPECT_EQ(FormatEdnAnswer({0, "5123"}), "ZELWIZ-EDN 1 0 5123\n");
    EXPECT_EQ(FormatEdnAnswer({157, "ignored"}), "ZELWIZ-EDN 1 157 -\n");
}

TEST(DeviceProtocol, MessagesBreakingTheRulesAreRefused) {
    const char* badAnswers[] = {
        "",
        "ZELWIZ-PBX 1 n1 127.0.0.21\n",                 // no name
        "ZELWIZ-PBX 1 n1 127.0.0.21 PBX Paris\n",       // a blank in the name
        "ZELWIZ-PBX 2 n1 127.0.0.21 PBX\n",             // another version
        "zelwiz-pbx 1 n1 127.0.0.21 PBX\n",             // tags are upper case
        "ZELWIZ-PBX 1 n1 127.0.0.21 PBX\n\n",           // a second line
        "ZELWIZ-PBX 1 n1 127.0.0.21\tPBX\n",            // a tab
        "ZELWIZ-PBX 1 n-1 127.0.0.21 PBX\n",            // nonce not alphanumeric
        "ZELWIZ-PBX 1 0123456789abcdef0 10.0.0.1 P\n",  // nonce of 17 characters
        "ZELWIZ-PBX 1 n1 -board- PBX\n",                // not a host name
        "ZELWIZ-VOIP 1 n1 127.0.0.31 65536 B\n",        // port too large
        "ZELWIZ-VOIP 1 n1 127.0.0.31 0 B\n",            // port 0
        "ZELWIZ-VOIP 1 n1 127.0.0.31 017317 B\n",       // leading zero
        "ZELWIZ-VOIP 1 n1 127.0.0.31 B\n",              // no port
        "ZELWIZ-DISCOVER 1 VOIP n1\n",                  // a probe is no answer
    };
    for (const char* m : badAnswers)
        EXPECT_FALSE(ParseAnswer(m)) << m;
    EXPECT_FALSE(ParseAnswer("ZELWIZ-PBX 1 n1 127.0.0.21 " + std::string(64, 'x')));
    EXPECT_FALSE(ParseAnswer("ZELWIZ-PBX 1 n1 h " + std::string(600, 'x')))
        << "longer than a message may be";
    EXPECT_FALSE(ParseAnswer("ZELWIZ-PBX 1 n1 127.0.0.21 P\xc3\xa9"));

    for (const char* m : {"ZELWIZ-DISCOVER 1 ALL n1", "ZELWIZ-DISCOVER 1 PBX",
                          "ZELWIZ-DISCOVER 1 PBX n1 extra", "ZELWIZ-DISCOVER 2 PBX n1"})
        EXPECT_FALSE(ParseProbe(m)) << m;

    for (const char* m : {"ZELWIZ-EDN 1 0 -", "ZELWIZ-EDN 1 0", "ZELWIZ-EDN 1 149 5123",
                          "ZELWIZ-EDN 1 -1 -", "ZELWIZ-EDN 1 2147483648 -", "ZELWIZ-EDN 1 0 12a4",
                          "ZELWIZ-EDN 1 0 123456789012345678901", "HTTP/1.0 400 Bad Request"})
        EXPECT_FALSE(ParseEdnAnswer(m)) << m;
    EXPECT_TRUE(ParseEdnAnswer("ZELWIZ-EDN 1 0 *12#\r\n")) << "CR LF ends a line too";
    EXPECT_FALSE(IsEdnRequest("ZELWIZ-EDN 2\n"));
    EXPECT_FALSE(IsEdnRequest("GET / HTTP/1.0\r\n"));
}

TEST(DeviceProtocol, HostNamesFollowTheInternetRules) {
    for (const char* ok : {"board", "board-1.example.com", "a", "127.0.0.1", "x1.y2"})
        EXPECT_TRUE(IsValidHostName(ok)) << ok;
    for (const char* bad :
         {"", "no board", "-board", "board-", "a..b", ".a", "a.", "board_1", "b\xc3\xa9"})
        EXPECT_FALSE(IsValidHostName(bad)) << bad;
    EXPECT_FALSE(IsValidHostName(std::string(64, 'a')));
    EXPECT_TRUE(IsValidHostName(std::string(63, 'a')));
}

}  // namespace
}  // namespace zelwiz
