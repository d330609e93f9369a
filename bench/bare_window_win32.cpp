// The reference of the Win32 start-up measurement: a bare Win32 window of the wizard's size,
// shown and, with --exit-after-first-paint, closed right after it has been painted once.
#include <windows.h>

#include <cstring>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    const bool exitAfterPaint = argc > 1 && std::strcmp(argv[1], "--exit-after-first-paint") == 0;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    wc.lpszClassName = L"BareWindow";
    RegisterClassExW(&wc);
    RECT frame{0, 0, 584, 360};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND window =
        CreateWindowExW(0, wc.lpszClassName, L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                        nullptr, wc.hInstance, nullptr);
    // Painted as it shows, then activated, as the wizard's windows are.
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
    if (exitAfterPaint)
        DestroyWindow(window);
    else
        SetForegroundWindow(window);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
