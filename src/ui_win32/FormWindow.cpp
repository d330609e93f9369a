#include "ui_win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/Form.h"
#include "ui_win32/ControlWindows.h"
#include "ui_win32/PicturePane.h"
#include "ui_win32/Text.h"
#include "ui_win32/Win32Toolkit.h"

namespace zelwiz::win32 {
namespace {

constexpr UINT kFixFocus = WM_APP + 1;
constexpr int kFirstId = 1000;

// The classic colour values: a system colour index (high bit set, the index in the low byte) or
// an RGB value stored as 0x00BBGGRR, as COLORREF is.
COLORREF ClassicColor(unsigned color) {
    return (color & 0x80000000u) != 0 ? GetSysColor(static_cast<int>(color & 0xFF))
                                      : static_cast<COLORREF>(color);
}

// The classic mouse pointer values; 0 (default) and 99 (custom) leave the window's own.
LPCWSTR CursorFor(int pointer) {
    switch (pointer) {
        case 1:
            return IDC_ARROW;
        case 2:
            return IDC_CROSS;
        case 3:
            return IDC_IBEAM;
        case 5:
        case 15:
            return IDC_SIZEALL;
        case 6:
            return IDC_SIZENESW;
        case 7:
            return IDC_SIZENS;
        case 8:
            return IDC_SIZENWSE;
        case 9:
            return IDC_SIZEWE;
        case 10:
            return IDC_UPARROW;
        case vbHourglass:
            return IDC_WAIT;
        case 12:
            return IDC_NO;
        case 13:
            return IDC_APPSTARTING;
        case 14:
            return IDC_HELP;
        default:
            return nullptr;
    }
}

DWORD WindowStyle(bool owned) {
    return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | (owned ? 0 : WS_MINIMIZEBOX);
}
DWORD WindowExStyle(bool owned) {
    return WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME | (owned ? 0 : WS_EX_APPWINDOW);
}

}  // namespace

// Lives inside the form's observer: when the form object goes away without unloading, the
// observer and this link go with it and the window lets go of the form.
struct FormWindow::Link {
    FormWindow* window = nullptr;
    ~Link() {
        if (window != nullptr)
            window->Detach(true);
    }
};

FormWindow::FormWindow(Form& form, Win32Toolkit& toolkit, HWND owner)
    : form_(&form), toolkit_(toolkit), layout_(form), owner_(owner) {
    auto link = std::make_shared<Link>();
    link->window = this;
    link_ = link;
    form.Observer = [link](Control* changed) {
        if (link->window != nullptr)
            link->window->Changed(changed);
    };
    Build();
}

FormWindow::~FormWindow() {
    Detach(false);
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
    for (const auto& font : fonts_)
        DeleteObject(font.second);
    for (const auto& brush : brushes_)
        DeleteObject(brush.second);
}

void FormWindow::Build() {
    // An empty dialog template: the dialog manager then gives the window its keyboard
    // interface (Tab, arrows, access keys, default button), and the controls come below.
    struct {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } empty{};
    const bool owned = owner_ != nullptr;
    empty.dialog.style = WindowStyle(owned);
    empty.dialog.dwExtendedStyle = WindowExStyle(owned);
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &empty.dialog, owner_, DialogProc,
                               reinterpret_cast<LPARAM>(this));
    if (hwnd_ == nullptr)
        return;
    dpi_ = static_cast<int>(GetDpiForWindow(hwnd_));
    if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)))
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

    // A wizard page's controls are made when the page first comes to the front (ShowFront):
    // the window shows sooner.
    Control* previous = nullptr;
    for (Control* control : layout_.Placed()) {
        const int page = PageOf(*control);
        if (page < 0 || control == layout_.Page(page))
            CreateControl(*control, previous);
        previous = control;
    }
    if (layout_.IsWizard()) {
        picture_ = CreatePicturePane(hwnd_, kFirstId - 1);
        rule_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, 0, 0,
                                0, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    } else if (!form_->KeyPreview()) {
        // Enter presses the form's first button when no other button has the focus.
        for (Control* control : layout_.Placed()) {
            if (control->Kind() == ControlKind::CommandButton) {
                HWND button = HandleOf(*control);
                SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
                SendMessageW(hwnd_, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(button)), 0);
                break;
            }
        }
    }
    ShowFormProperties();
    for (Control* control : layout_.Placed())
        Show(*control);
    ShowFront();
    Arrange();
    RefreshTabStops();
}

