#pragma once
// A window that shows a picture: the wizard's picture column, or an Image control of another
// form. A picture file covers the window (keeping its proportions, cut at the right and the
// bottom); without one, a wizard step shows the program's own picture of that step.

#include <windows.h>

namespace zelwiz::win32 {

void RegisterPicturePane(HINSTANCE instance);
HWND CreatePicturePane(HWND parent, int id);
// The picture of wizard step `step`; -1 shows nothing.
void ShowPaneStep(HWND pane, int step);
// A picture file (owned by the toolkit); nullptr goes back to the step's picture.
void ShowPaneFile(HWND pane, HBITMAP file);

}  // namespace zelwiz::win32
