#pragma once
// A form of the window model made for the GUI tests: an address selection dialog.

#include <string>

#include "platform/Form.h"

namespace zelwiz::testing {

class SampleSelection : public Form {
  public:
    SampleSelection();
    Label* lbIPAddsMsg;
    ListView* lstIPAdds;
    CommandButton* cmdOk;
    CommandButton* cmdCancel;
    bool bUnload = false;
    std::string sSelectedIPAdd;

  protected:
    void Form_Load() override;
};

}  // namespace zelwiz::testing
