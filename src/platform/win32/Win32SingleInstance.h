#pragma once
// One copy per session on Windows: a named mutex in the session's Local\ namespace marks the
// running copy; its window is found by its caption (FindWindowW) and brought to the front.

#include <string>

#include "platform/SingleInstance.h"

namespace zelwiz {

class Win32SingleInstance : public SingleInstance {
  public:
    // `name` names the mutex inside Local\.
    explicit Win32SingleInstance(const std::string& name);
    ~Win32SingleInstance() override;
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    bool PrevInstance() override;
    // FindWindowW on the exact caption, then SetForegroundWindow.
    bool ActivateWindow(const std::string& caption) override;

  private:
    void* mutex_ = nullptr;
    bool previous_ = false;
};

}  // namespace zelwiz
