#include "ui_qt/ControlWidgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmapCache>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "platform/Controls.h"
#include "platform/Picture.h"
#include "ui_qt/Captions.h"
#include "ui_qt/SystemColors.h"

namespace zelwiz::qt {
namespace {

void ShowText(const TextBox& box, QLineEdit* edit, bool keepText) {
    const QString text = FromModel(box.Text());
    if (edit->text() != text)
        edit->setText(text);
    else if (keepText)
        return;
    const int start = WidgetPosition(box.Text(), box.SelStart());
    const int length = WidgetPosition(box.Text(), box.SelStart() + box.SelLength()) - start;
    const int shownStart =
        edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int shownLength = edit->hasSelectedText() ? int(edit->selectedText().size()) : 0;
    if (start == shownStart && length == shownLength)
        return;
    if (length > 0)
        edit->setSelection(start, length);
    else
        edit->setCursorPosition(start);
}

void ShowBackColor(const TextBox& box, QLineEdit* edit) {
    const QColor color = ClassicColor(box.BackColor(), QApplication::palette(edit));
    if (edit->palette().color(QPalette::Base) == color)
        return;
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, color);
    edit->setPalette(palette);
}

void ShowOption(const OptionButton& option, QRadioButton* button) {
    button->setText(FromModel(option.Caption()));
    if (button->isChecked() == option.Value())
        return;
    // An exclusive group refuses to clear its checked button; the model may clear them all.
    QButtonGroup* group = button->group();
    const bool exclusive = group != nullptr && group->exclusive();
    if (exclusive)
        group->setExclusive(false);
    button->setChecked(option.Value());
    if (exclusive)
        group->setExclusive(true);
}

void ShowList(const ListView& list, QListWidget* widget) {
    const auto& items = list.Items();
    bool same = widget->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < widget->count(); ++i)
        same = widget->item(i)->text() == FromModel(items[static_cast<size_t>(i)]);
    if (!same) {
        widget->clear();
        for (const auto& item : items)
            widget->addItem(FromModel(item));
    }
    const auto selected = widget->selectedItems();
    const int shown = selected.isEmpty() ? -1 : widget->row(selected.front());
    if (shown != list.SelectedIndex()) {
        if (list.SelectedIndex() < 0)
            widget->clearSelection();
        else
            widget->setCurrentRow(list.SelectedIndex(), QItemSelectionModel::ClearAndSelect);
    }
}

void ShowPicture(const Image& image, QLabel* label) {
    const auto& picture = image.GetPicture();
    if (picture == nullptr)
        label->clear();
    else
        label->setPixmap(PicturePixmap(*picture));
}

}  // namespace

QWidget* CreateControlWidget(const Control& control, QWidget* parent) {
    switch (control.Kind()) {
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            return label;
        }
        case ControlKind::TextBox:
            return new QLineEdit(parent);
        case ControlKind::OptionButton:
            return new QRadioButton(parent);
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(parent);
            button->setAutoDefault(true);  // Enter presses the button that has the focus
            return button;
        }
        case ControlKind::Frame:
            return new QGroupBox(parent);
        case ControlKind::Image: {
            auto* label = new QLabel(parent);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::ListView: {
            auto* list = new QListWidget(parent);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setUniformItemSizes(true);
            return list;
        }
    }
    return new QWidget(parent);
}

void ShowControl(const Control& control, QWidget* widget, const ShowOptions& options) {
    const QSignalBlocker quiet(widget);
    widget->setEnabled(control.Enabled());
    if (!options.placedByView)
        widget->setVisible(control.Visible() && control.Left() >= 0);  // pages out of the window
    if (control.HasFont())
        widget->setProperty(kFontCharsetProperty, control.FontCharset());

    switch (control.Kind()) {
        case ControlKind::Label:
            if (auto* label = qobject_cast<QLabel*>(widget))
                label->setText(options.hasBuddy ? FromModel(control.Caption())
                                                : WithoutAccessKey(control.Caption()));
            break;
        case ControlKind::TextBox:
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                const auto& box = static_cast<const TextBox&>(control);
                ShowText(box, edit, options.keepText);
                ShowBackColor(box, edit);
            }
            break;
        case ControlKind::OptionButton:
            if (auto* button = qobject_cast<QRadioButton*>(widget))
                ShowOption(static_cast<const OptionButton&>(control), button);
            break;
        case ControlKind::CommandButton:
            if (auto* button = qobject_cast<QPushButton*>(widget))
                button->setText(FromModel(control.Caption()));
            break;
        case ControlKind::Frame:
            if (auto* box = qobject_cast<QGroupBox*>(widget))
                box->setTitle(FromModel(control.Caption()));
            break;
        case ControlKind::Image:
            if (auto* label = qobject_cast<QLabel*>(widget))
                ShowPicture(static_cast<const Image&>(control), label);
            break;
        case ControlKind::ListView:
            if (auto* list = qobject_cast<QListWidget*>(widget))
                ShowList(static_cast<const ListView&>(control), list);
            break;
    }
}

QPixmap PicturePixmap(const Picture& picture) {
    const QString path = FromModel(picture.Path());
    QPixmap pixmap;
    if (!QPixmapCache::find(QStringLiteral("zelwiz-file:") + path, &pixmap)) {
        pixmap.load(path);
        QPixmapCache::insert(QStringLiteral("zelwiz-file:") + path, pixmap);
    }
    return pixmap;
}

}  // namespace zelwiz::qt
