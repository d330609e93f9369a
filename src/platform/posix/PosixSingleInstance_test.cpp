#include "platform/posix/PosixSingleInstance.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

namespace zelwiz {
namespace {

namespace fs = std::filesystem;
constexpr uid_t kNobody = 65534;

class SessionFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/zelwiz-instance-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        folder = tmpl;
    }
    void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }
    std::string folder;
};

TEST_F(SessionFolder, SecondCopyIsToldAndItsRequestReachesTheFirstCopy) {
    PosixSingleInstance first(folder, "/srv/registry");
    ASSERT_FALSE(first.PrevInstance());
    std::string asked;
    first.Serve([&](const std::string& caption) {
        asked = caption;
        return caption == "Parlova Configuration Wizard";
    });

    PosixSingleInstance second(folder, "/srv/registry");
    EXPECT_TRUE(second.PrevInstance());
    EXPECT_TRUE(second.ActivateWindow("Parlova Configuration Wizard"));
    EXPECT_EQ(asked, "Parlova Configuration Wizard");
    EXPECT_FALSE(second.ActivateWindow("Parlova")) << "only the exact caption";

    PosixSingleInstance other(folder, "/srv/another-installation");
    EXPECT_FALSE(other.PrevInstance()) << "installations side by side are separate";
}

TEST_F(SessionFolder, TheLockGoesWithTheFirstCopyAndALongFolderStillWorks) {
    {
        PosixSingleInstance first(folder, "");
        ASSERT_FALSE(first.PrevInstance());
    }
    PosixSingleInstance again(folder, "");
    EXPECT_FALSE(again.PrevInstance()) << "the first copy ended";

    const std::string deep = folder + "/" + std::string(120, 'd');
    ASSERT_EQ(::mkdir(deep.c_str(), 0700), 0);
    PosixSingleInstance first(deep, "");
    ASSERT_FALSE(first.PrevInstance());
    first.Serve([](const std::string&) { return true; });
    PosixSingleInstance second(deep, "");
    EXPECT_TRUE(second.PrevInstance());
    EXPECT_TRUE(second.ActivateWindow("x"));
    PosixSingleInstance silent(folder, "nobody serves");
    EXPECT_FALSE(silent.ActivateWindow("x")) << "no running copy answers";
}

TEST_F(SessionFolder, AFolderThatIsNotTheUsersOwnIsLeftAloneAndTheCopyRunsAlone) {
    struct Case {
        const char* what;
        std::function<std::string()> make;  // answers the runtime folder to use
    };
    const Case cases[] = {
        {"open to other users",
         [&] {
             fs::create_directory(folder + "/open");
             ::chmod((folder + "/open").c_str(), 0777);
             return folder + "/open";
         }},
        {"a link to the user's own folder",
         [&] {
             fs::create_directory(folder + "/own");
             ::chmod((folder + "/own").c_str(), 0700);
             fs::create_directory_symlink(folder + "/own", folder + "/link");
             return folder + "/link/";
         }},
        {"another user's",
         [&] {
             fs::create_directory(folder + "/theirs");
             ::chmod((folder + "/theirs").c_str(), 0700);
             if (::geteuid() == 0 && ::chown((folder + "/theirs").c_str(), kNobody, kNobody) != 0)
                 ADD_FAILURE() << "chown";
             return folder + "/theirs";
         }},
    };
    for (const auto& c : cases) {
        if (std::string(c.what) == "another user's" && ::geteuid() != 0)
            continue;  // only root can give a folder away
        const std::string runtime = c.make();
        PosixSingleInstance first(runtime, "");
        EXPECT_FALSE(first.PrevInstance()) << c.what;
        first.Serve([](const std::string&) { return true; });
        PosixSingleInstance second(runtime, "");
        EXPECT_FALSE(second.PrevInstance()) << c.what << ": each copy runs alone";
        EXPECT_NE(first.FolderProblem().find("runs alone"), std::string::npos) << c.what;
        EXPECT_TRUE(fs::is_empty(fs::canonical(runtime))) << c.what << ": nothing made there";
    }
    EXPECT_EQ(PosixSingleInstance(folder, "").FolderProblem(), "") << "the user's own folder";
}

TEST_F(SessionFolder, AnotherUsersRequestOnTheAbstractSocketIsNotAnswered) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "running a process as another user needs root";
    const std::string deep = folder + "/" + std::string(120, 'd');  // too long for a socket path
    ASSERT_EQ(::mkdir(deep.c_str(), 0700), 0);
    PosixSingleInstance first(deep, "");
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
