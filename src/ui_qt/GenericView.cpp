#include "ui_qt/GenericView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <vector>

#include "platform/Form.h"
#include "ui_qt/Captions.h"
#include "ui_qt/FormWindow.h"

namespace zelwiz::qt {
namespace {

// "Area code :" followed by a label that shows a value: a caption and the value it names.
bool NamesValue(const Control& label, const Control* next, const ContentsOptions& options) {
    if (next == nullptr || next->Kind() != ControlKind::Label)
        return false;
    const bool value = options.showsValue ? options.showsValue(*next) : next->Caption().empty();
    return value && WithoutAccessKey(label.Caption()).trimmed().endsWith(u':');
}

}  // namespace

void LayOutContents(FormWindow& window, QWidget* host, QVBoxLayout* layout,
                    const Control* container, const ContentsOptions& options) {
    std::vector<Control*> children;
    for (const auto& control : window.ModelForm()->Controls()) {
        if (control->Container() == container && !(options.skip && options.skip(*control)))
            children.push_back(control.get());
    }

    std::vector<QWidget*> bottomButtons;
    QHBoxLayout* buttonRow = nullptr;  // consecutive buttons inside a frame share a row
    QGridLayout* pairs = nullptr;      // consecutive caption-value pairs share two columns
    int pairRows = 0;
    bool stretched = false;  // a list takes the height left over
    for (size_t i = 0; i < children.size(); ++i) {
        Control& control = *children[i];
        Control* previous = i > 0 ? children[i - 1] : nullptr;
        Control* next = i + 1 < children.size() ? children[i + 1] : nullptr;
        if (control.Kind() != ControlKind::CommandButton)
            buttonRow = nullptr;
        if (control.Kind() == ControlKind::Label && NamesValue(control, next, options)) {
            if (pairs == nullptr) {
                pairs = new QGridLayout;
                pairs->setColumnStretch(1, 1);
                pairRows = 0;
                layout->addLayout(pairs);
            }
            QWidget* caption = window.Bind(control, host);
            if (auto* label = qobject_cast<QLabel*>(caption))
                label->setWordWrap(false);  // the caption column is as wide as its longest
            pairs->addWidget(caption, pairRows, 0);
            pairs->addWidget(window.Bind(*next, host), pairRows++, 1);
            ++i;
            continue;
        }
        pairs = nullptr;

        switch (control.Kind()) {
            case ControlKind::Label:
            case ControlKind::OptionButton:
                layout->addWidget(window.Bind(control, host));
                break;
            case ControlKind::Image:
                layout->addWidget(window.Bind(control, host), 0, Qt::AlignLeft);
                break;
            case ControlKind::TextBox:
            case ControlKind::ListView: {
                QWidget* field = window.Bind(control, host);
                if (previous != nullptr && previous->Kind() == ControlKind::Label)
                    window.SetBuddy(*previous, control);
                const bool list = control.Kind() == ControlKind::ListView;
                if (!list && !options.buttonsAtBottom && next != nullptr &&
                    next->Kind() == ControlKind::CommandButton) {
                    auto* row = new QHBoxLayout;
                    row->addWidget(field, 1);
                    row->addWidget(window.Bind(*next, host));
                    layout->addLayout(row);
                    ++i;
                } else {
                    layout->addWidget(field, list ? 1 : 0);
                    stretched = stretched || list;
                }
                break;
            }
            case ControlKind::CommandButton: {
                QWidget* button = window.Bind(control, host);
                if (options.buttonsAtBottom) {
                    bottomButtons.push_back(button);
                    break;
                }
                if (buttonRow == nullptr) {
                    buttonRow = new QHBoxLayout;
                    buttonRow->addStretch(1);
                    layout->addLayout(buttonRow);
                }
                buttonRow->insertWidget(buttonRow->count() - 1, button);
                break;
            }
            case ControlKind::Frame: {
                QWidget* box = window.Bind(control, host);
                auto* inner = new QVBoxLayout(box);
                LayOutContents(window, box, inner, &control,
                               ContentsOptions{false, options.skip, options.showsValue});
                layout->addWidget(box);
                break;
            }
        }
    }

    if (!bottomButtons.empty()) {
        if (!stretched)
            layout->addStretch(1);
        auto* row = new QHBoxLayout;
        row->addStretch(1);
        for (QWidget* button : bottomButtons)
            row->addWidget(button);
        layout->addSpacing(6);
        layout->addLayout(row);
    }
}

void GenericView::Build(FormWindow& window) {
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(14, 14, 14, 12);
    LayOutContents(window, &window, layout, nullptr, ContentsOptions{true, {}, {}});
    window.setMinimumWidth(360);
}

}  // namespace zelwiz::qt
