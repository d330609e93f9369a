#pragma once
// How a form's window arranges its controls. A view builds the widgets when the window is made
// (or a part of the window, the first time it is shown), and hears of every change of the model
// after the changed control's own widget has been brought up to date.

#include <memory>

namespace zelwiz {
class Control;
class Form;
}  // namespace zelwiz

namespace zelwiz::qt {

class FormWindow;

class FormView {
  public:
    virtual ~FormView() = default;
    virtual void Build(FormWindow& window) = 0;
    // `changed` is nullptr when a property of the form itself changed.
    virtual void Changed(const Control* changed) { (void)changed; }
    // Whether the view shows and hides this control's widget itself.
    virtual bool Places(const Control& control) const {
        (void)control;
        return false;
    }
};

// The wizard layout for the wizard form, the generic layout for any other.
std::unique_ptr<FormView> ViewFor(const Form& form);

}  // namespace zelwiz::qt