int FormWindow::PageOf(const Control& control) const {
    if (!layout_.IsWizard())
        return -1;
    const Control* outer = &control;
    while (outer->Container() != nullptr)
        outer = outer->Container();
    for (int step = 0; step < FormLayout::kSteps; ++step) {
        if (outer == layout_.Page(step))
            return step;
    }
    return -1;
}

void FormWindow::BuildPage(int step) {
    if (pagesBuilt_.count(step) != 0)
        return;
    pagesBuilt_.insert(step);
    Control* previous = nullptr;
    std::vector<Control*> made;
    for (Control* control : layout_.Placed()) {
        if (control != layout_.Page(step) && PageOf(*control) == step) {
            CreateControl(*control, previous);
            made.push_back(control);
        }
        previous = control;
    }
    for (Control* control : made)
        Show(*control);
    RefreshTabStops();
    rearrange_ = true;
}

void FormWindow::CreateControl(Control& control, Control* previous) {
    Control* container = layout_.ParentOf(control);
    HWND parent = container != nullptr ? HandleOf(*container) : hwnd_;
    const bool followsOption = previous != nullptr &&
                               previous->Kind() == ControlKind::OptionButton &&
                               layout_.ParentOf(*previous) == container;
    const int id = kFirstId + static_cast<int>(handles_.size());
    HWND hwnd = CreateControlWindow(control, parent, id, !followsOption,
                                    layout_.FieldOf(control) != nullptr);
    if (hwnd == nullptr)
        return;
    handles_[&control] = hwnd;
    controls_[hwnd] = &control;
    if (control.HasFont())
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control.FontCharset())),
                     FALSE);
    if (control.Kind() == ControlKind::Frame && !layout_.IsWizard()) {
        // A frame of an ordinary form shows its caption on a group box border, created before
        // its controls so that its access key moves to the first of them.
        HWND box = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0,
                                   0, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control.FontCharset())),
                     FALSE);
        groupBoxes_[&control] = box;
    }
}

HWND FormWindow::HandleOf(const Control& control) const {
    auto it = handles_.find(&control);
    return it == handles_.end() ? nullptr : it->second;
}

Control* FormWindow::ControlOf(HWND hwnd) const {
    auto it = controls_.find(hwnd);
    return it == controls_.end() ? nullptr : it->second;
}

HFONT FormWindow::FontFor(int charset) {
    auto found = fonts_.find(charset);
    if (found != fonts_.end())
        return found->second;
    // The system's message font at the window's DPI, in the character set of the language.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                               static_cast<UINT>(dpi_));
    LOGFONTW font = metrics.lfMessageFont;
    if (charset != 0)
        font.lfCharSet = static_cast<BYTE>(charset);
    HFONT created = CreateFontIndirectW(&font);
    fonts_[charset] = created;
    return created;
}

HBRUSH FormWindow::BrushFor(COLORREF color) {
    HBRUSH& brush = brushes_[color];
    if (brush == nullptr)
        brush = CreateSolidBrush(color);
    return brush;
}

