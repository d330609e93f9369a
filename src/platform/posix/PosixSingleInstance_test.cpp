#include "platform/posix/PosixSingleInstance.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <string>

namespace zelwiz {
namespace {

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

}  // namespace
}  // namespace zelwiz
