#pragma once
// The "Dialing properties" window: the area code, the country and the two access codes of one
// dialing location, with OK and Cancel. OK checks the entries (a message box names the first
// one that is wrong, and the window stays open) and closes; Cancel or closing the window keeps
// nothing. Shown read-only, every field is disabled and OK only closes.

#include <cstdint>
#include <vector>

#include "components/TelephonyLocations.h"
#include "platform/Form.h"

namespace zelwiz {

class frmDialingProperties : public Form {
  public:
    frmDialingProperties();

    // Fills the window with `location`; `lineName` (may be empty) names the line it is for.
    void Prepare(const DialingLocation& location, bool readOnly, const std::string& lineName);
    // After the window closed: whether OK accepted the entries, and the location as entered.
    bool Accepted() const { return accepted_; }
    DialingLocation Entered() const;

    // Selects the country of that identifier in the list; false when it is not listed.
    bool SelectCountry(std::uint32_t countryId);

    Label* lblLine;
    Label* lblAreaCode;
    TextBox* txtAreaCode;
    Label* lblCountry;
    ListView* lstCountry;
    Label* lblOutsideAccess;
    TextBox* txtOutsideAccess;
    Label* lblLongDistanceAccess;
    TextBox* txtLongDistanceAccess;
    Label* lblReadOnly;
    CommandButton* cmdOk;
    CommandButton* cmdCancel;

  protected:
    void Form_Load() override;

  private:
    void cmdOk_Click();
    void cmdCancel_Click();
    // The text of the first entry that is not valid; empty when all are.
    std::string CheckEntries() const;

    DialingLocation location_;
    std::vector<std::uint32_t> countryIds_;  // one per list item
    bool readOnly_ = false;
    bool accepted_ = false;
};

}  // namespace zelwiz
