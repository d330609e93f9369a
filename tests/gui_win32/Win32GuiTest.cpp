#include "Win32GuiTest.h"

#include <windows.h>

#include <commctrl.h>
#include <objidl.h>

#include <gdiplus.h>
#include <oleacc.h>

#include <cstdlib>

#include "ui_win32/ControlWindows.h"
#include "ui_win32/Text.h"

namespace zelwiz::testing {
namespace {

struct PendingAnswer {
    std::function<void(WindowHandle)> answer;
    HWND before = nullptr;
    UINT_PTR timer = 0;
};
PendingAnswer pending;

void CALLBACK AnswerWhenUp(HWND, UINT, UINT_PTR, DWORD) {
    HWND active = GetActiveWindow();
    if (active == nullptr || active == pending.before || !IsWindowVisible(active))
        return;
    KillTimer(nullptr, pending.timer);
    auto answer = std::move(pending.answer);
    pending = {};
    answer(active);
}

void KeyEvent(std::vector<INPUT>& inputs, WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
}

}  // namespace

void Win32GuiTest::SetUp() {
    // Aware of each monitor's scale, as the program is through its manifest (once, before the
    // first window).
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    // The Win32 toolkit takes the place of whatever toolkit the platform had.
    Platform platform = CurrentPlatform();
    platform.toolkit = &toolkit;
    previous_ = InstallPlatform(platform);
    toolkit.onUntrappedError = [this](const ErrorRecord& e) { untrapped.push_back(e); };
}

void Win32GuiTest::TearDown() {
    KillTimer(nullptr, pending.timer);  // none when it is 0
    pending = {};
    InstallPlatform(previous_);
    EXPECT_TRUE(untrapped.empty())
        << "untrapped run-time error " << untrapped[0].Number << ": " << untrapped[0].Description;
}

WindowHandle Win32GuiTest::Show(Form& form) {
    form.Show();
    HWND window = toolkit.HandleOf(form);
    EXPECT_NE(window, nullptr);
    auto active = [&] { return GetActiveWindow() == window && GetFocus() != nullptr; };
    for (int i = 0; i < 300 && !active(); ++i)
        Pump(10);
    EXPECT_TRUE(active()) << "the window did not become active";
    return window;
}

void Win32GuiTest::Send(int key, int modifiers) {
    std::vector<INPUT> inputs;
    if (modifiers & kShift)
        KeyEvent(inputs, VK_SHIFT, false);
    if (modifiers & kAlt)
        KeyEvent(inputs, VK_MENU, false);
    KeyEvent(inputs, static_cast<WORD>(key), false);
    KeyEvent(inputs, static_cast<WORD>(key), true);
    if (modifiers & kAlt)
        KeyEvent(inputs, VK_MENU, true);
    if (modifiers & kShift)
        KeyEvent(inputs, VK_SHIFT, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Win32GuiTest::Press(int key, int modifiers) {
    Send(key, modifiers);
    Pump();
}

void Win32GuiTest::Type(const std::string& text) {
    for (wchar_t c : win32::Widen(text)) {
        const SHORT scan = VkKeyScanW(c);
        Send(LOBYTE(scan), (HIBYTE(scan) & 1) ? kShift : kNoModifier);
    }
    Pump();
}

void Win32GuiTest::Pump(int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            toolkit.ProcessMessage(msg);
        Sleep(5);
    } while (GetTickCount64() < end);
}

std::string Win32GuiTest::Text(WindowHandle window) {
    return win32::Narrow(win32::WindowText(window));
}

bool Win32GuiTest::Shown(const Control& control) const {
    return IsWindowVisible(HandleOf(control)) != FALSE;
}

bool Win32GuiTest::Enabled(WindowHandle window) {
    return IsWindowEnabled(window) != FALSE;
}

int Win32GuiTest::Width(WindowHandle window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

int Win32GuiTest::FontHeight(WindowHandle window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return std::abs(font.lfHeight);
}

void Win32GuiTest::ChangeScale(WindowHandle window, int dpi) {
    RECT suggested{};
    GetWindowRect(window, &suggested);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump();
}

bool Win32GuiTest::Focused(const Control& control) const {
    return HandleOf(control) != nullptr && GetFocus() == HandleOf(control);
}

bool Win32GuiTest::Checked(const Control& control) const {
    return SendMessageW(HandleOf(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Win32GuiTest::SelectedRow(const Control& list) const {
    return static_cast<int>(
        SendMessageW(HandleOf(list), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string Win32GuiTest::AccessibleName(const Control& control) const {
    CoInitialize(nullptr);
    IAccessible* accessible = nullptr;
    BSTR text = nullptr;
    if (AccessibleObjectFromWindow(HandleOf(control), static_cast<DWORD>(OBJID_CLIENT),
                                   __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&accessible)) == S_OK) {
        VARIANT self{};
        self.vt = VT_I4;  // lVal 0: CHILDID_SELF, the window itself
        accessible->get_accName(self, &text);
        accessible->Release();
    }
    const std::string name = text != nullptr ? win32::Narrow(text) : "";
    SysFreeString(text);
    return name;
}

MessageBoxSeen Win32GuiTest::ReadMessageBox(WindowHandle box) {
    MessageBoxSeen seen;
    seen.owner = GetWindow(box, GW_OWNER);
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[32] = {};
        GetClassNameW(child, kind, 32);
        if (lstrcmpiW(kind, L"Button") == 0 && IsWindowVisible(child)) {
            ++seen.buttons;
        } else if (lstrcmpiW(kind, L"Static") == 0) {
            const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            if (icon != nullptr) {
                seen.exclamation = seen.exclamation || icon == LoadIconW(nullptr, IDI_EXCLAMATION);
            } else if (Text(child).size() > seen.text.size()) {
                seen.text = Text(child);
            }
        }
    }
    return seen;
}

void Win32GuiTest::WhenModal(std::function<void(WindowHandle modal)> answer) {
    pending.answer = std::move(answer);
    pending.before = GetActiveWindow();
    pending.timer = SetTimer(nullptr, 0, 10, AnswerWhenUp);
}

void Win32GuiTest::Screenshot(WindowHandle window, const std::string& name) {
    // What the screen shows of the window, frame and all: the window is in front, and the
    // paints a page change posted are done first.
    Pump();
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    GetWindowRect(window, &r);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const bool copied = BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top,
                               SRCCOPY | CAPTUREBLT) != FALSE;
    SelectObject(dc, old);

    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    const char* set = std::getenv("ZELWIZ_SCREENSHOTS");
    const std::wstring folder = win32::Widen(set != nullptr && *set != '\0' ? set : "screenshots");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + win32::Widen(name) + L".png";
    // The PNG encoder of GDI+.
    const CLSID png{0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    Gdiplus::Status saved = Gdiplus::GenericError;
    {
        Gdiplus::Bitmap picture(bitmap, nullptr);
        saved = picture.Save(path.c_str(), &png, nullptr);
    }
    Gdiplus::GdiplusShutdown(token);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(copied && saved == Gdiplus::Ok) << "screenshot " << name;
}

}  // namespace zelwiz::testing
