#include "ui_qt/FormView.h"

#include "ui_qt/GenericView.h"
#include "ui_qt/WizardView.h"

namespace zelwiz::qt {

std::unique_ptr<FormView> ViewFor(const Form& form) {
    if (WizardView::Fits(form))
        return std::make_unique<WizardView>();
    return std::make_unique<GenericView>();
}

}  // namespace zelwiz::qt
