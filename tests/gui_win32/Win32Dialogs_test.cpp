// Forms on the Win32 toolkit: the program's End inside a modal form, and pictures.
#include <fstream>

#include "SampleForms.h"
#include "Win32GuiTest.h"
#include "platform/Picture.h"
#include "support/TempFolder.h"

namespace zelwiz::testing {
namespace {

TEST_F(Win32GuiTest, EndInsideAModalFormStopsEveryLoopAndReachesTheProgramEntry) {
    SampleSelection owner, dialog;
    Show(owner);
    dialog.cmdOk->OnClick = [] { End(3); };
    bool returned = false;
    owner.cmdOk->OnClick = [&] {
        dialog.Show(true);
        returned = true;
    };
    WhenModal([](WindowHandle) { Send(kKeyReturn); });  // OK is the dialog's default button
    Press(kKeyReturn);
    EXPECT_FALSE(returned) << "the program ends inside the modal show";
    try {
        toolkit.Run();
        ADD_FAILURE() << "Run returned";
    } catch (const ProgramEnd& end) {
        EXPECT_EQ(end.exitCode, 3);
    }
    EXPECT_TRUE(Enabled(toolkit.HandleOf(owner))) << "the owner comes back";
}

TEST_F(Win32GuiTest, PicturesAreBitmapFilesAndNothingElse) {
    const test::TempFolder folder;
    // A 2 x 1 bitmap of 24 bits, and files that only claim to be one.
    const unsigned char bmp[] = {'B', 'M', 62, 0, 0, 0, 0,   0, 0, 0, 54,  0, 0,  0, 40, 0,
                                 0,   0,   2,  0, 0, 0, 1,   0, 0, 0, 1,   0, 24, 0, 0,  0,
                                 0,   0,   8,  0, 0, 0, 0,   0, 0, 0, 0,   0, 0,  0, 0,  0,
                                 0,   0,   0,  0, 0, 0, 255, 0, 0, 0, 255, 0, 0,  0};
    for (const auto& [name, size] : {std::pair{"AWindow.bmp", sizeof bmp}, {"damaged.bmp", 30}})
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bmp), static_cast<std::streamsize>(size));
    std::ofstream(folder / "notes.bmp") << "not a picture";

    auto picture = toolkit.LoadPicture(folder / "AWindow.bmp");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(std::pair(picture->Width(), picture->Height()), std::pair(2, 1));
    for (const char* bad : {"damaged.bmp", "notes.bmp", "missing.bmp"})
        EXPECT_EQ(toolkit.LoadPicture(folder / bad), nullptr) << bad;
}

}  // namespace
}  // namespace zelwiz::testing
