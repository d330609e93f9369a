#include "platform/Form.h"

#include "platform/Platform.h"
#include "platform/Toolkit.h"

namespace zelwiz {

Form::Form(std::string name) : name_(std::move(name)) {}
Form::~Form() {
    if (shown_)
        --shownForms_;
}

void Form::SetCaption(std::string caption) {
    if (caption_ == caption)
        return;
    caption_ = std::move(caption);
    NotifyChanged(nullptr);
}

void Form::SetMousePointer(int pointer) {
    if (mousePointer_ == pointer)
        return;
    mousePointer_ = pointer;
    NotifyChanged(nullptr);
}

void Form::Load() {
    if (loaded_)
        return;
    loaded_ = true;
    Form_Load();
}

void Form::Unload() {
    if (!loaded_)
        return;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0)
        return;
    loaded_ = false;
    const bool wasShown = shown_;
    shown_ = false;
    if (wasShown) {
        --shownForms_;
        TheToolkit().FormUnloaded(*this);
    }
}

void Form::Show(bool modal) {
    Load();
    if (!loaded_)
        return;  // Form_Load unloaded it again
    if (!shown_)
        ++shownForms_;
    shown_ = true;
    TheToolkit().ShowForm(*this, modal);
}

Control* Form::FindControl(const std::string& name, int index) const {
    for (const auto& c : controls_) {
        if (c->Name() == name && c->Index() == index)
            return c.get();
    }
    return nullptr;
}

}  // namespace zelwiz
