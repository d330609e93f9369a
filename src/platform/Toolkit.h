#pragma once
// The window toolkit: what the program asks of the windowing system. The core drives only the
// window model; a front end (Qt, or the headless toolkit of tests and windowless runs) renders it.

#include <memory>
#include <string>

namespace zelwiz {

class Control;
class Form;
class Picture;

// Message box styles and answers.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbCritical = 16;
inline constexpr int vbExclamation = 48;
inline constexpr int vbOK = 1;

class Toolkit {
  public:
    virtual ~Toolkit() = default;

    // Shows a loaded form. A modal show returns when the form has unloaded.
    virtual void ShowForm(Form& form, bool modal) = 0;
    // The form has unloaded: its window goes away (a modal show then returns).
    virtual void FormUnloaded(Form& form) = 0;
    // A modal message box with one OK button; answers vbOK.
    virtual int MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
    // Lets the user interface process its pending events.
    virtual void DoEvents() = 0;
    // Moves the keyboard focus to a control (the model then runs its GotFocus handler).
    virtual void SetFocus(Control& control) = 0;
    // Loads a picture file; nullptr when the file is missing or not a picture.
    virtual std::shared_ptr<const Picture> LoadPicture(const std::string& path) = 0;
    // Finds a top-level window of this program whose caption is exactly `caption` and brings it
    // to the front; false when there is none.
    virtual bool ActivateWindow(const std::string& caption) = 0;

    // The application title (message box captions, the task list).
    virtual const std::string& AppTitle() const { return appTitle_; }
    virtual void SetAppTitle(std::string title) { appTitle_ = std::move(title); }

  private:
    std::string appTitle_ = "zelwiz";
};

}  // namespace zelwiz
