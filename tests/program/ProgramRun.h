#pragma once
// Runs the real zelwiz program from a program folder of its own, with its registry, data and
// runtime folders in a temporary folder, and reads back what it left: the hive files, the error
// log, what it printed and how it ended.

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryTree.h"
#include "support/TempFolder.h"

namespace zelwiz::test {

struct RunResult {
    int exitCode = -1;  // -1: killed after the time bound
    std::string out;
    std::string err;
};

class ProgramFolder {
  public:
    ProgramFolder();

    std::string ProgramDir() const { return root_ / "program"; }
    std::string RegistryDir() const { return root_ / "registry"; }
    std::string RuntimeDir() const { return root_ / "runtime"; }
    // A file beside the program (an INI file, a tool).
    void WriteProgramFile(const std::string& name, const std::string& text,
                          bool executable = false);
    // A stand-in for a program of the product family: a script that appends its arguments to
    // `<name>.ran` in the program folder each time it runs.
    void InstallRecordingTool(const std::string& name);
    // How many times the tool ran, and with what arguments. The program does not wait for the
    // main application it starts: `atLeast` runs are waited for, a few seconds at most.
    std::vector<std::string> ToolRuns(const std::string& name, size_t atLeast = 0) const;

    // The hive files, as an installation leaves them.
    void SeedHive(HKEY hive, const std::string& regText);
    // A user whose data folder ($XDG_DATA_HOME) does not exist yet.
    void RemoveDataFolder();
    // Makes the machine hive one the user of the next runs may not write.
    void ProtectMachineHive();

    // Variables added to the next runs' environment ("NAME=value").
    std::vector<std::string> extraEnvironment;

    // Runs the program with these arguments; `display` gives it an offscreen display.
    RunResult Run(const std::vector<std::string>& args, bool display = false, int seconds = 30);
    // Runs another program of the build (zelwiz-admin) the same way, from where it was built.
    RunResult RunTool(const std::string& binary, const std::vector<std::string>& args);
    // Starts it in the background (for a second copy); Wait ends it.
    pid_t Start(const std::vector<std::string>& args, bool display, const std::string& binary = {});
    RunResult Wait(pid_t pid, int seconds);
    // Waits until a copy started in the background answers for its user session.
    bool WaitForRunningCopy(int seconds) const;

    // The text of a value of a hive file (without the NUL the store keeps); nullopt when absent.
    std::optional<std::string> Value(HKEY hive, const std::string& keyPath,
                                     const std::string& name) const;
    bool KeyExists(HKEY hive, const std::string& keyPath) const;
    std::string HiveText(HKEY hive) const;
    // The lines of the user's error log.
    std::vector<std::string> LogLines() const;

  private:
    std::string HivePath(HKEY hive) const;
    std::vector<std::string> Environment(bool display) const;

    TempFolder root_;
    bool asNobody_ = false;
    int runs_ = 0;
    std::map<pid_t, int> runOf_;
};

}  // namespace zelwiz::test
