#pragma once
// One copy of the program per user session: whether another copy runs, and asking that copy to
// bring its window forward.

#include <string>

namespace zelwiz {

class SingleInstance {
  public:
    virtual ~SingleInstance() = default;
    // True when another copy of the program already runs in this user session.
    virtual bool PrevInstance() = 0;
    // Asks the running copy to bring its top-level window whose caption is exactly `caption` to
    // the front; false when there is no such window or the copy could not be asked.
    virtual bool ActivateWindow(const std::string& caption) = 0;
};

}  // namespace zelwiz
