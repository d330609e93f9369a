#include "ui_qt/KeyCodes.h"

#include <gtest/gtest.h>

namespace zelwiz::qt {
namespace {

TEST(KeyCodes, QtKeysBecomeTheClassicCodes) {
    struct Case {
        int qtKey;
        int code;
    };
    for (const Case& c :
         {Case{Qt::Key_Return, 13}, Case{Qt::Key_Enter, 13}, Case{Qt::Key_Escape, 27},
          Case{Qt::Key_Tab, 9}, Case{Qt::Key_A, 65}, Case{Qt::Key_Z, 90}, Case{Qt::Key_0, 48},
          Case{Qt::Key_9, 57}, Case{Qt::Key_F1, 112}, Case{Qt::Key_F12, 123},
          Case{Qt::Key_Left, 37}, Case{Qt::Key_Down, 40}, Case{Qt::Key_Delete, 46},
          Case{Qt::Key_MediaPlay, 0}}) {
        EXPECT_EQ(ClassicKeyCode(c.qtKey), c.code) << std::hex << c.qtKey;
    }
    EXPECT_EQ(ClassicShiftState(Qt::ShiftModifier | Qt::AltModifier), vbShiftMask | vbAltMask);
    EXPECT_EQ(ClassicShiftState(Qt::ControlModifier | Qt::KeypadModifier), vbCtrlMask);
}

}  // namespace
}  // namespace zelwiz::qt
