#include "platform/WindowlessToolkit.h"

#include "platform/ErrorInfo.h"

namespace zelwiz {

void WindowlessToolkit::ShowForm(Form&, bool) {
    report_("cannot show the " + AppTitle() + " window: " + why_ + "; nothing was saved");
    End(2);
}

int WindowlessToolkit::MsgBox(const std::string& prompt, int style, const std::string& title) {
    report_(title + ": " + prompt);
    return HeadlessToolkit::MsgBox(prompt, style, title);
}

}  // namespace zelwiz
