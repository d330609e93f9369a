#include "platform/win32/Win32SingleInstance.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <windows.h>

namespace zelwiz {
namespace {

TEST(Win32SingleInstanceTest, ALaterCopyOfTheSessionFindsTheFirstUntilItEnds) {
    const std::string name = "zelWiz test " + std::to_string(GetCurrentProcessId());
    auto first = std::make_unique<Win32SingleInstance>(name);
    EXPECT_FALSE(first->PrevInstance());
    {
        Win32SingleInstance second(name);
        EXPECT_TRUE(second.PrevInstance());
        EXPECT_FALSE(second.ActivateWindow("no window has this caption 7316"));
    }
    first.reset();
    EXPECT_FALSE(Win32SingleInstance(name).PrevInstance()) << "the first copy has ended";
}

}  // namespace
}  // namespace zelwiz
