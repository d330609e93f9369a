#include "ui_win32/FormLayout.h"

#include <algorithm>
#include <string>

#include "platform/Form.h"
#include "platform/Picture.h"
#include "ui_win32/Text.h"

namespace zelwiz::win32 {
namespace {

constexpr const char* kPage = "fraStep";
constexpr const char* kPictureName = "imgStep";
constexpr const char* kNav = "cmdNav";
constexpr const char* kNavBar = "picNav";

bool IsWizardForm(const Form& form) {
    if (form.Name() != "frmWizard")
        return false;
    for (int i = 0; i < FormLayout::kSteps; ++i) {
        const Control* page = form.FindControl(kPage, i);
        const Control* picture = form.FindControl(kPictureName, i);
        if (page == nullptr || page->Kind() != ControlKind::Frame || picture == nullptr ||
            picture->Kind() != ControlKind::Image)
            return false;
    }
    for (int i = FormLayout::kCancel; i <= FormLayout::kFinish; ++i) {
        const Control* button = form.FindControl(kNav, i);
        if (button == nullptr || button->Kind() != ControlKind::CommandButton)
            return false;
    }
    return true;
}

bool IsWizardPart(const Control& c) {
    return c.Name() == kPage || c.Name() == kPictureName || c.Name() == kNav || c.Name() == kNavBar;
}

// "Area code :" followed by a label still empty: a caption and the value it names.
bool NamesValue(const Control& label, const Control* next) {
    if (next == nullptr || next->Kind() != ControlKind::Label || !next->Caption().empty())
        return false;
    std::wstring caption = WithoutAccessKey(label.Caption());
    while (!caption.empty() && caption.back() == L' ')
        caption.pop_back();
    return !caption.empty() && caption.back() == L':';
}

bool Shown(const Control* c) {
    return c->Visible() && c->Left() >= 0;
}

}  // namespace

// Text sizes in the selected font and lengths of the 96-DPI design, at the window's DPI.
struct FormLayout::Measure {
    HDC dc;
    int dpi;
    int line;  // the height of one line of text

    int S(int at96) const { return MulDiv(at96, dpi, 96); }
    SIZE Text(const std::wstring& text, int width, bool accessKeys) const {
        RECT r{0, 0, std::max(width, 1), 0};
        UINT format = DT_CALCRECT | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE);
        if (!accessKeys)
            format |= DT_NOPREFIX;
        DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &r, format);
        return {r.right - r.left, std::max<LONG>(r.bottom - r.top, line)};
    }
    int ButtonHeight() const { return std::max(S(23), line + S(8)); }
    int ButtonWidth(const Control& button) const {
        return std::max<int>(S(75), Text(Widen(button.Caption()), 0, true).cx + S(20));
    }
};

FormLayout::FormLayout(const Form& form) : wizard_(IsWizardForm(form)) {
    if (!wizard_) {
        Plan(form, nullptr, true);
        return;
    }
    for (int i = 0; i < kSteps; ++i) {
        pages_[static_cast<size_t>(i)] = form.FindControl(kPage, i);
        pictures_[static_cast<size_t>(i)] = form.FindControl(kPictureName, i);
    }
    for (Control* page : pages_) {
        placed_.push_back(page);
        parentOf_[page] = nullptr;
        Plan(form, page, false);
    }
    navBar_ = form.FindControl(kNavBar);
    if (navBar_ != nullptr) {
        placed_.push_back(navBar_);
        parentOf_[navBar_] = nullptr;
    }
    // Back and Next together, then Finish, then Cancel, as wizards have them.
    for (int index : {kBack, kNext, kFinish, kCancel}) {
        Control* button = form.FindControl(kNav, index);
        placed_.push_back(button);
        parentOf_[button] = navBar_;
    }
}

