#pragma once
// frmEditSettings: the small modal dialog in which the user picks one address out of those a
// detection found (PBX addresses or VoIP board addresses). The detection fills its message and
// list, shows it, then asks whether it was cancelled and which address was chosen; both answers
// survive the unloading of the window.

#include <string>

#include "platform/Form.h"

namespace zelwiz {

// Which title the dialog takes when it loads: true "VoIP board selection", false "PBX selection".
// The wizard form's load sets it true; the PBX detection sets it false around its use.
extern bool bVoipSelection;

class frmEditSettings : public Form {
  public:
    frmEditSettings();

    // The default instance, loaded on first access after each unload (Form_Load runs then), as
    // the classic default form instance: set bVoipSelection before calling it.
    static frmEditSettings& Default();
    // The same instance without loading it: its own members answer after it unloaded.
    static frmEditSettings& Instance();

    Label* lbIPAddsMsg;   // the instruction text, set by the caller
    ListView* lstIPAdds;  // one item per address
    CommandButton* cmdOk;
    CommandButton* cmdCancel;

    // Shows the dialog modally with the first address selected, so that OK always has one.
    void ShowModal();

    // The dialog was closed with Cancel.
    bool bIsUnload() const { return bUnload; }
    // The address selected when OK was pressed; empty when the dialog closed any other way.
    std::string GetSelectedIPAdd() const { return sSelectedIPAdd; }

    void cmdOk_Click();
    void cmdCancel_Click();

  protected:
    void Form_Load() override;

  private:
    void SetDesignTimeProperties();

    bool bUnload = false;
    std::string sSelectedIPAdd;
};

}  // namespace zelwiz
