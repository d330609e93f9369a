#pragma once
// The classic key codes and shift state that Form_KeyDown receives, from Qt's key events.

#include <Qt>

namespace zelwiz::qt {

inline constexpr int vbShiftMask = 1;
inline constexpr int vbCtrlMask = 2;
inline constexpr int vbAltMask = 4;

// The classic virtual key code of a Qt key (vbKeyReturn for Return and Enter, vbKeyA for A and
// a, ...); 0 for a key that has none.
int ClassicKeyCode(int qtKey);
int ClassicShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace zelwiz::qt
