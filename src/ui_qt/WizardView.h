#pragma once
// The wizard's window: the picture of the step on the left, the page in front on the right (the
// page whose Left is 0; the others stand outside the window), and the navigation bar picNav at the
// bottom with Back, Next, Finish and Cancel. The layout applies to the form frmWizard with its
// page containers fraStep(0..9), their pictures imgStep(0..9) and the buttons cmdNav(1..4).

#include <array>
#include <set>

#include "ui_qt/FormView.h"
#include "ui_qt/GenericView.h"

class QStackedWidget;
class QWidget;

namespace zelwiz::qt {

class PicturePane;

class WizardView : public FormView {
  public:
    static constexpr int kSteps = 10;
    enum NavButton { kCancel = 1, kBack = 2, kNext = 3, kFinish = 4 };

    static bool Fits(const Form& form);

    void Build(FormWindow& window) override;
    void Changed(const Control* changed) override;
    bool Places(const Control& control) const override;

  private:
    int PageIndex(const Control* control) const;
    bool IsWizardPart(const Control& control) const;
    // How the page contents are laid out, now or when a page is first shown.
    ContentsOptions ContentsOptionsOf() const;
    // Makes the widgets of the page's controls and lays them out, the first time it is shown:
    // a window that opens on one page lays out that page only.
    void BuildPage(int step);
    void ShowFront();

    FormWindow* window_ = nullptr;
    std::array<Control*, kSteps> pages_{};
    std::array<Control*, kSteps> pictures_{};
    std::array<QWidget*, kSteps> pageWidgets_{};
    std::set<const Control*> valueLabels_;  // the labels that were empty when the window was made
    Control* navBar_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QWidget* blank_ = nullptr;
    PicturePane* picture_ = nullptr;
    int front_ = -1;  // the step whose page is in front; -1 when none stands at Left 0
};

}  // namespace zelwiz::qt
