#pragma once
// Runs the real zelwiz program from a program folder of its own, with its registry, data and
// runtime folders in a temporary folder, and reads back what it left: the hive files, the error
// log, what it printed and how it ended.

#include <sys/types.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryTree.h"
#include "support/TempFolder.h"

namespace zelwiz::test {

// The machine hive as the product's installation leaves it: the wizard in the installation kind
// `ccc`, and the TAPI provider unless `provider` is false.
std::string InstalledMachine(const std::string& ccc = "ThirdCSTALAN", bool provider = true);
// A user hive holding these lines of .reg values in the product's "Install" key.
std::string UserInstall(const std::string& values);
// A complete confdirect.ini, as an administrator writes it (blanks around the switch's name).
inline constexpr const char* kFullIni =
    "[ADDRESS]\r\nHostname= pbx-lyon \r\nvoipname=10.0.0.20\r\ncentralname=log1\r\n"
    "[PARLOVA]\r\nProfil=pro\r\nEdn=7000\r\n";

// Asks `done` every few milliseconds until it answers true, for `seconds` at most.
bool Eventually(const std::function<bool()>& done, int seconds = 10);
// The bytes of a file; empty when it cannot be read.
std::string ReadAll(const std::string& path);

struct RunResult {
    int exitCode = -1;  // -1: killed after the time bound
    std::string out;
    std::string err;
};

class ProgramFolder {
  public:
    // The program beside its main application (a recording tool), on a machine whose hive is
    // `machine` (none when empty).
    explicit ProgramFolder(const std::string& machine = InstalledMachine());

    std::string ProgramDir() const { return root_ / "program"; }
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

    // Starts the program (or another program of the build, zelwiz-admin, from where it is) in
    // the background; `display` gives it an offscreen display. Wait ends it after 30 seconds.
    pid_t Start(const std::vector<std::string>& args, bool display = false,
                const std::string& binary = {});
    RunResult Wait(pid_t pid);
    RunResult Run(const std::vector<std::string>& args, bool display = false,
                  const std::string& binary = {}) {
        return Wait(Start(args, display, binary));
    }

    std::string HiveText(HKEY hive) const;
    // The hive file read back, with the "Software" key every hive holds.
    RegNode Hive(HKEY hive) const;
    std::optional<RegNode> Key(HKEY hive, const std::string& keyPath) const;
    // The text of a value (without the NUL the store keeps); nullopt when absent.
    std::optional<std::string> Value(HKEY hive, const std::string& keyPath,
                                     const std::string& name) const;
    // The lines of the user's error log, and how many hold `text`.
    std::vector<std::string> LogLines() const;
    size_t LogLinesWith(const std::string& text) const;

  private:
    std::string HivePath(HKEY hive) const;

    TempFolder root_;
    bool asNobody_ = false;
    std::map<pid_t, std::string> outputOf_;
};

}  // namespace zelwiz::test
