#pragma once
// What the Win32 GUI tests share: the Win32 toolkit installed as the platform's toolkit, real key
// presses sent through the system (SendInput) and handled by the toolkit's message loop, the real
// windows read back (text, visibility, enabled state, focus, the name a screen reader reads),
// answering a modal window from inside its loop, and screenshots written into the build folder.
//
// This header stays free of <windows.h>, so that tests of the program's forms (whose registry
// names the core defines) can use it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ErrorInfo.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "ui_win32/Win32Toolkit.h"

namespace zelwiz::testing {

using WindowHandle = HWND__*;

// Windows' virtual key codes (the classic key codes) and the modifier keys.
inline constexpr int kKeyReturn = 0x0D, kKeyEscape = 0x1B, kKeyDown = 0x28, kKeyUp = 0x26;
enum Modifier { kNoModifier = 0, kShift = 1, kAlt = 4 };

// What a message box showed.
struct MessageBoxSeen {
    std::string text;
    bool exclamation = false;
    WindowHandle owner = nullptr;
    int buttons = 0;
};

class Win32GuiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the form (not modally) and waits for its window to become active.
    WindowHandle Show(Form& form);

    // A key pressed and released as the keyboard does, through the system's input queue; Press
    // then lets the message loop handle it, Send leaves that to the loop that runs (a modal
    // window's or a message box's).
    static void Send(int key, int modifiers = kNoModifier);
    void Press(int key, int modifiers = kNoModifier);
    void Type(const std::string& text);
    // Runs the message loop for a while.
    void Pump(int milliseconds = 60);

    // The real windows, read back.
    WindowHandle HandleOf(const Control& control) const { return toolkit.HandleOf(control); }
    static std::string Text(WindowHandle window);
    std::string Text(const Control& control) const { return Text(HandleOf(control)); }
    bool Shown(const Control& control) const;
    bool Focused(const Control& control) const;
    bool Checked(const Control& control) const;
    int SelectedRow(const Control& list) const;
    std::string AccessibleName(const Control& control) const;
    static bool Enabled(WindowHandle window);
    static int Width(WindowHandle window);
    static int FontHeight(WindowHandle window);
    static MessageBoxSeen ReadMessageBox(WindowHandle box);

    // Runs `answer` once a new window (a modal form or a message box) is active, from inside
    // its loop; the test goes on when the modal show returns.
    static void WhenModal(std::function<void(WindowHandle modal)> answer);

    // The screen's scale changes under the window, as when it moves to another monitor.
    void ChangeScale(WindowHandle window, int dpi);

    // Saves a picture of the window (frame and all) as PNG into the screenshot folder.
    void Screenshot(WindowHandle window, const std::string& name);

    win32::Win32Toolkit toolkit;
    std::vector<ErrorRecord> untrapped;

  private:
    Platform previous_;
};

}  // namespace zelwiz::testing