void FormWindow::Arrange(const RECT* suggested) {
    rearrange_ = false;
    if (hwnd_ == nullptr)
        return;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, FontFor(0));
    const FormLayout::Result placed = layout_.Arrange(dc, dpi_);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);

    for (const auto& [control, rect] : placed.rects) {
        HWND hwnd = HandleOf(*control);
        if (hwnd == nullptr)
            continue;
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        SetWindowPos(hwnd, nullptr, rect.left, rect.top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (auto box = groupBoxes_.find(control); box != groupBoxes_.end())
            SetWindowPos(box->second, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        if (control->Kind() == ControlKind::ListView)
            ListView_SetColumnWidth(hwnd, 0, LVSCW_AUTOSIZE_USEHEADER);
    }
    auto place = [](HWND hwnd, const RECT& r) {
        if (hwnd != nullptr)
            SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(picture_, placed.picture);
    place(rule_, placed.rule);

    const bool owned = owner_ != nullptr;
    RECT frame{0, 0, placed.client.cx, placed.client.cy};
    AdjustWindowRectExForDpi(&frame, WindowStyle(owned), FALSE, WindowExStyle(owned),
                             static_cast<UINT>(dpi_));
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (suggested == nullptr ? SWP_NOMOVE : 0);
    SetWindowPos(hwnd_, nullptr, suggested ? suggested->left : 0, suggested ? suggested->top : 0,
                 frame.right - frame.left, frame.bottom - frame.top, flags);
}

void FormWindow::Changed(Control* changed) {
    if (form_ == nullptr || hwnd_ == nullptr)
        return;
    if (changed == nullptr) {
        ShowFormProperties();
        return;
    }
    Show(*changed);
    if (Control* field = layout_.FieldOf(*changed))
        Show(*field);  // a list is named by its label
    if (layout_.IsWizard()) {
        for (int step = 0; step < FormLayout::kSteps; ++step) {
            if (changed == layout_.Page(step)) {
                if (changed->Left() == 0 && front_ != step)
                    front_ = step;  // the page brought to the front last wins
                else if (step == front_ && changed->Left() != 0)
                    front_ = -1;
                ShowFront();
            } else if (changed == layout_.Picture(step) && step == front_) {
                ShowFront();
            }
        }
    }
    switch (changed->Kind()) {
        case ControlKind::Label:
        case ControlKind::OptionButton:
        case ControlKind::CommandButton:
        case ControlKind::Image:
            rearrange_ = true;  // the text or picture may take another size
            break;
        default:
            break;
    }
    if (rearrange_)
        Arrange();
    if (changed->Kind() == ControlKind::OptionButton)
        RefreshTabStops();
}

void FormWindow::ShowFormProperties() {
    SetText(hwnd_, Widen(form_->Caption()));
    // The pointer changes at once when the mouse is over the window.
    POINT at{};
    GetCursorPos(&at);
    HWND under = WindowFromPoint(at);
    if (under != nullptr && (under == hwnd_ || IsChild(hwnd_, under)))
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void FormWindow::Show(const Control& control) {
    HWND hwnd = HandleOf(control);
    if (hwnd == nullptr)
        return;
    updating_ = true;
    EnableWindow(hwnd, control.Enabled());
    const bool isPage = layout_.IsWizard() && control.Name() == "fraStep";
    const bool visible = control.Visible() && control.Left() >= 0;
    if (!isPage && visible != ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0)) {
        ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
        rearrange_ = true;  // the control takes its room, or gives it up
    }
    if (control.HasFont()) {
        const auto font = reinterpret_cast<WPARAM>(FontFor(control.FontCharset()));
        if (SendMessageW(hwnd, WM_GETFONT, 0, 0) != static_cast<LRESULT>(font))
            SendMessageW(hwnd, WM_SETFONT, font, TRUE);
    }
    ControlLook look;
    look.typing = typing_ == &control;
    look.namesField = layout_.FieldOf(control) != nullptr;
    look.label = layout_.LabelOf(control);
    if (auto box = groupBoxes_.find(&control); box != groupBoxes_.end())
        look.groupBox = box->second;
    if (control.Kind() == ControlKind::Image) {
        const auto& picture = static_cast<const Image&>(control).GetPicture();
        look.picture = picture ? toolkit_.BitmapOf(*picture) : nullptr;
    }
    ShowControlWindow(control, hwnd, look);
    updating_ = false;
}

// The wizard's page in front and its picture. Pages that stand outside the window are hidden,
// so that neither Tab nor an access key reaches their controls.
void FormWindow::ShowFront() {
    if (!layout_.IsWizard())
        return;
    if (front_ < 0 || layout_.Page(front_)->Left() != 0) {
        front_ = -1;
        for (int step = 0; step < FormLayout::kSteps && front_ < 0; ++step) {
            if (layout_.Page(step)->Left() == 0)
                front_ = step;
        }
    }
    if (front_ >= 0)
        BuildPage(front_);
    for (int step = 0; step < FormLayout::kSteps; ++step) {
        const Control& page = *layout_.Page(step);
        const bool shown = step == front_ && page.Visible();
        ShowWindow(HandleOf(page), shown ? SW_SHOWNA : SW_HIDE);
    }
    const auto* image = front_ >= 0 ? static_cast<const Image*>(layout_.Picture(front_)) : nullptr;
    HBITMAP file = image != nullptr && image->GetPicture() != nullptr
                       ? toolkit_.BitmapOf(*image->GetPicture())
                       : nullptr;
    ShowPaneStep(picture_, std::max(front_, 0));
    ShowPaneFile(picture_, file);
    SetText(picture_, front_ >= 0 ? WithoutAccessKey(layout_.Page(front_)->Caption()) : L"");
    PostMessageW(hwnd_, kFixFocus, 0, 0);
}

// Tab reaches an option group at its chosen button (or its first when none is chosen).
void FormWindow::RefreshTabStops() {
    const auto& placed = layout_.Placed();
    for (size_t i = 0; i < placed.size();) {
        if (placed[i]->Kind() != ControlKind::OptionButton) {
            ++i;
            continue;
        }
        size_t end = i, chosen = i;
        while (end < placed.size() && placed[end]->Kind() == ControlKind::OptionButton &&
               layout_.ParentOf(*placed[end]) == layout_.ParentOf(*placed[i])) {
            if (static_cast<const OptionButton*>(placed[end])->Value())
                chosen = end;
            ++end;
        }
        for (size_t k = i; k < end; ++k) {
            HWND hwnd = HandleOf(*placed[k]);
            const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
            SetWindowLongPtrW(hwnd, GWL_STYLE,
                              k == chosen ? style | WS_TABSTOP : style & ~LONG_PTR(WS_TABSTOP));
        }
        i = end;
    }
}

// After a page change the focus may have gone with the page it was on: it comes to the first
// control of the page in front that takes it.
void FormWindow::FixFocus() {
    if (form_ == nullptr || hwnd_ == nullptr || GetActiveWindow() != hwnd_)
        return;
    HWND focus = GetFocus();
    if (focus != nullptr && focus != hwnd_ && IsWindowVisible(focus) && IsWindowEnabled(focus))
        return;
    HWND first =
        front_ >= 0 ? GetNextDlgTabItem(HandleOf(*layout_.Page(front_)), nullptr, FALSE) : nullptr;
    if (first == nullptr || !IsWindowVisible(first))
        first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (first != nullptr)
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

INT_PTR CALLBACK FormWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<FormWindow*>(lParam)->hwnd_ = hwnd;
        return FALSE;
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        return FALSE;
    }
    return self->Handle(message, wParam, lParam);
}

INT_PTR FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL &&
                GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) < kFirstId) {  // Escape
                Close();
            } else {
                Command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            }
            return TRUE;
        case WM_NOTIFY:
            Notify(*reinterpret_cast<const NMHDR*>(lParam));
            return FALSE;
        case WM_CLOSE:  // Alt+F4, the system menu, the title bar's close button
            Close();
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            const Control* control = ControlOf(reinterpret_cast<HWND>(lParam));
            if (control == nullptr || control->Kind() != ControlKind::TextBox)
                return FALSE;
            const unsigned back = static_cast<const TextBox*>(control)->BackColor();
            if (back == TextBox::kWindowBackground)
                return FALSE;
            SetBkColor(reinterpret_cast<HDC>(wParam), ClassicColor(back));
            return reinterpret_cast<INT_PTR>(BrushFor(ClassicColor(back)));
        }
        case WM_SETCURSOR: {
            LPCWSTR cursor = form_ != nullptr ? CursorFor(form_->MousePointer()) : nullptr;
            if (cursor == nullptr)
                return FALSE;
            SetCursor(LoadCursorW(nullptr, cursor));
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        case WM_DPICHANGED: {
            dpi_ = LOWORD(wParam);
            auto old = std::move(fonts_);
            fonts_.clear();
            for (const auto& [control, hwnd] : handles_) {
                if (control->HasFont())
                    SendMessageW(hwnd, WM_SETFONT,
                                 reinterpret_cast<WPARAM>(FontFor(control->FontCharset())), TRUE);
            }
            for (const auto& [control, box] : groupBoxes_)
                SendMessageW(box, WM_SETFONT,
                             reinterpret_cast<WPARAM>(FontFor(control->FontCharset())), TRUE);
            for (const auto& font : old)
                DeleteObject(font.second);
            Arrange(reinterpret_cast<const RECT*>(lParam));
            InvalidateRect(hwnd_, nullptr, TRUE);
            return TRUE;
        }
        case kFixFocus:
            FixFocus();
            return TRUE;
        default:
            return FALSE;
    }
}

