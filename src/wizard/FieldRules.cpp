// The field rules: Next (and Finish, once the wizard has been completed before)
// follow what the page's text field holds, a field's whole text is selected
// when it receives the focus, and choosing the multimedia PC set lets the user
// go on.
#include "platform/Conversions.h"
#include "wizard/frmWizard.h"

namespace zelwiz {

void frmWizard::EnableNextIfFilled(TextBox& field) {
    if (Trim(field.Text()).empty()) {
        if (mvarbIsWizConfigured)
            cmdNav(4).SetEnabled(false);
        cmdNav(3).SetEnabled(false);
    } else {
        cmdNav(3).SetEnabled(true);
        if (mvarbIsWizConfigured)
            cmdNav(4).SetEnabled(true);
    }
}

void frmWizard::SelectCtrlxText(Control& ctrl) {
    if (std::string_view(ctrl.TypeName()) != "TextBox")
        return;
    auto& box = static_cast<TextBox&>(ctrl);
    box.SetSelection(0, static_cast<int>(box.Text().size()));
}

void frmWizard::txtcstaIPadd_Change() {
    EnableNextIfFilled(*txtcstaIPadd);
}

void frmWizard::txtIPLANAdd_Change() {
    EnableNextIfFilled(*txtIPLANAdd);
}

void frmWizard::txtPhonsetnumber_Change() {
    // With the multimedia PC set chosen, the number field does not move the
    // buttons.
    if (Optphonset->Value())
        EnableNextIfFilled(*txtPhonsetnumber);
}

void frmWizard::txtcstaIPadd_GotFocus() {
    SelectCtrlxText(*txtcstaIPadd);
}

void frmWizard::txtIPLANAdd_GotFocus() {
    SelectCtrlxText(*txtIPLANAdd);
}

void frmWizard::txtPhonsetnumber_GotFocus() {
    SelectCtrlxText(*txtPhonsetnumber);
}

void frmWizard::OptIPPhone_Click() {
    // A configured installation cannot be finished from page 4 with this choice.
    if (mvarbIsWizConfigured)
        cmdNav(4).SetEnabled(false);
    cmdNav(3).SetEnabled(true);
}

void frmWizard::Optphonset_Click() {
    // Choosing the physical set changes no button.
}

}  // namespace zelwiz
