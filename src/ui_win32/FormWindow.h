#pragma once
// The top-level window of one form of the window model: a dialog-style window (caption and
// system menu, not resizable) whose controls are Windows' own. It shows the model's properties,
// follows every change through the form's observer, and feeds the user's actions back into the
// model: clicks, typing, selections, focus changes, keys (to Form_KeyDown first when the form
// previews them) and closing the window by Alt+F4, the system menu or Escape.

#include <windows.h>

#include <map>
#include <memory>
#include <set>

#include "ui_win32/FormLayout.h"

namespace zelwiz {
class Control;
class Form;
class TextBox;
}  // namespace zelwiz

namespace zelwiz::win32 {

class Win32Toolkit;

class FormWindow {
  public:
    // Makes the window (hidden), owned by `owner` when it is a dialog of another form.
    FormWindow(Form& form, Win32Toolkit& toolkit, HWND owner);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // The form shown; nullptr once the form has unloaded or has been destroyed.
    Form* ModelForm() const { return form_; }
    HWND Handle() const { return hwnd_; }
    HWND HandleOf(const Control& control) const;

    // Shows and paints the window; a modal one disables its owner until it goes. Activate then
    // brings it to the front with the keyboard focus.
    void ShowModel(bool modal);
    void Activate();
    // Gives the keyboard focus to the control's window (the model runs GotFocus itself).
    void FocusControl(Control& control);
    // A key pressed in this window, seen before the dialog manager and the focused control;
    // true when Form_KeyDown took it (set the key code to 0).
    bool PreviewKey(const MSG& msg);
    // The form has unloaded: the owner comes back and the window goes.
    void Unloaded();
    // Enables the owner again when this window disabled it.
    void RestoreOwner();

  private:
    struct Link;

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Build();
    void CreateControl(Control& control, Control* previous);
    void Arrange(const RECT* suggested = nullptr);
    void Changed(Control* changed);
    void ShowFormProperties();
    void Show(const Control& control);
    void ShowFront();
    // The wizard's page that holds the control (-1: none), and making a page's controls.
    int PageOf(const Control& control) const;
    void BuildPage(int step);
    void RefreshTabStops();
    void FixFocus();
    void Command(HWND from, int code);
    void Notify(const NMHDR& header);
    void FocusArrived(HWND from);
    void Typed(TextBox& box, HWND edit);
    void FollowCaret(TextBox& box, HWND edit);
    void Close();
    void Detach(bool formGone);
    HFONT FontFor(int charset);
    HBRUSH BrushFor(COLORREF color);
    Control* ControlOf(HWND hwnd) const;

    Form* form_;
    Win32Toolkit& toolkit_;
    FormLayout layout_;
    HWND owner_;
    HWND hwnd_ = nullptr;
    HWND disabledOwner_ = nullptr;
    HWND picture_ = nullptr;
    HWND rule_ = nullptr;
    std::weak_ptr<Link> link_;
    std::map<const Control*, HWND> handles_;
    std::map<HWND, Control*> controls_;
    std::map<const Control*, HWND> groupBoxes_;  // a frame's caption and border
    std::set<int> pagesBuilt_;                   // the wizard's pages whose controls are made
    std::map<int, HFONT> fonts_;                 // by character set, at dpi_
    std::map<COLORREF, HBRUSH> brushes_;
    int dpi_ = 96;
    int front_ = -1;          // the wizard's step in front; -1 when no page stands at Left 0
    bool updating_ = false;   // the window is showing the model: no events back
    bool rearrange_ = false;  // a change asks for the controls to be placed again
    const Control* typing_ = nullptr;     // the text box whose typing is being passed on
    const Control* lastFocus_ = nullptr;  // the control whose GotFocus ran last
    bool shownOnce_ = false;
};

}  // namespace zelwiz::win32
