#pragma once
// The top-level window of one form of the window model. It shows the model's properties, follows
// every change through the form's observer, and feeds the user's actions back into the model:
// clicks, typing, selections, focus changes, keys (to Form_KeyDown first when the form previews
// them) and closing the window by its title bar.

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

class QButtonGroup;
class QEventLoop;
class QKeyEvent;
class QLineEdit;

namespace zelwiz {
class Control;
class Form;
class TextBox;
}  // namespace zelwiz

namespace zelwiz::qt {

class FormView;
class QtToolkit;

class FormWindow : public QWidget {
    Q_OBJECT
  public:
    FormWindow(Form& form, QtToolkit& toolkit, QWidget* parent);
    ~FormWindow() override;

    // The form shown; nullptr once the form has unloaded or has been destroyed.
    Form* ModelForm() const { return form_; }
    FormView& View() const { return *view_; }

    // For the views: makes the widget of a control, binds it to the control and shows it.
    QWidget* Bind(Control& control, QWidget* parent);
    // For the views: binds a widget the view made itself (a page, the navigation bar).
    void Register(Control& control, QWidget* widget);
    // The label names the field: it carries the field's access key and accessible name.
    void SetBuddy(Control& label, Control& field);

    QWidget* WidgetOf(const Control& control) const;
    Control* ControlOf(const QWidget* widget) const;

    // Shows the window; a modal show returns when the form has unloaded.
    void ShowModel(bool modal);
    // Moves the keyboard focus to the control's widget (the model runs GotFocus itself).
    void FocusControl(Control& control);
    // The keyboard focus came to `widget`: the control's GotFocus runs when the focus came from
    // another control.
    void FocusArrived(QWidget* widget);
    // A key pressed in this window, seen before the focused widget; true when Form_KeyDown took
    // it (set the key code to 0).
    bool PreviewKey(QKeyEvent* event);
    // The form has unloaded: the window goes away and a modal show returns.
    void Unloaded();
    // A modal show returns now (the program ends).
    void StopModalLoop();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Link;

    void Changed(Control* changed);
    void Show(const Control& control);
    void Connect(Control& control, QWidget* widget);
    void Typed(TextBox& box, QLineEdit* edit, const QString& text);
    void FollowCaret(TextBox& box, QLineEdit* edit);
    void Detach(bool formGone);
    void ShowFormProperties();

    Form* form_;
    QtToolkit& toolkit_;
    std::unique_ptr<FormView> view_;
    std::weak_ptr<Link> link_;
    std::map<const Control*, QWidget*> widgets_;
    std::map<const QWidget*, Control*> controls_;
    std::map<const Control*, const Control*> buddyOf_;      // field -> its label
    std::map<const Control*, const Control*> fieldOf_;      // label -> its field
    std::map<const Control*, QButtonGroup*> optionGroups_;  // container -> its option buttons
    const Control* typing_ = nullptr;     // the text box whose typing is being passed on
    const Control* lastFocus_ = nullptr;  // the control whose GotFocus ran last
    QEventLoop* modalLoop_ = nullptr;
    bool shownOnce_ = false;
};

}  // namespace zelwiz::qt
