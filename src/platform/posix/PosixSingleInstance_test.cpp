#include "platform/posix/PosixSingleInstance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <string>

#include "support/TempFolder.h"

namespace zelwiz {
namespace {

namespace fs = std::filesystem;
constexpr uid_t kNobody = 65534;

// The user's own runtime folder, and folders made in it.
class SessionFolder : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(::chmod(folder.c_str(), 0700), 0); }
    std::string Sub(const std::string& name, mode_t mode) {
        const std::string path = folder + "/" + name;
        EXPECT_EQ(::mkdir(path.c_str(), mode), 0) << path;
        EXPECT_EQ(::chmod(path.c_str(), mode), 0) << path;  // whatever the umask
        return path;
    }

    test::TempFolder temp;
    std::string folder = temp.path().string();
};

TEST_F(SessionFolder, SecondCopyIsToldAndItsRequestReachesTheFirstCopy) {
    {
        PosixSingleInstance ended(folder, "/srv/registry");
        ASSERT_FALSE(ended.PrevInstance());
    }
    // A folder too long for a socket path takes the abstract namespace.
    for (const std::string& runtime : {folder, Sub(std::string(120, 'd'), 0700)}) {
        std::string asked;
        PosixSingleInstance first(runtime, "/srv/registry");
        ASSERT_FALSE(first.PrevInstance()) << "the lock goes with the copy that held it";
        first.Serve([&](const std::string& caption) {
            asked = caption;
            return caption == "Parlova Configuration Wizard";
        });
        PosixSingleInstance second(runtime, "/srv/registry");
        EXPECT_TRUE(second.PrevInstance());
        EXPECT_TRUE(second.ActivateWindow("Parlova Configuration Wizard"));
        EXPECT_EQ(asked, "Parlova Configuration Wizard");
        EXPECT_FALSE(second.ActivateWindow("Parlova")) << "only the exact caption";
        EXPECT_FALSE(PosixSingleInstance(runtime, "/srv/another-installation").PrevInstance())
            << "installations side by side are separate";
    }
    EXPECT_FALSE(PosixSingleInstance(folder, "nobody serves").ActivateWindow("x"))
        << "no running copy answers";
}

TEST_F(SessionFolder, AFolderThatIsNotTheUsersOwnIsLeftAloneAndTheCopyRunsAlone) {
    fs::create_directory_symlink(Sub("own", 0700), folder + "/link");
    std::vector<std::string> cases = {Sub("open", 0777), folder + "/link/"};
    if (::geteuid() == 0) {  // only root can give a folder away
        cases.push_back(Sub("theirs", 0700));
        EXPECT_EQ(::chown(cases.back().c_str(), kNobody, kNobody), 0);
    }
    for (const std::string& runtime : cases) {
        PosixSingleInstance first(runtime, "");
        EXPECT_FALSE(first.PrevInstance()) << runtime;
        first.Serve([](const std::string&) { return true; });
        PosixSingleInstance second(runtime, "");
        EXPECT_FALSE(second.PrevInstance()) << runtime << ": each copy runs alone";
        EXPECT_NE(first.FolderProblem().find("runs alone"), std::string::npos) << runtime;
        EXPECT_TRUE(fs::is_empty(fs::canonical(runtime))) << runtime << ": nothing made there";
    }
    EXPECT_EQ(PosixSingleInstance(folder, "").FolderProblem(), "") << "the user's own folder";
}

TEST_F(SessionFolder, AnotherUsersRequestOnTheAbstractSocketIsNotAnswered) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "running a process as another user needs root";
    PosixSingleInstance first(Sub(std::string(120, 'd'), 0700), "");
    ASSERT_FALSE(first.PrevInstance());
    std::atomic<int> asked{0};
    first.Serve([&](const std::string&) {
        ++asked;
        return true;
    });
    const std::string name = first.SocketName();
    ASSERT_EQ(name[0], '\0') << "the abstract namespace, which any user can reach";
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, name.data(), name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());

    // The other user's process asks as a later copy would; it exits 0 when it got no answer.
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(2);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&addr), length) != 0)
            ::_exit(3);
        // The running copy may hang up before the request is even sent.
        (void)::send(fd, "Parlova Configuration Wizard\n", 29, MSG_NOSIGNAL);
        char answer = 0;
        ::_exit(::read(fd, &answer, 1) == 1 ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(asked, 0);
}

}  // namespace
}  // namespace zelwiz
