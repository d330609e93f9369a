#include "ui_win32/Win32Toolkit.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "platform/Form.h"
#include "platform/Picture.h"
#include "ui_win32/ControlWindows.h"
#include "ui_win32/FormWindow.h"
#include "ui_win32/PicturePane.h"
#include "ui_win32/Text.h"

namespace zelwiz::win32 {
namespace {

// LoadImageW takes a file cut short for a whole picture (the missing rows show black): a bitmap
// file counts only when every pixel it announces stands in it.
bool WholeBitmapFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary | std::ios::ate);
    unsigned char h[54] = {};
    const auto size = static_cast<std::uint64_t>(in ? std::streamoff(in.tellg()) : 0);
    in.seekg(0);
    if (size < sizeof h || !in.read(reinterpret_cast<char*>(h), sizeof h) || h[0] != 'B' ||
        h[1] != 'M')
        return false;
    auto le = [&](int at, int bytes) {
        std::uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | h[at + i];
        return value;
    };
    const std::uint64_t pixelsAt = le(10, 4);
    if (le(14, 4) < sizeof(BITMAPINFOHEADER))  // the old core header: no size to check
        return pixelsAt <= size;
    const auto width = static_cast<std::int32_t>(le(18, 4));
    const auto height = static_cast<std::int32_t>(le(22, 4));
    const std::uint64_t bits = le(28, 2), compression = le(30, 4);
    const std::uint64_t stride = ((std::uint64_t(std::abs(width)) * bits + 31) / 32) * 4;
    const std::uint64_t pixels = compression == BI_RGB || compression == BI_BITFIELDS
                                     ? stride * std::uint64_t(std::abs(height))
                                     : le(34, 4);
    return pixelsAt + pixels <= size;
}

}  // namespace

Win32Toolkit::Win32Toolkit() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterContainer(instance);
    RegisterPicturePane(instance);
}

Win32Toolkit::~Win32Toolkit() {
    windows_.clear();
    for (const auto& bitmap : bitmaps_)
        DeleteObject(bitmap.second);
}

FormWindow* Win32Toolkit::WindowOf(const Form& form) const {
    for (const auto& window : windows_) {
        if (window->ModelForm() == &form)
            return window.get();
    }
    return nullptr;
}

HWND Win32Toolkit::HandleOf(const Form& form) const {
    FormWindow* window = WindowOf(form);
    return window != nullptr ? window->Handle() : nullptr;
}

HWND Win32Toolkit::HandleOf(const Control& control) const {
    FormWindow* window = WindowOf(control.Parent());
    return window != nullptr ? window->HandleOf(control) : nullptr;
}

Form* Win32Toolkit::FormOf(HWND window) const {
    for (const auto& w : windows_) {
        if (window != nullptr && w->Handle() == window)
            return w->ModelForm();
    }
    return nullptr;
}

HWND Win32Toolkit::DialogOwner() const {
    HWND active = GetActiveWindow();
    for (const auto& window : windows_) {
        if (window->ModelForm() != nullptr && window->Handle() == active && active != nullptr)
            return active;
    }
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        HWND hwnd = (*it)->Handle();
        if ((*it)->ModelForm() != nullptr && hwnd != nullptr && IsWindowVisible(hwnd) &&
            IsWindowEnabled(hwnd))
            return hwnd;
    }
    return nullptr;
}

void Win32Toolkit::ShowForm(Form& form, bool modal) {
    FormWindow* window = WindowOf(form);
    if (window == nullptr) {
        windows_.push_back(
            std::make_unique<FormWindow>(form, *this, modal ? DialogOwner() : nullptr));
        window = windows_.back().get();
        if (window->Handle() == nullptr) {
            const DWORD error = GetLastError();
            windows_.pop_back();
            if (report)
                report("cannot show the " + AppTitle() + " window: Windows refused to create it " +
                       "(system error " + std::to_string(error) + "); nothing was saved");
            End(2);
        }
    }
    window->ShowModel(modal);
    if (!painted_) {
        painted_ = true;
        if (onFirstPaint)
            CallModel(onFirstPaint);
        ThrowIfEnded();
    }
    window->Activate();
    if (auto pending = pendingFocus_.find(&form); pending != pendingFocus_.end()) {
        Control* control = pending->second;
        pendingFocus_.erase(pending);
        window->FocusControl(*control);
    }
    if (modal) {
        while (!ended_ && form.IsLoaded() && WindowOf(form) != nullptr)
            PumpOne();
        if (FormWindow* still = WindowOf(form))
            still->RestoreOwner();  // the program ended inside the modal form
    }
    ThrowIfEnded();
}

void Win32Toolkit::FormUnloaded(Form& form) {
    pendingFocus_.erase(&form);
    if (FormWindow* window = WindowOf(form))
        window->Unloaded();
    Collect();
}

