#include "platform/win32/Win32SingleInstance.h"

#include "platform/win32/Utf16.h"

#include <windows.h>

namespace zelwiz {

Win32SingleInstance::Win32SingleInstance(const std::string& name) {
    mutex_ = CreateMutexW(nullptr, FALSE, Wide("Local\\" + name).c_str());
    previous_ = mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

Win32SingleInstance::~Win32SingleInstance() {
    if (mutex_ != nullptr)
        CloseHandle(mutex_);
}

bool Win32SingleInstance::PrevInstance() {
    return previous_;
}

bool Win32SingleInstance::ActivateWindow(const std::string& caption) {
    const HWND window = FindWindowW(nullptr, Wide(caption).c_str());
    if (window == nullptr)
        return false;
    SetForegroundWindow(window);
    return true;
}

}  // namespace zelwiz
