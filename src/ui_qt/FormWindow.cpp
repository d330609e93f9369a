#include "ui_qt/FormWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <optional>

#include "platform/Form.h"
#include "ui_qt/Captions.h"
#include "ui_qt/ControlWidgets.h"
#include "ui_qt/FormView.h"
#include "ui_qt/KeyCodes.h"
#include "ui_qt/QtToolkit.h"

namespace zelwiz::qt {
namespace {

// The classic mouse pointer values; 0 (default) and 99 (custom) leave the widget's own cursor.
std::optional<Qt::CursorShape> CursorFor(int pointer) {
    switch (pointer) {
        case 1:
            return Qt::ArrowCursor;
        case 2:
            return Qt::CrossCursor;
        case 3:
            return Qt::IBeamCursor;
        case 5:
        case 15:
            return Qt::SizeAllCursor;
        case 6:
            return Qt::SizeBDiagCursor;
        case 7:
            return Qt::SizeVerCursor;
        case 8:
            return Qt::SizeFDiagCursor;
        case 9:
            return Qt::SizeHorCursor;
        case 10:
            return Qt::UpArrowCursor;
        case vbHourglass:
            return Qt::WaitCursor;
        case 12:
            return Qt::ForbiddenCursor;
        case 13:
            return Qt::BusyCursor;
        case 14:
            return Qt::WhatsThisCursor;
        default:
            return std::nullopt;
    }
}

}  // namespace

// Lives inside the form's observer: when the form object goes away without unloading, the
// observer and this link go with it and the window lets go of the form.
struct FormWindow::Link {
    QPointer<FormWindow> window;
    ~Link() {
        if (window)
            window->Detach(true);
    }
};

FormWindow::FormWindow(Form& form, QtToolkit& toolkit, QWidget* parent)
    : QWidget(parent, parent != nullptr ? Qt::Dialog : Qt::Window),
      form_(&form),
      toolkit_(toolkit),
      view_(ViewFor(form)) {
    setObjectName(FromModel(form.Name()));
    auto link = std::make_shared<Link>();
    link->window = this;
    link_ = link;
    form.Observer = [link](Control* changed) {
        if (link->window)
            link->window->Changed(changed);
    };
    view_->Build(*this);
    ShowFormProperties();
}

FormWindow::~FormWindow() {
    Detach(false);
}

QWidget* FormWindow::Bind(Control& control, QWidget* parent) {
    QWidget* widget = CreateControlWidget(control, parent);
    if (control.Kind() == ControlKind::OptionButton) {
        // Option buttons of one container exclude one another, as the model's rule has it; the
        // group also lets the arrow keys move the choice.
        QButtonGroup*& group = optionGroups_[control.Container()];
        if (group == nullptr)
            group = new QButtonGroup(this);
        group->addButton(static_cast<QAbstractButton*>(widget));
    }
    Register(control, widget);
    Connect(control, widget);
    return widget;
}

void FormWindow::Register(Control& control, QWidget* widget) {
    widgets_[&control] = widget;
    controls_[widget] = &control;
    Show(control);
}

void FormWindow::SetBuddy(Control& label, Control& field) {
    auto* labelWidget = qobject_cast<QLabel*>(WidgetOf(label));
    if (labelWidget == nullptr)
        return;
    buddyOf_[&field] = &label;
    fieldOf_[&label] = &field;
    labelWidget->setBuddy(WidgetOf(field));
    Show(label);
    Show(field);
}

QWidget* FormWindow::WidgetOf(const Control& control) const {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

Control* FormWindow::ControlOf(const QWidget* widget) const {
    auto it = controls_.find(widget);
    return it == controls_.end() ? nullptr : it->second;
}

void FormWindow::Changed(Control* changed) {
    if (form_ == nullptr)
        return;
    if (changed == nullptr) {
        ShowFormProperties();
    } else {
        Show(*changed);
        if (auto field = fieldOf_.find(changed); field != fieldOf_.end())
            Show(*field->second);  // its accessible name is the label's caption
    }
    view_->Changed(changed);
}

void FormWindow::ShowFormProperties() {
    setWindowTitle(FromModel(form_->Caption()));
    setAccessibleName(WithoutAccessKey(form_->Caption()));
    if (auto shape = CursorFor(form_->MousePointer()))
        setCursor(*shape);
    else
        unsetCursor();
}

void FormWindow::Show(const Control& control) {
    QWidget* widget = WidgetOf(control);
    if (widget == nullptr)
        return;
    ShowOptions options;
    options.placedByView = view_->Places(control);
    options.hasBuddy = fieldOf_.count(&control) != 0;
    options.keepText = typing_ == &control;
    ShowControl(control, widget, options);

    QString name;
    switch (control.Kind()) {
        case ControlKind::TextBox:
        case ControlKind::ListView:
            if (auto label = buddyOf_.find(&control); label != buddyOf_.end())
                name = WithoutAccessKey(label->second->Caption());
            break;
        case ControlKind::Image:
            if (control.Container() != nullptr)
                name = WithoutAccessKey(control.Container()->Caption());
            break;
        default:
            name = WithoutAccessKey(control.Caption());
            break;
    }
    widget->setAccessibleName(name.trimmed().isEmpty() ? FromModel(control.Name())
                                                       : name.trimmed());
}

void FormWindow::Connect(Control& control, QWidget* widget) {
    switch (control.Kind()) {
        case ControlKind::CommandButton: {
            auto& button = static_cast<CommandButton&>(control);
            connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                    [this, &button] {
                        if (form_ != nullptr)
                            toolkit_.CallModel([&] { button.Click(); });
                    });
            break;
        }
        case ControlKind::OptionButton: {
            auto& option = static_cast<OptionButton&>(control);
            connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                    [this, &option](bool checked) {
                        if (form_ != nullptr && checked)
                            toolkit_.CallModel([&] { option.SetValue(true); });
                    });
            break;
        }
        case ControlKind::TextBox: {
            auto& box = static_cast<TextBox&>(control);
            auto* edit = static_cast<QLineEdit*>(widget);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, &box, edit](const QString& text) { Typed(box, edit, text); });
            connect(edit, &QLineEdit::cursorPositionChanged, this,
                    [this, &box, edit] { FollowCaret(box, edit); });
            connect(edit, &QLineEdit::selectionChanged, this,
                    [this, &box, edit] { FollowCaret(box, edit); });
            break;
        }
        case ControlKind::ListView: {
            // The model's selected item is the highlighted one (the focus frame alone selects
            // nothing).
            auto& list = static_cast<ListView&>(control);
            auto* view = static_cast<QListWidget*>(widget);
            connect(view, &QListWidget::itemSelectionChanged, this, [this, &list, view] {
                const auto selected = view->selectedItems();
                const int row = selected.isEmpty() ? -1 : view->row(selected.front());
                if (form_ != nullptr && row != list.SelectedIndex())
                    toolkit_.CallModel([&] { list.SetSelectedIndex(row); });
            });
            break;
        }
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::Image:
            break;
    }
}

