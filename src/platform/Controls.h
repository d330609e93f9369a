#pragma once
// The window model's controls: plain objects whose properties are data. Setting a property by
// program behaves as the classic toolkit did (see OptionButton::SetValue, TextBox::SetText), and
// every change is reported to the form's observer so that a front end can follow it.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zelwiz {

class Form;
class Picture;

enum class ControlKind { Label, TextBox, OptionButton, CommandButton, Frame, Image, ListView };

class Control {
  public:
    Control(Form& form, ControlKind kind, std::string name, int index, Control* container);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind Kind() const { return kind_; }
    // The classic type name ("TextBox", "Label", ...).
    const char* TypeName() const;
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }  // -1 outside a control array
    Form& Parent() const { return form_; }
    Control* Container() const { return container_; }

    // Caption of a label, button, option button or frame; unused by the other kinds.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    int Left() const { return left_; }
    void SetLeft(int left);
    // Every control but an image has a font whose character set follows the language.
    bool HasFont() const { return kind_ != ControlKind::Image; }
    int FontCharset() const { return charset_; }
    void SetFontCharset(int charset);

    // Gives the control the focus (through the toolkit) and runs its GotFocus handler.
    void SetFocus();
    std::function<void()> GotFocus;

  protected:
    void Changed();

  private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    int index_;
    Control* container_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    int left_ = 0;
    int charset_ = 0;
};

class Label : public Control {
  public:
    using Control::Control;
};

class Frame : public Control {
  public:
    using Control::Control;
};

class CommandButton : public Control {
  public:
    using Control::Control;
    // A click by the user: runs the handler when the button is enabled and visible.
    void Click();
    std::function<void()> OnClick;
};

class OptionButton : public Control {
  public:
    using Control::Control;
    bool Value() const { return value_; }
    // Selecting clears the other option buttons of the same container and runs the click
    // handler; clearing runs nothing.
    void SetValue(bool value);
    std::function<void()> OnClick;

  private:
    bool value_ = false;
};

class TextBox : public Control {
  public:
    TextBox(Form& form, ControlKind kind, std::string name, int index, Control* container);
    const std::string& Text() const { return text_; }
    // Assigning a different text runs the change handler.
    void SetText(std::string text);
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SetSelection(int start, int length);
    // The background colour as a system colour index (the window background by default).
    unsigned BackColor() const { return backColor_; }
    void SetBackColor(unsigned color);
    std::function<void()> OnChange;

    static constexpr unsigned kWindowBackground = 0x80000005;

  private:
    std::string text_;
    int selStart_ = 0;
    int selLength_ = 0;
    unsigned backColor_ = kWindowBackground;
};

class Image : public Control {
  public:
    using Control::Control;
    const std::shared_ptr<const Picture>& GetPicture() const { return picture_; }
    void SetPicture(std::shared_ptr<const Picture> picture);

  private:
    std::shared_ptr<const Picture> picture_;
};

// The common-controls list view in report mode with one column: a list of texts.
class ListView : public Control {
  public:
    using Control::Control;
    const std::vector<std::string>& Items() const { return items_; }
    void AddItem(std::string text);
    void Clear();
    int SelectedIndex() const { return selected_; }  // -1: none
    void SetSelectedIndex(int index);
    // Text of the selected item; error 91 when there is none, as reading a missing item was.
    const std::string& SelectedText() const;

  private:
    std::vector<std::string> items_;
    int selected_ = -1;
};

// A control array: the controls of one name, addressed by index.
template <class T>
class ControlArray {
  public:
    T& operator()(int index) const;
    void Add(int index, T& control) { items_[index] = &control; }
    const std::map<int, T*>& Items() const { return items_; }

  private:
    std::map<int, T*> items_;
};

void RaiseSubscriptOutOfRange();

template <class T>
T& ControlArray<T>::operator()(int index) const {
    auto it = items_.find(index);
    if (it == items_.end())
        RaiseSubscriptOutOfRange();
    return *it->second;
}

}  // namespace zelwiz
