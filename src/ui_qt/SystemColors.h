#pragma once
// The classic colour values of the window model: a system colour index (high bit set, the index in
// the low byte) or an RGB value stored as 0x00BBGGRR.

#include <QColor>
#include <QPalette>

namespace zelwiz::qt {

QColor ClassicColor(unsigned color, const QPalette& palette);

}  // namespace zelwiz::qt