void Win32Toolkit::Collect() {
    if (handlers_ > 0)
        return;
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [](const std::unique_ptr<FormWindow>& w) {
                                      return w->ModelForm() == nullptr;
                                  }),
                   windows_.end());
}

bool Win32Toolkit::AnyShown() const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [](const auto& w) { return w->ModelForm() != nullptr; });
}

void Win32Toolkit::ThrowIfEnded() const {
    if (ended_)
        throw *ended_;
}

void Win32Toolkit::PumpOne() {
    MSG msg{};
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        // Someone asked the thread to quit: the program ends as End would end it.
        ended_ = ProgramEnd{got == 0 ? static_cast<int>(msg.wParam) : 1};
        return;
    }
    ProcessMessage(msg);
    Collect();
}

void Win32Toolkit::ProcessMessage(MSG& msg) {
    HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    FormWindow* window = nullptr;
    for (const auto& w : windows_) {
        if (root != nullptr && w->Handle() == root && w->ModelForm() != nullptr)
            window = w.get();
    }
    if (window != nullptr) {
        if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && window->PreviewKey(msg))
            return;
        if (window->Handle() != nullptr && IsDialogMessageW(window->Handle(), &msg)) {
            return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Toolkit::Run() {
    ThrowIfEnded();
    while (!ended_ && AnyShown())
        PumpOne();
    ThrowIfEnded();
}

int Win32Toolkit::MsgBox(const std::string& prompt, int style, const std::string& title) {
    HWND owner = DialogOwner();
    // The classic icon values are Windows' own: 16 MB_ICONHAND, 48 MB_ICONEXCLAMATION, ...
    UINT flags = MB_OK | static_cast<UINT>(style & 0x70);
    if (owner == nullptr)
        flags |= MB_TASKMODAL | MB_SETFOREGROUND;
    const std::string shownTitle = title.empty() ? AppTitle() : title;
    if (MessageBoxW(owner, Widen(prompt).c_str(), Widen(shownTitle).c_str(), flags) == 0 && report)
        report(shownTitle + ": " + prompt);  // no box could be shown: the user is told all the same
    return vbOK;
}

void Win32Toolkit::DoEvents() {
    MSG msg{};
    while (!ended_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ended_ = ProgramEnd{static_cast<int>(msg.wParam)};
            break;
        }
        ProcessMessage(msg);
    }
    Collect();
    ThrowIfEnded();
}

void Win32Toolkit::SetFocus(Control& control) {
    if (FormWindow* window = WindowOf(control.Parent()))
        window->FocusControl(control);
    else
        pendingFocus_[&control.Parent()] = &control;
}

std::shared_ptr<const Picture> Win32Toolkit::LoadPicture(const std::string& path) {
    const std::wstring file = Widen(path);
    if (!WholeBitmapFile(file))
        return nullptr;
    auto* bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 ||
        info.bmHeight == 0) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        return nullptr;
    }
    HBITMAP& kept = bitmaps_[path];
    if (kept != nullptr)
        DeleteObject(kept);
    kept = bitmap;
    return std::make_shared<Picture>(path, info.bmWidth, std::abs(info.bmHeight));
}

HBITMAP Win32Toolkit::BitmapOf(const Picture& picture) {
    auto found = bitmaps_.find(picture.Path());
    if (found != bitmaps_.end())
        return found->second;
    // A picture loaded before this toolkit was the platform's: read again.
    return LoadPicture(picture.Path()) != nullptr ? bitmaps_[picture.Path()] : nullptr;
}

bool Win32Toolkit::ActivateWindow(const std::string& caption) {
    const std::wstring title = Widen(caption);
    for (const auto& window : windows_) {
        HWND hwnd = window->Handle();
        if (window->ModelForm() == nullptr || hwnd == nullptr || !IsWindowVisible(hwnd))
            continue;
        std::wstring shown(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
        shown.resize(static_cast<size_t>(GetWindowTextW(hwnd, shown.data(), int(shown.size()))));
        if (shown != title)
            continue;
        if (IsIconic(hwnd))
            ShowWindow(hwnd, SW_RESTORE);
        SetForegroundWindow(hwnd);
        return true;
    }
    return false;
}

void Win32Toolkit::CallModel(const std::function<void()>& call) {
    ++handlers_;
    try {
        call();
    } catch (const ProgramEnd& end) {
        // Exceptions must not cross the system's window procedures: each loop stops and its
        // caller throws.
        ended_ = end;
    } catch (...) {
        CaptureCurrentException(0);
        const ErrorRecord record = Err();
        ClearErr();
        if (onUntrappedError) {
            onUntrappedError(record);
        } else {
            MsgBox(
                "Run-time error '" + std::to_string(record.Number) + "':\n\n" + record.Description,
                vbCritical, AppTitle());
        }
    }
    --handlers_;
}

}  // namespace zelwiz::win32
