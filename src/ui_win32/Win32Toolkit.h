#pragma once
// The window toolkit on Win32: every shown form becomes a top-level dialog-style window
// (FormWindow), modal forms disable their owner and run a message loop of their own until they
// unload, message boxes are MessageBoxW owned by the active form, the hourglass is IDC_WAIT over
// the form's windows. Keys reach a form's Form_KeyDown first when it previews them, then the
// dialog manager (IsDialogMessageW: Tab, arrows in option groups, access keys, Enter, Escape).
//
// This header stays free of <windows.h>, so that code of the core's registry names can use it.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ErrorInfo.h"
#include "platform/Toolkit.h"

struct HWND__;
struct HBITMAP__;
struct tagMSG;

namespace zelwiz::win32 {

class FormWindow;

class Win32Toolkit : public Toolkit {
  public:
    Win32Toolkit();
    ~Win32Toolkit() override;
    Win32Toolkit(const Win32Toolkit&) = delete;
    Win32Toolkit& operator=(const Win32Toolkit&) = delete;

    void ShowForm(Form& form, bool modal) override;
    void FormUnloaded(Form& form) override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    void DoEvents() override;
    void SetFocus(Control& control) override;
    std::shared_ptr<const Picture> LoadPicture(const std::string& path) override;
    bool ActivateWindow(const std::string& caption) override;

    // Runs the message loop while a form is shown; returns at once when none is. When the
    // program ended (End) in one of its event handlers, the ProgramEnd comes out of here, for
    // the program's entry to catch.
    void Run();
    // Handles one message as the loops do: key preview, the dialog manager, then dispatch.
    void ProcessMessage(tagMSG& msg);

    // The window of a shown form; nullptr when it has none.
    FormWindow* WindowOf(const Form& form) const;
    HWND__* HandleOf(const Form& form) const;
    HWND__* HandleOf(const Control& control) const;
    // The form whose window this is; nullptr for any other window.
    Form* FormOf(HWND__* window) const;

    // Runs a call into the model for an event of the user interface. An error that no trap of
    // the program caught ends here, as an untrapped run-time error, and is reported through
    // onUntrappedError (by default a critical message box). End stops every message loop of the
    // toolkit: a modal show and Run pass the ProgramEnd on to their callers.
    void CallModel(const std::function<void()>& call);
    std::function<void(const ErrorRecord&)> onUntrappedError;
    // Called once, when the first form window and its controls have been painted (a window is
    // painted as it shows).
    std::function<void()> onFirstPaint;
    // Told what no window could show: a form's window that cannot be made (Windows refuses it:
    // Wine without a display; the program then ends with exit code 2, nothing saved), and a
    // message box that cannot be shown.
    std::function<void(const std::string& text)> report;

    // The bitmap of a picture this toolkit loaded; nullptr when it cannot be read.
    HBITMAP__* BitmapOf(const Picture& picture);
    // Lets go of the windows whose forms have gone, once no call into the model is under way
    // (a window whose handler runs stays until it returns).
    void Collect();

  private:
    HWND__* DialogOwner() const;
    bool AnyShown() const;
    void ThrowIfEnded() const;
    void PumpOne();

    std::optional<ProgramEnd> ended_;
    std::vector<std::unique_ptr<FormWindow>> windows_;
    std::map<const Form*, Control*> pendingFocus_;  // SetFocus before the form had a window
    std::map<std::string, HBITMAP__*> bitmaps_;     // pictures by file path
    int handlers_ = 0;                              // calls into the model under way
    bool painted_ = false;
};

}  // namespace zelwiz::win32