void FormWindow::Typed(TextBox& box, QLineEdit* edit, const QString& text) {
    if (form_ == nullptr)
        return;
    QPointer<QLineEdit> alive(edit);
    typing_ = &box;
    toolkit_.CallModel([&] { box.SetText(ToModel(text)); });
    typing_ = nullptr;
    // The model put its caret at the end of the new text; it follows the widget's caret instead.
    if (alive && form_ != nullptr && alive->text() == FromModel(box.Text()))
        FollowCaret(box, alive);
}

void FormWindow::FollowCaret(TextBox& box, QLineEdit* edit) {
    if (form_ == nullptr || typing_ == &box)
        return;
    const QString text = edit->text();
    if (text != FromModel(box.Text()))
        return;  // the change of text itself is on its way
    const int shownStart =
        edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int shownLength = edit->hasSelectedText() ? int(edit->selectedText().size()) : 0;
    const int start = ModelPosition(text, shownStart);
    const int length = ModelPosition(text, shownStart + shownLength) - start;
    if (start != box.SelStart() || length != box.SelLength())
        toolkit_.CallModel([&] { box.SetSelection(start, length); });
}

void FormWindow::ShowModel(bool modal) {
    if (!shownOnce_) {
        shownOnce_ = true;
        adjustSize();
        const QRect around = parentWidget() != nullptr
                                 ? parentWidget()->window()->frameGeometry()
                                 : (screen() != nullptr ? screen()->availableGeometry() : QRect());
        if (around.isValid())
            move(around.center() - rect().center());
    }
    if (modal)
        setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    if (!modal || form_ == nullptr || !form_->IsLoaded())
        return;
    QEventLoop loop;
    modalLoop_ = &loop;
    QPointer<FormWindow> self(this);
    loop.exec(QEventLoop::DialogExec);
    if (self)
        self->modalLoop_ = nullptr;
}

void FormWindow::FocusControl(Control& control) {
    QWidget* widget = WidgetOf(control);
    if (widget == nullptr)
        return;
    lastFocus_ = &control;
    widget->setFocus(Qt::OtherFocusReason);
}

void FormWindow::FocusArrived(QWidget* widget) {
    if (form_ == nullptr)
        return;
    Control* control = ControlOf(widget);
    if (control == nullptr || control == lastFocus_ || !control->Enabled() || !control->Visible())
        return;
    lastFocus_ = control;
    // As the model's own SetFocus: the toolkit finds the focus already there, GotFocus runs.
    toolkit_.CallModel([&] { control->SetFocus(); });
}

bool FormWindow::PreviewKey(QKeyEvent* event) {
    if (form_ == nullptr || !form_->KeyPreview())
        return false;
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;  // Tab moves the focus before any form hears of it
    int keyCode = ClassicKeyCode(event->key());
    if (keyCode == 0)
        return false;
    Form* form = form_;
    const int shift = ClassicShiftState(event->modifiers());
    toolkit_.CallModel([&] { form->KeyDown(keyCode, shift); });
    return keyCode == 0;
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (form_ == nullptr || !form_->IsLoaded()) {
        event->accept();
        return;
    }
    // Closing by the title bar unloads the form; the window goes when the model says so.
    event->ignore();
    Form* form = form_;
    toolkit_.CallModel([&] { form->Unload(); });
}

void FormWindow::Unloaded() {
    Detach(false);
    hide();
    deleteLater();
}

void FormWindow::StopModalLoop() {
    if (modalLoop_ != nullptr)
        modalLoop_->quit();
}

void FormWindow::Detach(bool formGone) {
    if (form_ == nullptr)
        return;
    Form* form = form_;
    form_ = nullptr;
    if (auto link = link_.lock())
        link->window = nullptr;
    if (!formGone)
        form->Observer = nullptr;
    widgets_.clear();
    controls_.clear();
    buddyOf_.clear();
    fieldOf_.clear();
    lastFocus_ = nullptr;
    StopModalLoop();
    if (formGone) {
        hide();
        deleteLater();
        toolkit_.Forget(this);
    }
}

}  // namespace zelwiz::qt
