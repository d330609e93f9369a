#include "ui_win32/PicturePane.h"

#include <algorithm>

#include "ui_win32/StepPicture.h"

namespace zelwiz::win32 {
namespace {

constexpr wchar_t kClass[] = L"ZelwizPicture";

struct PaneState {
    int step = -1;
    HBITMAP file = nullptr;
};

PaneState* StateOf(HWND pane) {
    return reinterpret_cast<PaneState*>(GetWindowLongPtrW(pane, GWLP_USERDATA));
}

void PaintFile(HDC dc, const RECT& area, HBITMAP file) {
    BITMAP info{};
    GetObjectW(file, sizeof info, &info);
    if (info.bmWidth <= 0 || info.bmHeight <= 0)
        return;
    const int w = area.right - area.left, h = area.bottom - area.top;
    // Scaled to cover the window: the larger of the two scales.
    const double scale =
        std::max(static_cast<double>(w) / info.bmWidth, static_cast<double>(h) / info.bmHeight);
    const int shownWidth = static_cast<int>(info.bmWidth * scale + 0.5);
    const int shownHeight = static_cast<int>(info.bmHeight * scale + 0.5);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, file);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, area.left, area.top, shownWidth, shownHeight, source, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void Paint(HWND pane) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(pane, &ps);
    RECT client;
    GetClientRect(pane, &client);
    // Drawn off screen first, so that the column never flickers.
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1),
                                            std::max<LONG>(client.bottom, 1));
    HGDIOBJ old = SelectObject(buffer, bitmap);
    FillRect(buffer, &client, GetSysColorBrush(COLOR_3DFACE));
    const PaneState* state = StateOf(pane);
    if (state != nullptr && state->file != nullptr)
        PaintFile(buffer, client, state->file);
    else if (state != nullptr && state->step >= 0)
        PaintStepPicture(buffer, client, state->step);
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
    EndPaint(pane, &ps);
}

LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(pane, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new PaneState));
            break;
        case WM_NCDESTROY:
            delete StateOf(pane);
            SetWindowLongPtrW(pane, GWLP_USERDATA, 0);
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(pane);
            return 0;
        case WM_SIZE:
            InvalidateRect(pane, nullptr, FALSE);
            break;
        default:
            break;
    }
    return DefWindowProcW(pane, message, wParam, lParam);
}

}  // namespace

void RegisterPicturePane(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PaneProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
}

HWND CreatePicturePane(HWND parent, int id) {
    return CreateWindowExW(0, kClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void ShowPaneStep(HWND pane, int step) {
    PaneState* state = StateOf(pane);
    if (state == nullptr || (state->step == step && state->file == nullptr))
        return;
    state->step = step;
    state->file = nullptr;
    InvalidateRect(pane, nullptr, FALSE);
}

void ShowPaneFile(HWND pane, HBITMAP file) {
    PaneState* state = StateOf(pane);
    if (state == nullptr || state->file == file)
        return;
    state->file = file;
    InvalidateRect(pane, nullptr, FALSE);
}

}  // namespace zelwiz::win32
