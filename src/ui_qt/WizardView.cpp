#include "ui_qt/WizardView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "platform/Form.h"
#include "ui_qt/Captions.h"
#include "ui_qt/ControlWidgets.h"
#include "ui_qt/FormWindow.h"
#include "ui_qt/GenericView.h"
#include "ui_qt/PicturePane.h"

namespace zelwiz::qt {
namespace {

constexpr const char* kPage = "fraStep";
constexpr const char* kPicture = "imgStep";
constexpr const char* kNav = "cmdNav";

}  // namespace

bool WizardView::Fits(const Form& form) {
    if (form.Name() != "frmWizard")
        return false;
    for (int i = 0; i < kSteps; ++i) {
        const Control* page = form.FindControl(kPage, i);
        const Control* picture = form.FindControl(kPicture, i);
        if (page == nullptr || page->Kind() != ControlKind::Frame || picture == nullptr ||
            picture->Kind() != ControlKind::Image)
            return false;
    }
    for (int i = kCancel; i <= kFinish; ++i) {
        const Control* button = form.FindControl(kNav, i);
        if (button == nullptr || button->Kind() != ControlKind::CommandButton)
            return false;
    }
    return true;
}

int WizardView::PageIndex(const Control* control) const {
    for (int i = 0; i < kSteps; ++i) {
        if (pages_[static_cast<size_t>(i)] == control)
            return i;
    }
    return -1;
}

bool WizardView::IsWizardPart(const Control& control) const {
    return control.Name() == kPage || control.Name() == kPicture || control.Name() == kNav ||
           &control == navBar_;
}

bool WizardView::Places(const Control& control) const {
    return PageIndex(&control) >= 0;
}

void WizardView::Build(FormWindow& window) {
    window_ = &window;
    const Form& form = *window.ModelForm();
    for (int i = 0; i < kSteps; ++i) {
        pages_[static_cast<size_t>(i)] = form.FindControl(kPage, i);
        pictures_[static_cast<size_t>(i)] = form.FindControl(kPicture, i);
    }
    navBar_ = form.FindControl("picNav");

    auto* root = new QVBoxLayout(&window);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    auto* top = new QHBoxLayout;
    top->setSpacing(0);
    picture_ = new PicturePane(&window);
    top->addWidget(picture_);

    auto* pageArea = new QWidget(&window);
    auto* pageLayout = new QVBoxLayout(pageArea);
    pageLayout->setContentsMargins(20, 18, 20, 12);
    stack_ = new QStackedWidget(pageArea);
    stack_->setMinimumWidth(380);
    blank_ = new QWidget(stack_);
    stack_->addWidget(blank_);
    // The pages stand empty until they first come to the front (BuildPage), laid out as the
    // model stands now: a label still empty shows a value.
    for (const auto& control : form.Controls()) {
        if (control->Kind() == ControlKind::Label && control->Caption().empty())
            valueLabels_.insert(control.get());
    }
    for (int i = 0; i < kSteps; ++i) {
        Control& page = *pages_[static_cast<size_t>(i)];
        auto* pageWidget = new QWidget(stack_);
        pageWidget->setObjectName(FromModel(page.Name() + "(" + std::to_string(i) + ")"));
        pageWidgets_[static_cast<size_t>(i)] = pageWidget;
        stack_->addWidget(pageWidget);
        window.Register(page, pageWidget);
    }
    pageLayout->addWidget(stack_, 1);
    // Whatever else the form holds outside its pages stands below them.
    auto* loose = new QVBoxLayout;
    LayOutContents(window, pageArea, loose, nullptr, ContentsOptionsOf());
    pageLayout->addLayout(loose);
    top->addWidget(pageArea, 1);
    root->addLayout(top, 1);

    auto* rule = new QFrame(&window);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    root->addWidget(rule);

    // picNav: Back and Next together, then Finish, then Cancel, as wizards have them.
    auto* bar = new QWidget(&window);
    bar->setObjectName(QStringLiteral("picNav"));
    if (navBar_ != nullptr)
        window.Register(*navBar_, bar);
    auto* buttons = new QHBoxLayout(bar);
    buttons->setContentsMargins(12, 10, 12, 10);
    buttons->setSpacing(6);
    buttons->addStretch(1);
    for (int index : {kBack, kNext, kFinish, kCancel}) {
        if (index == kFinish || index == kCancel)
            buttons->addSpacing(8);
        buttons->addWidget(window.Bind(*form.FindControl(kNav, index), bar));
    }
    root->addWidget(bar);

    front_ = -1;
    for (int i = 0; i < kSteps && front_ < 0; ++i) {
        if (pages_[static_cast<size_t>(i)]->Left() == 0)
            front_ = i;
    }
    ShowFront();
}

void WizardView::Changed(const Control* changed) {
    if (changed == nullptr)
        return;
    const int page = PageIndex(changed);
    if (page >= 0) {
        if (changed->Left() == 0 && front_ != page) {
            front_ = page;  // the page brought to the front last wins over one still leaving
        } else if (page == front_ && changed->Left() != 0) {
            front_ = -1;
            for (int i = 0; i < kSteps && front_ < 0; ++i) {
                if (pages_[static_cast<size_t>(i)]->Left() == 0)
                    front_ = i;
            }
        }
        ShowFront();
    } else if (front_ >= 0 && changed == pictures_[static_cast<size_t>(front_)]) {
        ShowFront();
    }
}

ContentsOptions WizardView::ContentsOptionsOf() const {
    ContentsOptions options;
    options.skip = [this](const Control& c) { return IsWizardPart(c); };
    options.showsValue = [this](const Control& c) { return valueLabels_.count(&c) != 0; };
    return options;
}

void WizardView::BuildPage(int step) {
    QWidget* pageWidget = pageWidgets_[static_cast<size_t>(step)];
    if (pageWidget->layout() != nullptr)
        return;
    auto* contents = new QVBoxLayout(pageWidget);
    contents->setContentsMargins(0, 0, 0, 0);
    contents->setSpacing(8);
    LayOutContents(*window_, pageWidget, contents, pages_[static_cast<size_t>(step)],
                   ContentsOptionsOf());
    contents->addStretch(1);
}

void WizardView::ShowFront() {
    const bool shown = front_ >= 0 && pages_[static_cast<size_t>(front_)]->Visible();
    if (shown)
        BuildPage(front_);
    stack_->setCurrentWidget(shown ? pageWidgets_[static_cast<size_t>(front_)] : blank_);

    const auto* image =
        front_ >= 0 ? static_cast<const Image*>(pictures_[static_cast<size_t>(front_)]) : nullptr;
    const QPixmap file = image != nullptr && image->GetPicture() != nullptr
                             ? PicturePixmap(*image->GetPicture())
                             : QPixmap();
    if (!file.isNull())
        picture_->ShowFile(file);
    else
        picture_->ShowStep(std::max(front_, 0));
    picture_->setAccessibleName(
        front_ >= 0 ? WithoutAccessKey(pages_[static_cast<size_t>(front_)]->Caption()) : QString());
}

}  // namespace zelwiz::qt
