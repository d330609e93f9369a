#include "platform/RegFile.h"

#include <gtest/gtest.h>

namespace zelwiz {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

RegNode Parse(std::string_view text, HKEY hive = HKEY_CURRENT_USER) {
    RegNode root;
    RegFileError error;
    EXPECT_TRUE(ParseRegFile(text, hive, &root, &error))
        << "line " << error.line << ": " << error.reason;
    return root;
}

TEST(RegFile, WritesEachTypeInItsFormAndReadsTheSameTreeBack) {
    RegNode root;
    root.SetValue("", REG_SZ, Bytes(std::string_view("hive default\0", 13)));
    RegNode& software = root.FindOrAdd("Software");
    software.FindOrAdd("Empty");
    RegNode& values = software.FindOrAdd("Install");
    values.SetValue("CCC", REG_SZ, Bytes(std::string_view("Third \"CSTA\" C:\\LAN\0", 20)));
    values.SetValue("", REG_SZ, Bytes(std::string_view("ümlaut\0", 8)));
    values.SetValue("@", REG_SZ, Bytes(std::string_view("\0", 1)));
    values.SetValue("CurrentID", REG_DWORD, {0x04, 0x03, 0x02, 0x01});
    values.SetValue("Short", REG_DWORD, {0x01, 0x02, 0x03});
    values.SetValue("NoNul", REG_SZ, Bytes("ab"));
    values.SetValue("TwoNuls", REG_SZ, Bytes(std::string_view("a\0b\0", 4)));
    values.SetValue("Lines", REG_SZ, Bytes(std::string_view("a\r\nb\0", 5)));
    values.SetValue("Latin1", REG_SZ, Bytes(std::string_view("\xE9\0", 2)));
    values.SetValue("Path", REG_EXPAND_SZ, Bytes(std::string_view("%P%\0", 4)));
    values.SetValue("Multi", REG_MULTI_SZ, Bytes(std::string_view("a\0\0", 3)));
    values.SetValue("Odd", 0x12345678, {});
    values.SetValue("Empty", REG_BINARY, {});
    std::vector<std::uint8_t> blob(30);
    for (std::size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<std::uint8_t>(i * 9);
    values.SetValue("Blob", REG_BINARY, blob);

    auto text = SerializeRegFile(root, HKEY_CURRENT_USER);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text,
              "Windows Registry Editor Version 5.00\n"
              "\n"
              "[HKEY_CURRENT_USER]\n"
              "@=\"hive default\"\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software]\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Empty]\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Install]\n"
              "\"CCC\"=\"Third \\\"CSTA\\\" C:\\\\LAN\"\n"
              "@=\"ümlaut\"\n"
              "\"@\"=\"\"\n"
              "\"CurrentID\"=dword:01020304\n"
              "\"Short\"=hex(4):01,02,03\n"
              "\"NoNul\"=hex(1):61,62\n"
              "\"TwoNuls\"=hex(1):61,00,62,00\n"
              "\"Lines\"=hex(1):61,0d,0a,62,00\n"
              "\"Latin1\"=hex(1):e9,00\n"
              "\"Path\"=hex(2):25,50,25,00\n"
              "\"Multi\"=hex(7):61,00,00\n"
              "\"Odd\"=hex(12345678):\n"
              "\"Empty\"=hex:\n"
              "\"Blob\"=hex:00,09,12,1b,24,2d,36,3f,48,51,5a,63,6c,75,7e,87,90,99,a2,ab,b4,bd,\\\n"
              "  c6,cf,d8,e1,ea,f3,fc,05\n"
              "\n");

    EXPECT_TRUE(Parse(*text) == root);
}

TEST(RegFile, ReadsWhatRegeditAndPeopleWrite) {
    RegNode root = Parse(
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
        "\r\n"
        "; written by hand\r\n"
        "[hkey_local_machine\\SOFTWARE\\Korvane]  \r\n"
        "  \"Name\" = \"first\"\r\n"
        "\"CurrentID\"=DWORD:1F\r\n"
        "\"Blob\"=HEX:0A, b,\\\r\n"
        "    \\\r\n"
        "  ff\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\korvane\\TSpi_CSTA]\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Korvane]\r\n"
        "\"name\"=hex(2):41,00\r\n"
        "\"\"=\"default\"",
        HKEY_LOCAL_MACHINE);
    const RegNode* korvane =
        root.Find("software") ? root.Find("software")->Find("KORVANE") : nullptr;
    ASSERT_NE(korvane, nullptr);
    EXPECT_EQ(root.Find("Software")->name, "SOFTWARE") << "the first spelling of a key is kept";
    EXPECT_NE(korvane->Find("TSpi_CSTA"), nullptr);
    ASSERT_EQ(korvane->values.size(), 4u) << "a later section of the same key adds to it";
    EXPECT_EQ(korvane->values[0], (RegValueData{"Name", REG_EXPAND_SZ, {'A', 0}}))
        << "a later value of the same name replaces the first, in its place";
    EXPECT_EQ(korvane->values[1], (RegValueData{"CurrentID", REG_DWORD, {0x1f, 0, 0, 0}}));
    EXPECT_EQ(korvane->values[2], (RegValueData{"Blob", REG_BINARY, {0x0a, 0x0b, 0xff}}));
    EXPECT_EQ(korvane->values[3],
              (RegValueData{"", REG_SZ, Bytes(std::string_view("default\0", 8))}));

    for (std::string_view empty :
         {"", " \r\n\n", "\xEF\xBB\xBF", "Windows Registry Editor Version 5.00"}) {
        EXPECT_TRUE(Parse(empty) == RegNode{}) << empty;
    }
    EXPECT_NE(
        Parse("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER]\n@=hex:").FindValue(""),
        nullptr)
        << "values of the hive's own key";
}

TEST(RegFile, ParseErrorsNameTheLineAndTheReason) {
    struct Case {
        std::string text;
        int line;
        std::string_view reason;
    };
    const std::string h = "Windows Registry Editor Version 5.00\n\n";
    const std::string_view headless =
        "expected the line Windows Registry Editor Version 5.00 or REGEDIT4";
    std::string tooDeep = "[HKEY_CURRENT_USER";
    for (std::size_t i = 0; i <= kMaxKeyDepth; ++i)
        tooDeep += "\\d";
    const Case cases[] = {
        {h + "\"a\"=\"b\"\n", 3, "value before the first [key] line"},
        {h + "[HKEY_CURRENT_USER\\A]\nname=1\n", 4, "expected \"name\"=value"},
        {h + "[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\n", 4, "missing closing quote"},
        {h + "[HKEY_CURRENT_USER\\A]\r\n\"a\\n\"=\"b\"\r\n", 4, "unknown escape"},
        {h + "[HKEY_CURRENT_USER\\A]\n\"a\"=\"\xC3\x28\"\n", 4, "not valid UTF-8"},
        {h + "[HKEY_CURRENT_USER\\A]\n\"a\"=dword:123456789\n", 4, "expected dword:xxxxxxxx"},
        {h + "[HKEY_CURRENT_USER\\A]\n\"a\"=hex:000\n", 4, "two hexadecimal digits"},
        {h + "[HKEY_CURRENT_USER\\A]\n\"a\"=hex:00,\\\n  01,\\\n  0g\n", 6,
         "two hexadecimal digits"},
        {h + "[HKEY_CURRENT_USER\\A]\n\"a\"=hex:00,\\\n", 4, "past the end of the file"},
        {h + "[HKEY_CURRENT_USER\\A]\n\"a\"=-\n", 4, "expected \"text\", dword: or hex:"},
        {h + "[HKEY_CURRENT_USER\\A\n", 3, "expected ]"},
        {h + "[-HKEY_CURRENT_USER\\A]\n", 3, "deletions are not supported"},
        {h + "[HKEY_LOCAL_MACHINE\\A]\n", 3, "key is not under HKEY_CURRENT_USER"},
        {h + "[HKEY_CURRENT_USER\\A\\\\B]\n", 3, "empty key name"},
        {h + "[HKEY_CURRENT_USER\\" + std::string(256, 'k') + "]\n", 3,
         "longer than 255 characters"},
        {h + tooDeep + "]\n", 3, "key path deeper than 512 levels"},
        {"REGEDIT5\n", 1, headless},
        {"\nWindows Registry Editor Version 5.00\n", 1, headless},
        {"[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\"\n", 1, headless},
        // Broken UTF-16: a lone surrogate on the third line, a last byte without its pair.
        {std::string("\xFF\xFER\0\n\0\n\0\x00\xD8x\0", 12), 3, "text is not valid UTF-16LE"},
        {std::string("\xFF\xFER\0\n\0\n\0x", 9), 3, "text is not valid UTF-16LE"},
    };
    for (const Case& c : cases) {
        RegNode root;
        root.FindOrAdd("stale");
        RegFileError error;
        EXPECT_FALSE(ReadRegFile(c.text, HKEY_CURRENT_USER, &root, &error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.reason.find(c.reason), std::string::npos) << c.text << "\n" << error.reason;
        EXPECT_TRUE(root == RegNode{}) << "a failed parse leaves an empty hive";
    }
}

TEST(RegFile, RefusesTreesItCouldNotReadBack) {
    for (std::string_view bad : {std::string_view("a\nb"), std::string_view("a\rb"),
                                 std::string_view("a\0b", 3), std::string_view("\xFF")}) {
        RegNode key;
        key.FindOrAdd(bad);
        EXPECT_FALSE(SerializeRegFile(key, HKEY_CURRENT_USER).has_value()) << "key " << bad;
        RegNode value;
        value.FindOrAdd("k").SetValue(bad, REG_SZ, {0});
        EXPECT_FALSE(SerializeRegFile(value, HKEY_CURRENT_USER).has_value()) << "value " << bad;
    }
    EXPECT_FALSE(SerializeRegFile(RegNode{}, 0x12345).has_value());

    // Windows allows 512 levels below a hive; so does the file, in both directions.
    RegNode deep;
    RegNode* node = &deep;
    for (std::size_t i = 0; i < kMaxKeyDepth; ++i)
        node = &node->FindOrAdd("d");
    auto text = SerializeRegFile(deep, HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(Parse(*text, HKEY_LOCAL_MACHINE) == deep);
    node->FindOrAdd("d");
    EXPECT_FALSE(SerializeRegFile(deep, HKEY_LOCAL_MACHINE).has_value());
}

}  // namespace
}  // namespace zelwiz
