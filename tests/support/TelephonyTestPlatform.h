#pragma once
// The wizard form on the unit tests' platform (ScopedTestPlatform: memory registry, recording
// shell, headless toolkit, the environment modules reset), for the tests of the telephony
// operations and of the save, with the component fakes in the catalog and the shared translator.
// After each test it checks that every component object made for an operation was released, that
// every registry key opened was closed, and that the selection dialog is not left loaded.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ComponentCatalog.h"
#include "support/FakeComponents.h"
#include "support/ScopedTestPlatform.h"
#include "wizard/frmWizard.h"

namespace zelwiz {

class TelephonyTest : public ::testing::Test, public ScopedTestPlatform {
  protected:
    void SetUp() override;
    void TearDown() override;

    void MakeKey(HKEY hive, const std::string& path);
    // The text of a value without its terminator, or "<missing>".
    std::string Text(HKEY hive, const std::string& path, const std::string& name);
    // The subkey names in enumeration order; empty when the key is missing.
    std::vector<std::string> SubKeys(HKEY hive, const std::string& path);
    // Every value of both hives as "HIVE\path|name=text" (an empty key as "HIVE\path"), to
    // compare whole layouts.
    std::vector<std::string> Layout();
    // The sources of the error-log lines written since the test began, in order.
    std::vector<std::string> LoggedSources();

    ComponentCatalog catalog;
    FakeComponents fakes;
    std::unique_ptr<frmWizard> wiz;
    std::vector<int> pointers;  // the wizard's mouse pointer after each change of it
};

// The usual paths.
inline constexpr const char* kProviderSubKey = "Software\\Korvane\\TSpi_CSTA\\Provider";
inline constexpr const char* kPreferredEdnsKey = "Software\\Korvane\\TSpi_CSTA\\PreferredEDNs";
inline constexpr const char* kPreferenceKey = "Software\\Korvane\\7316\\ZELDial\\Preference";
inline constexpr const char* kWizSettingsKey = "Software\\Korvane\\7316\\ZELWiz\\Settings";
inline constexpr const char* kInstallKey = "Software\\Korvane\\7316\\Install";

}  // namespace zelwiz
