#pragma once
// The toolkit without a display: for tests and for runs that show no window. Modal forms are
// answered from a script, message boxes are recorded (and passed to an optional sink), and
// everything shown is recorded for the test to inspect.

#include <deque>
#include <functional>
#include <vector>

#include "platform/Toolkit.h"

namespace zelwiz {

class HeadlessToolkit : public Toolkit {
  public:
    struct MessageBox {
        std::string prompt;
        int style;
        std::string title;
    };
    struct Shown {
        std::string form;
        bool modal;
    };

    void ShowForm(Form& form, bool modal) override;
    void FormUnloaded(Form& form) override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    void DoEvents() override;
    void SetFocus(Control& control) override;
    std::shared_ptr<const Picture> LoadPicture(const std::string& path) override;
    bool ActivateWindow(const std::string& caption) override;

    // Answers for the next modal forms, in order: each acts on the form (selects, types, clicks).
    // A modal form still loaded after its answer, or shown with no answer left, is closed as the
    // user would close its window.
    std::deque<std::function<void(Form&)>> modalAnswers;
    // Called with every message box (a windowless run prints it); may be empty.
    std::function<void(const MessageBox&)> messageSink;
    // Called on every DoEvents; may be empty.
    std::function<void()> onDoEvents;

    std::vector<MessageBox> messageBoxes;
    std::vector<Shown> shown;
    std::vector<Form*> openForms;  // shown and not yet unloaded, in the order shown
    Control* focused = nullptr;
    int doEventsCalls = 0;
};

// Reads the size of a BMP or PNG file; false when it is neither.
bool ReadPictureSize(const std::string& path, int* width, int* height);

}  // namespace zelwiz
