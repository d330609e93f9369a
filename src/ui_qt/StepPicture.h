#pragma once
// The wizard's own page pictures, drawn for this program: a gradient with a telephone handset over
// a small network of lines and nodes, and the step number.

#include <QPixmap>
#include <QSize>

namespace zelwiz::qt {

// The picture of wizard step `step` (0 to 9) at `size` (logical pixels) for a screen with the
// given device pixel ratio. Pictures are drawn once per step, size and ratio.
QPixmap StepPicture(int step, QSize size, qreal devicePixelRatio);

}  // namespace zelwiz::qt
