#pragma once
// A form of the window model: a window with its controls, its load and unload, its caption and
// mouse pointer. Forms of the program derive from it and add their controls and handlers.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"

namespace zelwiz {

inline constexpr int vbDefault = 0;     // mouse pointer: default arrow
inline constexpr int vbHourglass = 11;  // mouse pointer: hourglass
inline constexpr int vbKeyReturn = 13;
inline constexpr int vbKeyEscape = 27;
inline constexpr int vbKeyTab = 9;

class Form {
  public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);
    // Whether key presses reach Form_KeyDown before the focused control.
    bool KeyPreview() const { return keyPreview_; }

    bool IsLoaded() const { return loaded_; }
    // Loads the form when it is not loaded: Form_Load runs.
    void Load();
    // Runs Form_Unload and, unless it cancels, closes the form's window. Nothing when not loaded.
    void Unload();
    // Loads when needed and shows the form; a modal show returns when the form has unloaded.
    void Show(bool modal = false);
    bool IsShown() const { return shown_; }
    // Whether any form of the program is shown.
    static bool AnyShown() { return shownForms_ > 0; }

    // A key pressed while the form is active; the front end calls it first when KeyPreview is set.
    void KeyDown(int& keyCode, int shift) { Form_KeyDown(keyCode, shift); }

    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    Control* FindControl(const std::string& name, int index = -1) const;

    // The front end's view of the model: called after a property of a control (or of the form
    // itself, with nullptr) changed.
    std::function<void(Control* changed)> Observer;
    void NotifyChanged(Control* changed) {
        if (Observer)
            Observer(changed);
    }

  protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(int& cancel) { (void)cancel; }
    virtual void Form_KeyDown(int& keyCode, int shift) {
        (void)keyCode;
        (void)shift;
    }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }

    template <class T>
    T& Add(std::string name, Control* container = nullptr, int index = -1) {
        auto control = std::make_unique<T>(*this, KindOf<T>(), std::move(name), index, container);
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }
    template <class T>
    T& AddTo(ControlArray<T>& array, std::string name, int index, Control* container = nullptr) {
        T& ref = Add<T>(std::move(name), container, index);
        array.Add(index, ref);
        return ref;
    }

  private:
    template <class T>
    static constexpr ControlKind KindOf();

    std::string name_;
    std::string caption_;
    int mousePointer_ = vbDefault;
    bool keyPreview_ = false;
    bool loaded_ = false;
    bool shown_ = false;
    std::vector<std::unique_ptr<Control>> controls_;
    static inline int shownForms_ = 0;
};

template <class T>
constexpr ControlKind Form::KindOf() {
    if constexpr (std::is_same_v<T, Label>)
        return ControlKind::Label;
    if constexpr (std::is_same_v<T, TextBox>)
        return ControlKind::TextBox;
    if constexpr (std::is_same_v<T, OptionButton>)
        return ControlKind::OptionButton;
    if constexpr (std::is_same_v<T, CommandButton>)
        return ControlKind::CommandButton;
    if constexpr (std::is_same_v<T, Frame>)
        return ControlKind::Frame;
    if constexpr (std::is_same_v<T, Image>)
        return ControlKind::Image;
    if constexpr (std::is_same_v<T, ListView>)
        return ControlKind::ListView;
}

}  // namespace zelwiz
