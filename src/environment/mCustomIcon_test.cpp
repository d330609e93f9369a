#include "environment/mCustomIcon.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "FolderSeparator.h"
#include "platform/Picture.h"
#include "support/ScopedTestPlatform.h"

namespace zelwiz {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::Not;

// A BMP header of a 2 x 3 picture (enough for the toolkit to tell its size).
void WriteBitmap(const std::filesystem::path& path) {
    unsigned char h[54] = {'B', 'M'};
    h[10] = 54;  // offset of the pixels
    h[14] = 40;  // BITMAPINFOHEADER
    h[18] = 2;   // width
    h[22] = 3;   // height
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(h), sizeof h);
}

TEST(CustomImage, ThePictureComesFromItsFolderAndAMissingOrBrokenOneIsToldOnTheDebuggerOnly) {
    ScopedTestPlatform p;
    WriteBitmap(p.root / "program" / "AWindow.bmp");
    auto picture = CustomizationReadImage("AWindow.bmp", "");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Path(), p.shell.programFolder + kFolderSeparator + "AWindow.bmp");
    EXPECT_EQ(picture->Height(), 3);

    WriteBitmap(p.root / "custom.bmp");
    picture = CustomizationReadImage("custom.bmp", p.root.string());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Path(), (p.root / "custom.bmp").string());
    EXPECT_TRUE(p.shell.debugOutput.empty());

    EXPECT_EQ(CustomizationReadImage("missing.bmp", ""), nullptr);
    std::ofstream(p.root / "program" / "broken.bmp") << "not a picture";
    EXPECT_EQ(CustomizationReadImage("broken.bmp", ""), nullptr);
    // The line is the procedure's own, never 0.
    const auto told = [](const std::string& error) {
        return AllOf(MatchesRegex("Error " + error +
                                  " occured in mCustomIcon\\.CustomizationReadImage at line .+\\."),
                     Not(HasSubstr("line 0")));
    };
    EXPECT_THAT(p.shell.debugOutput,
                ElementsAre(told("53 'File not found'"), told("481 'Invalid picture'")));
    EXPECT_TRUE(p.toolkit.messageBoxes.empty());
    EXPECT_FALSE(std::filesystem::exists(p.DefaultLogPath()));
}

}  // namespace
}  // namespace zelwiz
