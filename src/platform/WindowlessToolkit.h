#pragma once
// The toolkit of a program that cannot show windows (a build without a front end of its own):
// everything that shows no window works as without a display; a message box becomes a report
// (the program prints it and writes it to the error log), and a window that must be shown is
// reported and ends the program with exit code 2, nothing saved.

#include <functional>
#include <string>

#include "platform/HeadlessToolkit.h"

namespace zelwiz {

class WindowlessToolkit : public HeadlessToolkit {
  public:
    // `why` completes "cannot show the <title> window: ..."; `report` tells the user.
    WindowlessToolkit(std::string why, std::function<void(const std::string& text)> report)
        : why_(std::move(why)), report_(std::move(report)) {}

    void ShowForm(Form& form, bool modal) override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;

  private:
    std::string why_;
    std::function<void(const std::string&)> report_;
};

}  // namespace zelwiz
