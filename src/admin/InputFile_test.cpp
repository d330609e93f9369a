// INI files the tool refuses: each message names the file and the line of the fault.
#include <gtest/gtest.h>

#include <fstream>

#include "admin/InputFile.h"
#include "support/TempFolder.h"

namespace zelwiz {
namespace {

using namespace std::string_literals;

TEST(InputFile, IniFileThatIsNotUtf8TextIsRefusedWithItsLine) {
    const struct {
        std::string bytes;
        std::string message;  // after the file's path
    } kCases[] = {
        {"[ADDRESS]\nHostname=pbx\n", ""},
        {"\xEF\xBB\xBF[PARLOVA]\r\nEdn=Zo\xC3\xAB\r\n", ""},
        {"[ADDRESS]\nHostname=pbx\nEdn=7\x00"
         "1\n"s,
         " line 3: binary data (byte 0x00); not an INI file"},
        {"[PARLOVA]\nEdn=7000\nProfil=Op\xE9rateur\n",
         " line 3: not UTF-8 text (byte 0xe9); save the file as UTF-8"},
        {"[PARLOVA]\nEdn=\xED\xA0\x80\n",
         " line 2: not UTF-8 text (byte 0xed); save the file as UTF-8"},
        {"\xFF\xFE[\0A\0"s, " line 1: UTF-16 text; save the file as UTF-8"},
        {std::string(kMaxIniBytes + 1, 'x'), ": 65537 bytes is too large (at most 65536)"},
    };
    test::TempFolder folder;
    const std::string path = folder / "confdirect.ini";
    for (const auto& c : kCases) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
        try {
            EXPECT_EQ(ReadIniText(path), c.bytes);
            EXPECT_EQ(c.message, "");
        } catch (const BadInput& e) {
            EXPECT_EQ(e.what(), path + c.message);
        }
    }
}

}  // namespace
}  // namespace zelwiz