void FormLayout::Plan(const Form& form, Control* container, bool buttonsAtBottom) {
    std::vector<Control*> children;
    for (const auto& control : form.Controls()) {
        if (control->Container() == container && !(wizard_ && IsWizardPart(*control)))
            children.push_back(control.get());
    }
    std::vector<Row>& rows = rows_[container];
    auto place = [&](Control* c) {
        placed_.push_back(c);
        parentOf_[c] = container;
    };
    for (size_t i = 0; i < children.size(); ++i) {
        Control* c = children[i];
        Control* previous = i > 0 ? children[i - 1] : nullptr;
        Control* next = i + 1 < children.size() ? children[i + 1] : nullptr;
        if (c->Kind() == ControlKind::Label && NamesValue(*c, next)) {
            rows.push_back({RowKind::kPair, {c, next}});
            place(c);
            place(next);
            ++i;
            continue;
        }
        switch (c->Kind()) {
            case ControlKind::Label:
            case ControlKind::OptionButton:
            case ControlKind::Image:
                rows.push_back({RowKind::kSingle, {c}});
                place(c);
                break;
            case ControlKind::TextBox:
            case ControlKind::ListView:
                if (previous != nullptr && previous->Kind() == ControlKind::Label)
                    labelOf_[c] = previous;
                place(c);
                if (c->Kind() == ControlKind::TextBox && !buttonsAtBottom && next != nullptr &&
                    next->Kind() == ControlKind::CommandButton) {
                    rows.push_back({RowKind::kFieldButton, {c, next}});
                    place(next);
                    ++i;
                } else {
                    rows.push_back({RowKind::kSingle, {c}});
                }
                break;
            case ControlKind::CommandButton:
                place(c);
                if (buttonsAtBottom)
                    bottomButtons_.push_back(c);
                else if (!rows.empty() && rows.back().kind == RowKind::kButtons)
                    rows.back().controls.push_back(c);
                else
                    rows.push_back({RowKind::kButtons, {c}});
                break;
            case ControlKind::Frame:
                rows.push_back({RowKind::kGroup, {c}});
                place(c);
                Plan(form, c, false);
                break;
        }
    }
}

Control* FormLayout::ParentOf(const Control& control) const {
    auto it = parentOf_.find(&control);
    return it == parentOf_.end() ? nullptr : it->second;
}

const Control* FormLayout::LabelOf(const Control& field) const {
    auto it = labelOf_.find(const_cast<Control*>(&field));
    return it == labelOf_.end() ? nullptr : it->second;
}

Control* FormLayout::FieldOf(const Control& label) const {
    for (const auto& [field, named] : labelOf_) {
        if (named == &label)
            return field;
    }
    return nullptr;
}

int FormLayout::Stack(const Measure& m, const Control* container, int x, int y, int width,
                      Result& out) const {
    auto found = rows_.find(container);
    if (found == rows_.end())
        return y;
    const std::vector<Row>& rows = found->second;
    auto labelText = [&](const Control& label) {
        return FieldOf(label) != nullptr ? Widen(label.Caption())
                                         : WithoutAccessKey(label.Caption());
    };
    const int fieldHeight = std::max(m.line + m.S(8), m.ButtonHeight());
    int pairColumn = 0;
    const Row* previous = nullptr;
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        // A row whose controls are all hidden takes no room.
        if (std::none_of(row.controls.begin(), row.controls.end(), Shown))
            continue;
        const bool afterPair = previous != nullptr && previous->kind == RowKind::kPair;
        if (previous != nullptr)
            y += row.kind == RowKind::kPair && afterPair ? m.S(4) : m.S(8);
        previous = &row;
        Control& c = *row.controls[0];
        switch (row.kind) {
            case RowKind::kSingle: {
                int h = m.line, w = width;
                if (c.Kind() == ControlKind::Label) {
                    h = m.Text(labelText(c), width, FieldOf(c) != nullptr).cy;
                } else if (c.Kind() == ControlKind::OptionButton) {
                    h = m.Text(Widen(c.Caption()), width - m.S(20), true).cy + m.S(6);
                } else if (c.Kind() == ControlKind::TextBox) {
                    h = fieldHeight;
                } else if (c.Kind() == ControlKind::ListView) {
                    h = m.S(150);
                } else if (c.Kind() == ControlKind::Image) {
                    const auto& picture = static_cast<const Image&>(c).GetPicture();
                    w = std::min(width, picture ? m.S(picture->Width()) : m.S(32));
                    h = picture ? m.S(picture->Height()) : m.S(32);
                }
                out.rects[&c] = {x, y, x + w, y + h};
                y += h;
                break;
            }
            case RowKind::kPair: {
                if (!afterPair) {  // consecutive pairs share the caption column
                    pairColumn = 0;
                    for (size_t p = r; p < rows.size() && rows[p].kind == RowKind::kPair; ++p) {
                        const Control& caption = *rows[p].controls[0];
                        pairColumn =
                            std::max<int>(pairColumn, m.Text(labelText(caption), 0, false).cx);
                    }
                    pairColumn = std::min(pairColumn + m.S(8), width * 2 / 3);
                }
                const Control& value = *row.controls[1];
                const int h = std::max(m.Text(labelText(c), pairColumn, false).cy,
                                       m.Text(labelText(value), width - pairColumn, false).cy);
                out.rects[&c] = {x, y, x + pairColumn, y + h};
                out.rects[&value] = {x + pairColumn, y, x + width, y + h};
                y += h;
                break;
            }
            case RowKind::kFieldButton: {
                const int bw = m.ButtonWidth(*row.controls[1]);
                out.rects[&c] = {x, y, x + width - bw - m.S(6), y + fieldHeight};
                out.rects[row.controls[1]] = {x + width - bw, y, x + width, y + fieldHeight};
                y += fieldHeight;
                break;
            }
            case RowKind::kButtons: {
                int right = x + width;
                for (auto it = row.controls.rbegin(); it != row.controls.rend(); ++it) {
                    const int bw = m.ButtonWidth(**it);
                    out.rects[*it] = {right - bw, y, right, y + m.ButtonHeight()};
                    right -= bw + m.S(6);
                }
                y += m.ButtonHeight();
                break;
            }
            case RowKind::kGroup: {
                // The frame's own window holds its controls, below its caption.
                const int inner = Stack(m, &c, m.S(10), m.line + m.S(6), width - m.S(20), out);
                out.rects[&c] = {x, y, x + width, y + inner + m.S(10)};
                y += inner + m.S(10);
                break;
            }
        }
    }
    return y;
}

