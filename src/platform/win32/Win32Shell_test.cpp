// The Windows shell services where the program depends on what they answer: the system's INI
// reader held to the same cases as this build's own, and the texts and folders of the system.
#include "platform/win32/Win32Shell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Conversions.h"
#include "platform/Utf8Path.h"
#include "support/IniCases.h"
#include "support/TempFolder.h"

namespace zelwiz {
namespace {

class Win32ProfileReader : public ::testing::TestWithParam<IniCase> {
  protected:
    // The file's text as given, under a name that is not plain ASCII.
    std::string Write(const std::string& text) {
        const std::filesystem::path file = folder_.path() / u8"conf ré 電話.ini";
        std::ofstream(file, std::ios::binary) << text;
        return Utf8Text(file);
    }

    test::TempFolder folder_;
    Win32Shell shell_;
};

// What the unattended configuration takes from an answer: whether the key is present (at least
// one character) and the value without its blanks. The system's reader drops the blanks around a
// value itself, which changes nothing of either.
TEST_P(Win32ProfileReader, AnswersWhatTheUnattendedConfigurationNeeds) {
    const IniCase& c = GetParam();
    const std::string expected = c.wine != nullptr ? c.wine : c.expected;
    const std::string answer = shell_.PrivateProfileString(c.section, c.key, "", 50, Write(c.text));
    EXPECT_EQ(!answer.empty(), !expected.empty()) << c.what << ": [" << answer << "]";
    EXPECT_EQ(Trim(answer), Trim(expected)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, Win32ProfileReader, ::testing::ValuesIn(kIniCases), IniCaseName);

TEST_F(Win32ProfileReader, CutsToTheBufferAndAnswersTheDefaultWhenMissing) {
    const std::string sixty(60, '7');
    const std::string file = Write("[PARLOVA]\r\nEdn=" + sixty + "\r\n");
    EXPECT_EQ(shell_.PrivateProfileString("PARLOVA", "Edn", "", 50, file), sixty.substr(0, 49));
    EXPECT_EQ(shell_.PrivateProfileString("PARLOVA", "Missing", "none", 50, file), "none");
    EXPECT_EQ(shell_.PrivateProfileString("PARLOVA", "Edn", "dflt", 50, file + ".absent"), "dflt");
}

// The program's own folder is left to the whole-program tests, which run zelwiz.exe from a folder
// of their own and find its files beside it.
TEST(Win32ShellTest, SystemErrorTextsAndFolders) {
    Win32Shell shell;
    const std::string notFound = shell.SystemErrorText(2);  // the words are the system's own
    EXPECT_FALSE(notFound.empty());
    EXPECT_NE(notFound, "Unknown Error.");
    EXPECT_EQ(notFound.find_first_of("\r\n"), std::string::npos) << notFound;
    EXPECT_EQ(shell.SystemErrorText(0x2A3B4C5D), "Unknown Error.");

    test::TempFolder temp;
    const std::string shared = Utf8Text(temp.path() / u8"données 共有");
    EXPECT_EQ(shell.CreateFolder(shared, true), 0);
    EXPECT_TRUE(shell.PathExists(shared));
    EXPECT_EQ(shell.CreateFolder(shared, true), 183) << "ERROR_ALREADY_EXISTS";
}

}  // namespace
}  // namespace zelwiz
