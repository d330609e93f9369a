#include "platform/Controls.h"

#include "platform/ErrorInfo.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"

namespace zelwiz {

void RaiseSubscriptOutOfRange() {
    Raise(kErrSubscriptOutOfRange);
}

Control::Control(Form& form, ControlKind kind, std::string name, int index, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {}

const char* Control::TypeName() const {
    switch (kind_) {
        case ControlKind::Label:
            return "Label";
        case ControlKind::TextBox:
            return "TextBox";
        case ControlKind::OptionButton:
            return "OptionButton";
        case ControlKind::CommandButton:
            return "CommandButton";
        case ControlKind::Frame:
            return "Frame";
        case ControlKind::Image:
            return "Image";
        case ControlKind::ListView:
            return "ListView";
    }
    return "Control";
}

void Control::Changed() {
    form_.NotifyChanged(this);
}

void Control::SetCaption(std::string caption) {
    if (caption_ == caption)
        return;
    caption_ = std::move(caption);
    Changed();
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Changed();
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    Changed();
}

void Control::SetLeft(int left) {
    if (left_ == left)
        return;
    left_ = left;
    Changed();
}

void Control::SetFontCharset(int charset) {
    if (!HasFont())
        Raise(438);  // the control has no Font property
    if (charset_ == charset)
        return;
    charset_ = charset;
    Changed();
}

void Control::SetFocus() {
    // As the classic toolkit: a control that cannot take the focus is error 5.
    if (!enabled_ || !visible_ || !form_.IsLoaded())
        Raise(kErrInvalidProcedureCall);
    TheToolkit().SetFocus(*this);
    if (GotFocus)
        GotFocus();
}

void CommandButton::Click() {
    if (Enabled() && Visible() && OnClick)
        OnClick();
}

void OptionButton::SetValue(bool value) {
    if (value_ == value)
        return;
    value_ = value;
    if (value) {
        for (const auto& other : Parent().Controls()) {
            if (other.get() != this && other->Kind() == ControlKind::OptionButton &&
                other->Container() == Container()) {
                static_cast<OptionButton&>(*other).SetValue(false);
            }
        }
    }
    Changed();
    if (value && OnClick)
        OnClick();
}

TextBox::TextBox(Form& form, ControlKind kind, std::string name, int index, Control* container)
    : Control(form, kind, std::move(name), index, container) {}

void TextBox::SetText(std::string text) {
    if (text_ == text)
        return;
    text_ = std::move(text);
    selStart_ = static_cast<int>(text_.size());
    selLength_ = 0;
    Changed();
    if (OnChange)
        OnChange();
}

void TextBox::SetSelection(int start, int length) {
    const int size = static_cast<int>(text_.size());
    if (start < 0 || length < 0)
        Raise(380, {}, "Invalid property value");
    selStart_ = std::min(start, size);
    selLength_ = std::min(length, size - selStart_);
    Changed();
}

void TextBox::SetBackColor(unsigned color) {
    if (backColor_ == color)
        return;
    backColor_ = color;
    Changed();
}

void Image::SetPicture(std::shared_ptr<const Picture> picture) {
    picture_ = std::move(picture);
    Changed();
}

void ListView::AddItem(std::string text) {
    items_.push_back(std::move(text));
    Changed();
}

void ListView::Clear() {
    items_.clear();
    selected_ = -1;
    Changed();
}

void ListView::SetSelectedIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()))
        Raise(kErrInvalidProcedureCall);
    if (selected_ == index)
        return;
    selected_ = index;
    Changed();
}

const std::string& ListView::SelectedText() const {
    if (selected_ < 0)
        Raise(kErrObjectNotSet);
    return items_[static_cast<size_t>(selected_)];
}

}  // namespace zelwiz
