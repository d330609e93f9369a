#include "ui_win32/ControlWindows.h"

#include <commctrl.h>

#include "platform/Controls.h"
#include "ui_win32/PicturePane.h"
#include "ui_win32/Text.h"

namespace zelwiz::win32 {
namespace {

constexpr wchar_t kContainerClass[] = L"ZelwizContainer";

LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void ShowList(const ListView& list, HWND hwnd) {
    const auto& items = list.Items();
    bool same = ListView_GetItemCount(hwnd) == static_cast<int>(items.size());
    for (int i = 0; same && i < static_cast<int>(items.size()); ++i) {
        wchar_t shown[512] = {};
        ListView_GetItemText(hwnd, i, 0, shown, 512);
        same = shown == Widen(items[static_cast<size_t>(i)]);
    }
    if (!same) {
        ListView_DeleteAllItems(hwnd);
        for (size_t i = 0; i < items.size(); ++i) {
            std::wstring text = Widen(items[i]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.pszText = text.data();
            ListView_InsertItem(hwnd, &item);
        }
        ListView_SetColumnWidth(hwnd, 0, LVSCW_AUTOSIZE_USEHEADER);
    }
    const int shown = ListView_GetNextItem(hwnd, -1, LVNI_SELECTED);
    if (shown == list.SelectedIndex())
        return;
    ListView_SetItemState(hwnd, -1, 0, LVIS_SELECTED);
    if (list.SelectedIndex() >= 0) {
        ListView_SetItemState(hwnd, list.SelectedIndex(), LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(hwnd, list.SelectedIndex(), FALSE);
    }
}

}  // namespace

// A page, the navigation bar or a frame: it holds controls and passes their notifications to
// the form's window, where the model hears of them.
void RegisterContainer(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ContainerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    wc.lpszClassName = kContainerClass;
    RegisterClassExW(&wc);
}

HWND CreateControlWindow(const Control& control, HWND parent, int id, bool startsGroup,
                         bool namesField) {
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD, exStyle = 0;
    switch (control.Kind()) {
        case ControlKind::Label:
            style |= SS_LEFT | WS_GROUP | (namesField ? 0 : SS_NOPREFIX);
            break;
        case ControlKind::TextBox:
            windowClass = L"EDIT";
            style |= WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::OptionButton:
            // Each group of option buttons starts with WS_GROUP; the arrows move inside it.
            windowClass = L"BUTTON";
            style |= BS_AUTORADIOBUTTON | BS_NOTIFY | BS_MULTILINE | (startsGroup ? WS_GROUP : 0);
            break;
        case ControlKind::CommandButton:
            windowClass = L"BUTTON";
            style |= BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP | WS_GROUP;
            break;
        case ControlKind::Frame:
            windowClass = kContainerClass;
            style |= WS_GROUP;
            exStyle = WS_EX_CONTROLPARENT;
            break;
        case ControlKind::Image:
            windowClass = nullptr;
            break;
        case ControlKind::ListView:
            windowClass = WC_LISTVIEWW;
            style |= WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                     LVS_NOCOLUMNHEADER;
            exStyle = WS_EX_CLIENTEDGE;
            break;
    }
    if (windowClass == nullptr) {
        HWND pane = CreatePicturePane(parent, id);
        ShowWindow(pane, SW_HIDE);
        return pane;
    }
    HWND hwnd = CreateWindowExW(exStyle, windowClass, L"", style, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd != nullptr && control.Kind() == ControlKind::TextBox) {
        SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // no length limit
    } else if (hwnd != nullptr && control.Kind() == ControlKind::ListView) {
        ListView_SetExtendedListViewStyle(hwnd, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        ListView_InsertColumn(hwnd, 0, &column);
    }
    return hwnd;
}

void ShowControlWindow(const Control& control, HWND hwnd, const ControlLook& look) {
    switch (control.Kind()) {
        case ControlKind::Label:
            SetText(hwnd, look.namesField ? Widen(control.Caption())
                                          : WithoutAccessKey(control.Caption()));
            break;
        case ControlKind::CommandButton:
            SetText(hwnd, Widen(control.Caption()));
            break;
        case ControlKind::OptionButton: {
            SetText(hwnd, Widen(control.Caption()));
            const bool value = static_cast<const OptionButton&>(control).Value();
            SendMessageW(hwnd, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        }
        case ControlKind::Frame:
            // A page's caption names it for a screen reader; a frame's shows on its border.
            SetText(hwnd, WithoutAccessKey(control.Caption()));
            if (look.groupBox != nullptr)
                SetText(look.groupBox, Widen(control.Caption()));
            break;
        case ControlKind::TextBox: {
            const auto& box = static_cast<const TextBox&>(control);
            const std::wstring text = Widen(box.Text());
            if (WindowText(hwnd) != text)
                SetWindowTextW(hwnd, text.c_str());
            else if (look.typing)
                break;  // the user's typing shows already, caret and all
            const int start = WidePosition(box.Text(), box.SelStart());
            const int end = WidePosition(box.Text(), box.SelStart() + box.SelLength());
            DWORD shownStart = 0, shownEnd = 0;
            SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&shownStart),
                         reinterpret_cast<LPARAM>(&shownEnd));
            if (int(shownStart) != start || int(shownEnd) != end)
                SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(start), end);
            InvalidateRect(hwnd, nullptr, TRUE);  // the background colour
            break;
        }
        case ControlKind::Image: {
            ShowPaneFile(hwnd, look.picture);
            break;
        }
        case ControlKind::ListView: {
            // A list's window text is no content of its own: it names the list for a screen
            // reader, as its label does.
            if (look.label != nullptr)
                SetText(hwnd, WithoutAccessKey(look.label->Caption()));
            ShowList(static_cast<const ListView&>(control), hwnd);
            break;
        }
    }
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), int(text.size()))));
    return text;
}

void SetText(HWND hwnd, const std::wstring& text) {
    if (WindowText(hwnd) != text)
        SetWindowTextW(hwnd, text.c_str());
}

}  // namespace zelwiz::win32
