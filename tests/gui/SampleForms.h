#pragma once
// Forms of the window model made for the GUI tests: a ten-page wizard
// shaped as the program's wizard (pages fraStep, pictures imgStep, buttons cmdNav, Enter and
// Escape previewed by the form, the bar picNav, the caption-value labels of the dialing page)
// with simple linear navigation, and an address selection dialog.

#include <string>
#include <vector>

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

class SampleWizard : public Form {
  public:
    SampleWizard();

    ControlArray<Frame> fraStep;
    ControlArray<Image> imgStep;
    ControlArray<Label> lblStep;
    ControlArray<CommandButton> cmdNav;
    ControlArray<OptionButton> OptionProfile;
    TextBox* txtcstaIPadd;
    CommandButton* cmdCstaIpDetect;
    OptionButton* OptIPPhone;
    OptionButton* Optphonset;
    TextBox* txtPhonsetnumber;
    std::vector<Label*> dialingValues;  // page 8: area code, country, access codes, PBX prefix

    int iCurrentStep = 0;
    bool saved = false;
    // Picture file for page 0, read when the form loads; empty: the drawn pictures.
    std::string pictureFile;
    // Addresses that the Detect button offers in the selection dialog.
    std::vector<std::string> detected = {"10.0.0.1", "10.0.0.2", "pbx-north"};
    std::vector<std::string> events;

    void cmdNav_Click(int index);
    void SetStep(int step);

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& keyCode, int shift) override;

  private:
    void EnableNextIfFilled(TextBox& field);
};

}  // namespace zelwiz::testing