FormLayout::Result FormLayout::Arrange(HDC dc, int dpi) const {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const Measure m{dc, dpi, static_cast<int>(tm.tmHeight + tm.tmExternalLeading)};
    Result out;
    const int bh = m.ButtonHeight();
    if (!wizard_) {
        const int x = m.S(14), width = m.S(332);
        int y = Stack(m, nullptr, x, m.S(14), width, out);
        if (!bottomButtons_.empty()) {
            y += m.S(14);
            int right = x + width;
            for (auto it = bottomButtons_.rbegin(); it != bottomButtons_.rend(); ++it) {
                const int bw = m.ButtonWidth(**it);
                out.rects[*it] = {right - bw, y, right, y + bh};
                right -= bw + m.S(6);
            }
            y += bh;
        }
        out.client = {x + width + m.S(14), y + m.S(12)};
        return out;
    }

    const int pictureWidth = m.S(164), pageX = pictureWidth + m.S(20), pageY = m.S(18);
    const int width = m.S(380), clientWidth = pageX + width + m.S(20);
    int height = m.S(284);
    for (const Control* page : pages_)
        height = std::max(height, Stack(m, page, 0, 0, width, out));
    for (const Control* page : pages_)
        out.rects[page] = {pageX, pageY, pageX + width, pageY + height};
    const int ruleY = pageY + height + m.S(12);
    out.picture = {0, 0, pictureWidth, ruleY};
    out.rule = {0, ruleY, clientWidth, ruleY + 2};
    const int navY = ruleY + 2, navHeight = bh + m.S(20);
    const int buttonsY = navBar_ != nullptr ? m.S(10) : navY + m.S(10);
    if (navBar_ != nullptr)
        out.rects[navBar_] = {0, navY, clientWidth, navY + navHeight};
    int right = clientWidth - m.S(12);
    for (auto it = placed_.rbegin(); it != placed_.rend() && ParentOf(**it) == navBar_ &&
                                     (*it)->Kind() == ControlKind::CommandButton;
         ++it) {
        const int bw = m.ButtonWidth(**it);
        out.rects[*it] = {right - bw, buttonsY, right, buttonsY + bh};
        right -= bw + m.S(6);
        if ((*it)->Index() == kCancel || (*it)->Index() == kFinish)
            right -= m.S(8);
    }
    out.client = {clientWidth, navY + navHeight};
    return out;
}

}  // namespace zelwiz::win32
