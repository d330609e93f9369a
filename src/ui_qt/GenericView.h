#pragma once
// The layout of any form without a layout of its own: each container (the form, or a frame as a
// group box) stacks its controls in their creation order. A label names the text box or list
// that follows it (its buddy), and a caption ending in ":" followed by an empty label stands
// beside that label, which will show the value; inside a frame, a button that follows a text box
// stands beside it and other buttons stand in a row where they come; the form's own buttons gather
// in a row at the bottom.

#include <functional>

#include "ui_qt/FormView.h"

class QVBoxLayout;
class QWidget;

namespace zelwiz::qt {

struct ContentsOptions {
    // Command buttons gather, right-aligned, in a row at the bottom (the form's own buttons).
    bool buttonsAtBottom = false;
    // Controls that another part of the view places.
    std::function<bool(const Control&)> skip;
    // Whether a label shows a value (it then stands beside the caption before it); by default, a
    // label whose caption is still empty. A view that lays out part of its window later asks
    // what was empty when the window was made.
    std::function<bool(const Control&)> showsValue;
};

// Lays out the controls of `container` (nullptr: the form itself) on `host` into `layout`.
void LayOutContents(FormWindow& window, QWidget* host, QVBoxLayout* layout,
                    const Control* container, const ContentsOptions& options);

class GenericView : public FormView {
  public:
    void Build(FormWindow& window) override;
};

}  // namespace zelwiz::qt
