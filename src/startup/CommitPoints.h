#pragma once
// The commit points that pass through the platform's services. Before the program waits for the
// user (a window shown, a message box, a modal dialog) and before it starts another program (which
// reads what this one wrote), the registry changes made so far are committed. The program installs
// these wrappers around its real toolkit and shell; everything else is passed on unchanged.

#include <string>
#include <utility>

#include "platform/Shell.h"
#include "platform/Toolkit.h"
#include "settings/mLibApi32.h"

namespace zelwiz {

class CommittingToolkit : public Toolkit {
  public:
    explicit CommittingToolkit(Toolkit& inner) : inner_(inner) {}

    void ShowForm(Form& form, bool modal) override {
        CommitRegistry();
        inner_.ShowForm(form, modal);
    }
    int MsgBox(const std::string& prompt, int style, const std::string& title) override {
        CommitRegistry();
        return inner_.MsgBox(prompt, style, title);
    }

    void FormUnloaded(Form& form) override { inner_.FormUnloaded(form); }
    void DoEvents() override { inner_.DoEvents(); }
    void SetFocus(Control& control) override { inner_.SetFocus(control); }
    std::shared_ptr<const Picture> LoadPicture(const std::string& path) override {
        return inner_.LoadPicture(path);
    }
    bool ActivateWindow(const std::string& caption) override {
        return inner_.ActivateWindow(caption);
    }
    const std::string& AppTitle() const override { return inner_.AppTitle(); }
    void SetAppTitle(std::string title) override { inner_.SetAppTitle(std::move(title)); }

  private:
    Toolkit& inner_;
};

class CommittingShell : public Shell {
  public:
    explicit CommittingShell(Shell& inner) : inner_(inner) {}

    std::uint32_t StartProgram(const std::string& commandLine) override {
        CommitRegistry();
        return inner_.StartProgram(commandLine);
    }

    std::string ProgramFolder() override { return inner_.ProgramFolder(); }
    std::string AppDataFolder(bool create) override { return inner_.AppDataFolder(create); }
    std::string LoginUserName() override { return inner_.LoginUserName(); }
    bool PathExists(const std::string& path) override { return inner_.PathExists(path); }
    std::int32_t CreateFolder(const std::string& path, bool everyoneFullAccess) override {
        return inner_.CreateFolder(path, everyoneFullAccess);
    }
    ProcessHandle OpenProcess(std::uint32_t processId) override {
        return inner_.OpenProcess(processId);
    }
    bool WaitForProcess(ProcessHandle process) override { return inner_.WaitForProcess(process); }
    bool GetExitCode(ProcessHandle process, std::uint32_t* code) override {
        return inner_.GetExitCode(process, code);
    }
    void CloseProcess(ProcessHandle process) override { inner_.CloseProcess(process); }
    void DebugOutput(const std::string& text) override { inner_.DebugOutput(text); }
    std::string SystemErrorText(std::int32_t code) override { return inner_.SystemErrorText(code); }
    std::string PrivateProfileString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, std::size_t bufferChars,
                                     const std::string& fileName) override {
        return inner_.PrivateProfileString(section, key, defaultValue, bufferChars, fileName);
    }

  private:
    Shell& inner_;
};

}  // namespace zelwiz
