#include "components/frmDialingProperties.h"

#include <algorithm>

#include "components/CountryTable.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"

namespace zelwiz {
namespace {

constexpr size_t kMaxAreaCode = 8;
constexpr size_t kMaxAccessCode = 10;

bool OnlyDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits, and what a dialing string may hold besides: '*', '#' and ',' (a pause).
bool DialableText(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '*' || c == '#' || c == ',';
    });
}

}  // namespace

frmDialingProperties::frmDialingProperties() : Form("frmDialingProperties") {
    SetCaption("Dialing properties");
    lblLine = &Add<Label>("lblLine");
    lblAreaCode = &Add<Label>("lblAreaCode");
    lblAreaCode->SetCaption("&Area code:");
    txtAreaCode = &Add<TextBox>("txtAreaCode");
    lblCountry = &Add<Label>("lblCountry");
    lblCountry->SetCaption("Country/re&gion:");
    lstCountry = &Add<ListView>("lstCountry");
    lblOutsideAccess = &Add<Label>("lblOutsideAccess");
    lblOutsideAccess->SetCaption("To access an outside line for &local calls, dial:");
    txtOutsideAccess = &Add<TextBox>("txtOutsideAccess");
    lblLongDistanceAccess = &Add<Label>("lblLongDistanceAccess");
    lblLongDistanceAccess->SetCaption("To access an outside line for long-&distance calls, dial:");
    txtLongDistanceAccess = &Add<TextBox>("txtLongDistanceAccess");
    lblReadOnly = &Add<Label>("lblReadOnly");
    lblReadOnly->SetCaption(
        "Only an administrator can change the dialing properties of this computer.");
    lblReadOnly->SetVisible(false);
    cmdOk = &Add<CommandButton>("cmdOk");
    cmdOk->SetCaption("OK");
    cmdCancel = &Add<CommandButton>("cmdCancel");
    cmdCancel->SetCaption("Cancel");
    cmdOk->OnClick = [this] { cmdOk_Click(); };
    cmdCancel->OnClick = [this] { cmdCancel_Click(); };
}

void frmDialingProperties::Prepare(const DialingLocation& location, bool readOnly,
                                   const std::string& lineName) {
    location_ = location;
    readOnly_ = readOnly;
    lblLine->SetCaption(lineName.empty() ? std::string() : "Line: " + lineName);
    lblLine->SetVisible(!lineName.empty());
    txtAreaCode->SetText(location.areaCode);
    txtOutsideAccess->SetText(location.outsideAccess);
    txtLongDistanceAccess->SetText(location.longDistanceAccess);

    lstCountry->Clear();
    countryIds_.clear();
    for (const auto& c : Countries()) {
        lstCountry->AddItem(CountryDisplayName(c.id));
        countryIds_.push_back(c.id);
    }
    if (location.country != 0 && FindCountry(location.country) == nullptr) {
        // A country this list does not know stays selectable as it is.
        lstCountry->AddItem(CountryDisplayName(location.country));
        countryIds_.push_back(location.country);
    }
    SelectCountry(location.country);

    for (Control* c :
         {static_cast<Control*>(txtAreaCode), static_cast<Control*>(lstCountry),
          static_cast<Control*>(txtOutsideAccess), static_cast<Control*>(txtLongDistanceAccess)}) {
        c->SetEnabled(!readOnly);
    }
    lblReadOnly->SetVisible(readOnly);
}

bool frmDialingProperties::SelectCountry(std::uint32_t countryId) {
    auto it = std::find(countryIds_.begin(), countryIds_.end(), countryId);
    if (it == countryIds_.end())
        return false;
    lstCountry->SetSelectedIndex(static_cast<int>(it - countryIds_.begin()));
    return true;
}

DialingLocation frmDialingProperties::Entered() const {
    DialingLocation entered = location_;
    entered.areaCode = txtAreaCode->Text();
    entered.outsideAccess = txtOutsideAccess->Text();
    entered.longDistanceAccess = txtLongDistanceAccess->Text();
    const int selected = lstCountry->SelectedIndex();
    if (selected >= 0)
        entered.country = countryIds_[static_cast<size_t>(selected)];
    return entered;
}

void frmDialingProperties::Form_Load() {
    accepted_ = false;
}

std::string frmDialingProperties::CheckEntries() const {
    if (!OnlyDigits(txtAreaCode->Text()) || txtAreaCode->Text().size() > kMaxAreaCode)
        return "The area code may hold up to 8 digits and nothing else.";
    if (lstCountry->SelectedIndex() < 0)
        return "Please choose the country or region you are in.";
    if (!DialableText(txtOutsideAccess->Text()) ||
        txtOutsideAccess->Text().size() > kMaxAccessCode) {
        return "The access code for local calls may hold up to 10 digits, '*', '#' and ','.";
    }
    if (!DialableText(txtLongDistanceAccess->Text()) ||
        txtLongDistanceAccess->Text().size() > kMaxAccessCode) {
        return "The access code for long-distance calls may hold up to 10 digits, '*', '#' and "
               "','.";
    }
    return {};
}

void frmDialingProperties::cmdOk_Click() {
    if (!readOnly_) {
        const std::string problem = CheckEntries();
        if (!problem.empty()) {
            TheToolkit().MsgBox(problem, vbExclamation, Caption());
            return;
        }
        accepted_ = true;
    }
    Unload();
}

void frmDialingProperties::cmdCancel_Click() {
    accepted_ = false;
    Unload();
}

}  // namespace zelwiz
