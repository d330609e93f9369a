// Modal forms: the modal show returns when the form unloads, whichever way the user closes it,
// and the program's End inside one reaches the program entry.
#include <QPushButton>

#include "GuiTest.h"
#include "SampleForms.h"

namespace zelwiz::testing {
namespace {

using ModalTest = GuiTest;

TEST_F(ModalTest, EndInsideAModalFormStopsEveryLoopAndReachesTheProgramEntry) {
    SampleSelection owner;
    Show(owner);
    SampleSelection dialog;
    dialog.cmdOk->OnClick = [] { End(3); };
    bool returned = false;
    owner.cmdOk->OnClick = [&] {
        dialog.Show(true);
        returned = true;
    };
    WhenModal([](QWidget*) {
        Press(Qt::Key_Tab);  // from the list to OK
        Press(Qt::Key_Return);
    });
    QTest::mouseClick(Widget<QPushButton>(owner, *owner.cmdOk), Qt::LeftButton);
    EXPECT_FALSE(returned) << "the program ends inside the modal show";
    try {
        toolkit.Run();
        ADD_FAILURE() << "Run returned";
    } catch (const ProgramEnd& end) {
        EXPECT_EQ(end.exitCode, 3);
    }
}

}  // namespace
}  // namespace zelwiz::testing
