#include "telephony/DialingLocation.h"

#include "platform/Conversions.h"
#include "platform/Registry.h"
#include "settings/CRegSettings.h"

namespace zelwiz {
namespace {

// Puts the company and application name back on every way out.
class KeepRegPath {
  public:
    explicit KeepRegPath(CRegSettings& reg)
        : reg_(reg), appName_(reg.AppName()), company_(reg.Company()) {}
    ~KeepRegPath() {
        reg_.AppName(appName_);
        reg_.Company(company_);
    }
    KeepRegPath(const KeepRegPath&) = delete;
    KeepRegPath& operator=(const KeepRegPath&) = delete;

  private:
    CRegSettings& reg_;
    std::string appName_;
    std::string company_;
};

}  // namespace

std::string ReadCurrentDialingLocation(CRegSettings& reg) {
    KeepRegPath keep(reg);
    reg.Company("Microsoft");
    return reg.GetSettingLongFromHKey(HKEY_LOCAL_MACHINE, "Windows",
                                      "CurrentVersion\\Telephony\\Locations", "CurrentID", "0");
}

bool NoCurrentDialingLocation(CRegSettings& reg) {
    return Val(ReadCurrentDialingLocation(reg)) == 0;
}

}  // namespace zelwiz
