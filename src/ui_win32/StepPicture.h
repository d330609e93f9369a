#pragma once
// The wizard's own page pictures, painted with GDI: a gradient with a telephone handset over a
// small network of lines and nodes, and the step number.

#include <windows.h>

namespace zelwiz::win32 {

// Paints the picture of wizard step `step` (0 to 9) into `area` of `dc`.
void PaintStepPicture(HDC dc, const RECT& area, int step);

}  // namespace zelwiz::win32
