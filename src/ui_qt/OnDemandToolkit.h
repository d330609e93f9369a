#pragma once
// The toolkit of the zelwiz program: it opens the display only when a window must be shown, so
// that everything that shows no window ("-c", the unattended configuration, a second copy) runs
// without one. Until then, and for good when no display can be opened, it works as the headless
// toolkit; a message box it cannot show goes to the program's report instead.

#include <functional>
#include <memory>
#include <string>

#include "platform/HeadlessToolkit.h"

class QApplication;

namespace zelwiz::qt {

class QtToolkit;

// Whether a display can be opened: a Qt platform named by QT_QPA_PLATFORM, or an X11 or Wayland
// display whose local socket exists.
bool DisplayAvailable();

class OnDemandToolkit : public Toolkit {
  public:
    // `report` receives what a windowless run must tell the user (a message box it cannot show,
    // a window that cannot be opened): the program prints it and writes it to the error log.
    explicit OnDemandToolkit(std::function<void(const std::string& text)> report);
    ~OnDemandToolkit() override;

    void ShowForm(Form& form, bool modal) override;
    void FormUnloaded(Form& form) override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    void DoEvents() override;
    void SetFocus(Control& control) override;
    std::shared_ptr<const Picture> LoadPicture(const std::string& path) override;
    bool ActivateWindow(const std::string& caption) override;
    void SetAppTitle(std::string title) override;

    // Runs the event loop while a window is shown.
    void Run();
    // ActivateWindow asked from another thread (a later copy of the program): passed to the
    // user-interface thread and waited for.
    bool ActivateWindowFromAnyThread(const std::string& caption);

  private:
    // Opens the display and the Qt toolkit; false when no display can be opened.
    bool OpenDisplay();

    std::function<void(const std::string&)> report_;
    HeadlessToolkit headless_;
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QtToolkit> qt_;
};

}  // namespace zelwiz::qt
