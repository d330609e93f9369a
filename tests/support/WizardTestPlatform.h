#pragma once
// The platform of the wizard's tests: the in-memory platform of ScopedTestPlatform with a
// components catalog holding the recording fakes of the telephony components and this build's
// real text translator. A product is installed (names, version, a current dialing location) and
// the module state of the wizard and of the selection dialog is reset on both ends.
//
//   WizardTestPlatform p;
//   p.SetInstall("CCC", "ThirdCSTALAN");
//   frmWizard& w = p.LoadWizard();
//   p.Next();                       // presses Next as the user would
//   ExpectFront(w, 1, {.back = false, .next = true, .finish = false});

#include <memory>
#include <string>
#include <vector>

#include "platform/ComponentCatalog.h"
#include "support/FakeComponents.h"
#include "support/ScopedTestPlatform.h"
#include "wizard/frmWizard.h"

namespace zelwiz {

class WizardTestPlatform : public ScopedTestPlatform {
  public:
    WizardTestPlatform();
    ~WizardTestPlatform();

    // HKLM Software\Korvane\7316\Install.
    void SetInstall(const std::string& name, const std::string& value);
    // HKCU Software\Korvane\<path>.
    void SetUser(const std::string& path, const std::string& name, const std::string& value);
    // The wizard completed before ("IsWizConfigured" = "-1").
    void SetConfigured();

    // Makes the wizard form and loads it (Form_Load runs, page 0 comes up).
    frmWizard& LoadWizard();
    // The navigation buttons as the user presses them (nothing when disabled).
    void Next() { wizard->cmdNav(3).Click(); }
    void Back() { wizard->cmdNav(2).Click(); }
    void Finish() { wizard->cmdNav(4).Click(); }
    // The next modal selection dialog picks the address at `index` and presses OK.
    void AnswerSelection(int index);

    // The error log, one vector of fields per line.
    std::vector<std::vector<std::string>> Log() const { return ReadLog(DefaultLogPath()); }

    ComponentCatalog catalog;
    FakeComponents fakes;
    std::unique_ptr<frmWizard> wizard;

  private:
    static void ResetWizardModules();
};

struct NavState {
    bool back, next, finish;
};
// The page `step` is in front (Left 0, enabled, iCurrentStep), every other page is at -10000,
// and Back, Next and Finish are as given; Cancel is always enabled.
void ExpectFront(const frmWizard& w, int step, NavState buttons);

// The error log holds one line, written by the trap of `source` in the wizard's window for
// `error` that has no source of its own: "Err: Parlova.<window caption> - <source> line <n>",
// no message and no system error.
void ExpectOneLogLine(const WizardTestPlatform& p, const std::string& source,
                      const std::string& error);

}  // namespace zelwiz
