#pragma once
// The window of Windows' own that stands for each kind of control, and how it shows the
// control's properties.
//
//   Label          STATIC                          TextBox    EDIT, no length limit
//   OptionButton   auto radio BUTTON               Frame      a container (a page, a group box)
//   CommandButton  push BUTTON                     Image      the picture window
//   ListView       report-view list view, one column, full-row select, one selected item

#include <windows.h>

#include <string>

namespace zelwiz {
class Control;
}

namespace zelwiz::win32 {

// The window class of the containers (pages, the navigation bar, frames): they hold controls and
// pass their notifications to the form's window.
void RegisterContainer(HINSTANCE instance);

// Makes the control's window, hidden. `startsGroup`: an option button that starts its group;
// `namesField`: a label whose access key moves to the field after it.
HWND CreateControlWindow(const Control& control, HWND parent, int id, bool startsGroup,
                         bool namesField);

struct ControlLook {
    bool namesField = false;  // a label that names a field: its "&" is the access key
    bool typing = false;      // the user is typing: only a text changed by the program is set
    const Control* label = nullptr;  // a list's label, whose caption names the list
    HWND groupBox = nullptr;         // a frame's caption and border
    HBITMAP picture = nullptr;       // an image's picture
};
// Makes the window show the control's caption, text, value, selection or picture (enabled
// state, visibility and font are the form window's).
void ShowControlWindow(const Control& control, HWND hwnd, const ControlLook& look);

std::wstring WindowText(HWND hwnd);
// Sets the window's text when it differs (a notification of the change only then).
void SetText(HWND hwnd, const std::wstring& text);

}  // namespace zelwiz::win32
