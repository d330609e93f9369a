#include "telephony/frmEditSettings.h"

#include "environment/Translation.h"
#include "environment/localize.h"
#include "platform/ComponentCatalog.h"

namespace zelwiz {

bool bVoipSelection = true;

frmEditSettings::frmEditSettings() : Form("frmEditSettings") {
    lbIPAddsMsg = &Add<Label>("lbIPAddsMsg");
    lstIPAdds = &Add<ListView>("lstIPAdds");
    cmdOk = &Add<CommandButton>("cmdOk");
    cmdCancel = &Add<CommandButton>("cmdCancel");
    cmdOk->OnClick = [this] { cmdOk_Click(); };
    cmdCancel->OnClick = [this] { cmdCancel_Click(); };
    SetDesignTimeProperties();
}

frmEditSettings& frmEditSettings::Instance() {
    static frmEditSettings instance;
    return instance;
}

frmEditSettings& frmEditSettings::Default() {
    frmEditSettings& instance = Instance();
    instance.Load();
    return instance;
}

// A window loads with its design-time properties: an earlier use leaves nothing behind.
void frmEditSettings::SetDesignTimeProperties() {
    SetCaption("");
    lbIPAddsMsg->SetCaption("");
    lstIPAdds->Clear();
    cmdOk->SetCaption("#01043#&OK");
    cmdOk->SetEnabled(true);
    cmdCancel->SetCaption("#01014#&Cancel");
}

void frmEditSettings::Form_Load() {
    SetDesignTimeProperties();
    SetFormCharset(*this);
    bUnload = false;
    sSelectedIPAdd.clear();
    if (auto& translator = gTextTranslator())
        CheckHr(translator->TranslateForm(*this));
    SetCaption(Translate(bVoipSelection ? "#01036#VoIP board selection" : "#01047#PBX selection"));
}

void frmEditSettings::ShowModal() {
    const bool hasItems = !lstIPAdds->Items().empty();
    if (hasItems && lstIPAdds->SelectedIndex() < 0)
        lstIPAdds->SetSelectedIndex(0);
    cmdOk->SetEnabled(hasItems);
    Show(true);
}

void frmEditSettings::cmdOk_Click() {
    sSelectedIPAdd = lstIPAdds->SelectedText();
    Unload();
}

void frmEditSettings::cmdCancel_Click() {
    bUnload = true;
    Unload();
}

}  // namespace zelwiz