void FormWindow::Command(HWND from, int code) {
    Control* control = ControlOf(from);
    if (control == nullptr || form_ == nullptr)
        return;
    switch (control->Kind()) {
        case ControlKind::CommandButton:
            if (code == BN_CLICKED) {
                auto& button = static_cast<CommandButton&>(*control);
                toolkit_.CallModel([&] { button.Click(); });
            } else if (code == BN_SETFOCUS) {
                FocusArrived(from);
            }
            break;
        case ControlKind::OptionButton:
            if (code == BN_CLICKED && !updating_ &&
                SendMessageW(from, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                auto& option = static_cast<OptionButton&>(*control);
                toolkit_.CallModel([&] { option.SetValue(true); });
            } else if (code == BN_SETFOCUS) {
                FocusArrived(from);
            }
            break;
        case ControlKind::TextBox:
            if (code == EN_CHANGE)
                Typed(static_cast<TextBox&>(*control), from);
            else if (code == EN_SETFOCUS)
                FocusArrived(from);
            break;
        default:
            break;
    }
}

void FormWindow::Notify(const NMHDR& header) {
    Control* control = ControlOf(header.hwndFrom);
    if (control == nullptr || form_ == nullptr || control->Kind() != ControlKind::ListView)
        return;
    if (header.code == NM_SETFOCUS) {
        FocusArrived(header.hwndFrom);
    } else if (header.code == LVN_ITEMCHANGED && !updating_) {
        // The model's selected item is the highlighted one (the focus frame alone selects
        // nothing).
        auto& list = static_cast<ListView&>(*control);
        const int row = ListView_GetNextItem(header.hwndFrom, -1, LVNI_SELECTED);
        if (row != list.SelectedIndex())
            toolkit_.CallModel([&] { list.SetSelectedIndex(row); });
    }
}

void FormWindow::FocusArrived(HWND from) {
    Control* control = ControlOf(from);
    if (form_ == nullptr || control == nullptr || control == lastFocus_ || !control->Enabled() ||
        !control->Visible())
        return;
    lastFocus_ = control;
    // As the model's own SetFocus: the toolkit finds the focus already there, GotFocus runs.
    toolkit_.CallModel([&] { control->SetFocus(); });
}

void FormWindow::Typed(TextBox& box, HWND edit) {
    if (updating_ || form_ == nullptr)
        return;
    const std::string text = Narrow(WindowText(edit));
    if (text == box.Text())
        return;
    typing_ = &box;
    toolkit_.CallModel([&] { box.SetText(text); });
    typing_ = nullptr;
    // The model put its caret at the end of the new text; it follows the control's caret.
    if (form_ != nullptr && HandleOf(box) == edit && Narrow(WindowText(edit)) == box.Text())
        FollowCaret(box, edit);
}

void FormWindow::FollowCaret(TextBox& box, HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = WindowText(edit);
    const int modelStart = ModelPosition(text, static_cast<int>(start));
    const int modelLength = ModelPosition(text, static_cast<int>(end)) - modelStart;
    if (modelStart != box.SelStart() || modelLength != box.SelLength())
        toolkit_.CallModel([&] { box.SetSelection(modelStart, modelLength); });
}

// Closing the window unloads the form, as its own Cancel would not: Form_Unload decides, and the
// window goes when the model says so.
void FormWindow::Close() {
    if (form_ == nullptr || !form_->IsLoaded())
        return;
    Form* form = form_;
    toolkit_.CallModel([&] { form->Unload(); });
}

void FormWindow::ShowModel(bool modal) {
    if (hwnd_ == nullptr)
        return;
    if (!shownOnce_) {
        shownOnce_ = true;
        RECT around{}, window{};
        if (owner_ != nullptr) {
            GetWindowRect(owner_, &around);
        } else {
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
            around = monitor.rcWork;
        }
        GetWindowRect(hwnd_, &window);
        const int width = window.right - window.left, height = window.bottom - window.top;
        SetWindowPos(hwnd_, nullptr, (around.left + around.right - width) / 2,
                     std::max<int>(around.top, (around.top + around.bottom - height) / 2), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (modal && owner_ != nullptr && IsWindowEnabled(owner_)) {
        disabledOwner_ = owner_;
        EnableWindow(owner_, FALSE);
    }
    // Painted as it shows, before it takes the activation: the user sees it at once.
    ShowWindow(hwnd_, SW_SHOWNA);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void FormWindow::Activate() {
    if (hwnd_ == nullptr)
        return;
    SetForegroundWindow(hwnd_);
    PostMessageW(hwnd_, kFixFocus, 0, 0);
}

void FormWindow::FocusControl(Control& control) {
    HWND hwnd = HandleOf(control);
    if (hwnd == nullptr)
        return;
    lastFocus_ = &control;
    SetFocus(hwnd);
}

bool FormWindow::PreviewKey(const MSG& msg) {
    if (form_ == nullptr || !form_->KeyPreview() || msg.wParam == VK_TAB)
        return false;  // Tab moves the focus before any form hears of it
    // Windows' virtual key codes are the classic key codes.
    int keyCode = static_cast<int>(msg.wParam);
    const int shift = ((GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0) |
                      ((GetKeyState(VK_CONTROL) & 0x8000) ? 2 : 0) |
                      ((GetKeyState(VK_MENU) & 0x8000) ? 4 : 0);
    Form* form = form_;
    toolkit_.CallModel([&] { form->KeyDown(keyCode, shift); });
    return keyCode == 0;
}

void FormWindow::Unloaded() {
    Detach(false);
}

void FormWindow::RestoreOwner() {
    // Before this window goes, so that the owner takes the activation back.
    if (disabledOwner_ != nullptr)
        EnableWindow(disabledOwner_, TRUE);
    disabledOwner_ = nullptr;
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
    RestoreOwner();
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
    handles_.clear();
    controls_.clear();
    groupBoxes_.clear();
    lastFocus_ = nullptr;
    if (formGone)
        toolkit_.Collect();
}

}  // namespace zelwiz::win32
