// The Win32 GUI tests: GoogleTest in a process that is aware of each monitor's DPI, as the
// program is through its manifest.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
