#pragma once
// The hourglass pointer on a form for as long as the guard lives; the default pointer comes back
// on every way out, a raised error included.

#include "platform/Form.h"

namespace zelwiz {

class Hourglass {
  public:
    explicit Hourglass(Form& form, bool show = true) : form_(show ? &form : nullptr) {
        if (form_ != nullptr)
            form_->SetMousePointer(vbHourglass);
    }
    ~Hourglass() { Restore(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

    // The default pointer now; the guard then has nothing left to do.
    void Restore() {
        if (form_ != nullptr)
            form_->SetMousePointer(vbDefault);
        form_ = nullptr;
    }

  private:
    Form* form_;
};

}  // namespace zelwiz
