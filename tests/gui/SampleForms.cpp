#include "SampleForms.h"

#include <algorithm>

namespace zelwiz::testing {

SampleSelection::SampleSelection() : Form("frmEditSettings") {
    lbIPAddsMsg = &Add<Label>("lbIPAddsMsg");
    lstIPAdds = &Add<ListView>("lstIPAdds");
    cmdOk = &Add<CommandButton>("cmdOk");
    cmdCancel = &Add<CommandButton>("cmdCancel");
    cmdOk->SetCaption("&OK");
    cmdCancel->SetCaption("&Cancel");
    cmdOk->OnClick = [this] {
        sSelectedIPAdd = lstIPAdds->SelectedText();
        Unload();
    };
    cmdCancel->OnClick = [this] {
        bUnload = true;
        Unload();
    };
}

void SampleSelection::Form_Load() {
    for (const auto& control : Controls()) {
        if (control->HasFont())
            control->SetFontCharset(238);
    }
    bUnload = false;
    sSelectedIPAdd.clear();
    SetCaption("PBX selection");
}

}  // namespace zelwiz::testing
