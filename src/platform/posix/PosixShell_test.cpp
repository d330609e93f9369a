#include "platform/posix/PosixShell.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/ErrorInfo.h"
#include "support/TempFolder.h"

namespace zelwiz {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Sets (or, with nothing, unsets) an environment variable for the object's life.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = getenv(name))
            old_ = old;
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

unsigned ModeOf(const fs::path& p) {
    return static_cast<unsigned>(fs::status(p).permissions());
}

class PosixShellTest : public ::testing::Test {
  protected:
    PosixShell shell;
    test::TempFolder temp;
    fs::path dir = temp.path();
};

TEST_F(PosixShellTest, StartsAQuotedProgramPathWithWindowsArgumentsAndOpensOnlyItsChildren) {
    const fs::path program = dir / "Korvane Parlova" / "restprlconf4_0.exe";
    fs::create_directory(program.parent_path());
    std::ofstream(program) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done"
                              " > \"$0.args\"\nexit 7\n";
    fs::permissions(program, fs::perms::owner_all);

    const std::uint32_t pid =
        shell.StartProgram("\"" + program.string() + "\" -s \"two words\" a\\\"b");
    ASSERT_NE(pid, 0u);
    const Shell::ProcessHandle h = shell.OpenProcess(pid);
    ASSERT_NE(h, 0u);
    ASSERT_TRUE(shell.WaitForProcess(h));
    std::uint32_t code = 0;
    ASSERT_TRUE(shell.GetExitCode(h, &code));
    EXPECT_EQ(code, 7u);
    shell.CloseProcess(h);
    std::ifstream args(program.string() + ".args");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(args), {}), "-s\ntwo words\na\"b\n");

    ASSERT_NE(shell.OpenProcess(pid), 0u) << "an ended child can still be opened";
    EXPECT_EQ(shell.OpenProcess(static_cast<std::uint32_t>(getppid())), 0u);
    EXPECT_EQ(shell.OpenProcess(static_cast<std::uint32_t>(getpid())), 0u);

    // A missing program records its error.
    EXPECT_EQ(shell.StartProgram("\"" + (dir / "zelphone.exe").string() + "\""), 0u);
    try {
        Raise(kErrInvalidProcedureCall);
    } catch (const BasicError& e) {
        EXPECT_EQ(e.record().LastDllError, ENOENT);
    }
    EXPECT_EQ(shell.StartProgram(""), 0u);
}

TEST_F(PosixShellTest, SharedFoldersAreOpenToEveryoneWhateverTheUmask) {
    const mode_t old = umask(022);
    EXPECT_EQ(shell.CreateFolder((dir / "shared").string(), true), 0);
    EXPECT_EQ(shell.CreateFolder((dir / "own").string(), false), 0);
    EXPECT_EQ(shell.CreateFolder((dir / "own").string(), false), EEXIST);
    EXPECT_EQ(shell.CreateFolder((dir / "no" / "parent").string(), true), ENOENT);
    umask(old);
    EXPECT_EQ(ModeOf(dir / "shared"), 0777u);
    EXPECT_EQ(ModeOf(dir / "own"), 0755u);
    EXPECT_TRUE(shell.PathExists((dir / "own").string()));
    EXPECT_FALSE(shell.PathExists((dir / "no").string()));
}

TEST_F(PosixShellTest, AppDataFolderFollowsXdgDataHomeElseHome) {
    ScopedEnv home("HOME", (dir / "home").string());
    {
        ScopedEnv xdg("XDG_DATA_HOME", (dir / "xdg" / "data/").string());
        EXPECT_EQ(shell.AppDataFolder(false), (dir / "xdg" / "data").string());
        EXPECT_FALSE(fs::exists(dir / "xdg")) << "created only on request";
        EXPECT_EQ(shell.AppDataFolder(true), (dir / "xdg" / "data").string());
        EXPECT_TRUE(fs::is_directory(dir / "xdg" / "data"));
        EXPECT_EQ(ModeOf(dir / "xdg" / "data"), 0700u);
    }
    for (std::optional<std::string> xdg :
         {std::optional<std::string>{}, std::optional{std::string()},
          std::optional{std::string("relative/data")}}) {
        ScopedEnv unset("XDG_DATA_HOME", xdg);
        EXPECT_EQ(shell.AppDataFolder(true), (dir / "home" / ".local" / "share").string());
    }
    EXPECT_TRUE(fs::is_directory(dir / "home" / ".local" / "share"));
}

TEST_F(PosixShellTest, DebugOutputIsOneLineOnStderrOnlyWhenAskedFor) {
    for (std::optional<std::string> debug : {std::optional<std::string>{}, std::optional{"0"s}}) {
        ScopedEnv silent("ZELWIZ_DEBUG", debug);
        testing::internal::CaptureStderr();
        shell.DebugOutput("mCustomIcon.CustomizationReadImage - File not found");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << debug.value_or("unset");
    }
    ScopedEnv debug("ZELWIZ_DEBUG", "1");
    testing::internal::CaptureStderr();
    shell.DebugOutput("mLogError.LogError - Path not found\r\n");
    shell.DebugOutput("two\nparts");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "mLogError.LogError - Path not found\ntwo parts\n");
}

}  // namespace
}  // namespace zelwiz
