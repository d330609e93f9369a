#pragma once
// The window toolkit on Qt 6 Widgets: every shown form becomes a top-level window (FormWindow),
// modal forms run a nested event loop until they unload, message boxes are QMessageBoxes, the
// hourglass is the busy cursor of the form's window. Needs a QApplication.

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/ErrorInfo.h"
#include "platform/Toolkit.h"

class QEventLoop;

namespace zelwiz::qt {

class FormWindow;

class QtToolkit : public QObject, public Toolkit {
    Q_OBJECT
  public:
    QtToolkit();
    ~QtToolkit() override;
    QtToolkit(const QtToolkit&) = delete;
    QtToolkit& operator=(const QtToolkit&) = delete;

    void ShowForm(Form& form, bool modal) override;
    void FormUnloaded(Form& form) override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    void DoEvents() override;
    void SetFocus(Control& control) override;
    std::shared_ptr<const Picture> LoadPicture(const std::string& path) override;
    bool ActivateWindow(const std::string& caption) override;
    void SetAppTitle(std::string title) override;

    // Runs the event loop while a form is shown; returns at once when none is. When the program
    // ended (End) in one of its event handlers, the ProgramEnd comes out of here, for the
    // program's entry to catch.
    void Run();
    // The window of a shown form; nullptr when it has none.
    FormWindow* WindowOf(const Form& form) const;

    // Runs a call into the model for an event of the user interface. An error that no trap of
    // the program caught ends here, as an untrapped run-time error, and is reported through
    // onUntrappedError (by default a critical message box). End stops every event loop of the
    // toolkit: a modal show and Run pass the ProgramEnd on to their callers.
    void CallModel(const std::function<void()>& call);
    std::function<void(const ErrorRecord&)> onUntrappedError;

    // For FormWindow: its form has gone away without unloading (the form object was destroyed).
    void Forget(FormWindow* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FocusChanged(QWidget* old, QWidget* now);
    QWidget* DialogParent() const;
    void QuitWhenNoneShown();
    void ThrowIfEnded() const;

    std::optional<ProgramEnd> ended_;
    std::vector<QPointer<FormWindow>> windows_;
    std::map<const Form*, Control*> pendingFocus_;  // SetFocus before the form had a window
    QEventLoop* runLoop_ = nullptr;
};

}  // namespace zelwiz::qt
