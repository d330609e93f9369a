#pragma once
// Where the controls of a form stand. The plan (which control stands in which row, which label
// names which field) is made once, when the window is built; Arrange turns it into rectangles in
// pixels of the window's DPI, measuring the texts as they are now.
//
// The wizard (frmWizard with its pages fraStep(0..9), pictures imgStep(0..9) and buttons
// cmdNav(1..4)): the picture of the step in a column on the left, every page in the same place
// on the right, a rule, and the navigation bar picNav with Back, Next, Finish and Cancel.
// Any other form: its controls stacked in their creation order. A label names the text box or
// list that follows it; a caption ending in ":" followed by an empty label stands beside it, the
// value's place; inside a page or frame a button after a text box stands beside it and other
// buttons stand in a row where they come; the form's own buttons gather at the bottom right.

#include <windows.h>

#include <map>
#include <vector>

namespace zelwiz {
class Control;
class Form;
}  // namespace zelwiz

namespace zelwiz::win32 {

enum class RowKind { kSingle, kPair, kFieldButton, kButtons, kGroup };

struct Row {
    RowKind kind;
    std::vector<Control*> controls;  // kGroup: the frame
};

class FormLayout {
  public:
    static constexpr int kSteps = 10;
    enum NavButton { kCancel = 1, kBack = 2, kNext = 3, kFinish = 4 };

    explicit FormLayout(const Form& form);

    bool IsWizard() const { return wizard_; }
    Control* Page(int step) const { return pages_[static_cast<size_t>(step)]; }
    Control* Picture(int step) const { return pictures_[static_cast<size_t>(step)]; }
    Control* NavBar() const { return navBar_; }
    // The controls that get a window, parents before their children, in tab order.
    const std::vector<Control*>& Placed() const { return placed_; }
    // The container whose window holds the control; nullptr for the form's window.
    Control* ParentOf(const Control& control) const;
    // The label that names a field, and the field a label names (nullptr when none).
    const Control* LabelOf(const Control& field) const;
    Control* FieldOf(const Control& label) const;

    struct Result {
        std::map<const Control*, RECT> rects;  // in the client area of the parent's window
        SIZE client{};
        RECT picture{};  // the wizard's picture column
        RECT rule{};     // the wizard's line above the navigation bar
    };
    // `dc` has the controls' font selected.
    Result Arrange(HDC dc, int dpi) const;

  private:
    struct Measure;
    void Plan(const Form& form, Control* container, bool buttonsAtBottom);
    int Stack(const Measure& m, const Control* container, int x, int y, int width,
              Result& out) const;

    bool wizard_ = false;
    std::vector<Control*> pages_ = std::vector<Control*>(kSteps);
    std::vector<Control*> pictures_ = std::vector<Control*>(kSteps);
    Control* navBar_ = nullptr;
    std::vector<Control*> placed_;
    std::map<const Control*, Control*> parentOf_;
    std::map<const Control*, std::vector<Row>> rows_;  // by container (nullptr: the form)
    std::vector<Control*> bottomButtons_;              // generic forms: the form's own buttons
    std::map<Control*, const Control*> labelOf_;       // field -> its label
};

}  // namespace zelwiz::win32
