// zelwiz.exe on a display: a user who starts the wizard again while it is open gets the open
// wizard in front, and no second one. Runs under cmake/wine-gui-run, on a Wine desktop and a
// prefix of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kTitle[] = L"Parlova Configuration Wizard";

// A path of the build machine, as Wine shows it to Windows programs.
fs::path FromBuild(std::string path) {
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return fs::path(path);
}

void SetText(HKEY hive, const wchar_t* name, const wchar_t* text) {
    ASSERT_EQ(RegSetKeyValueW(hive, L"Software\\Korvane\\7316\\Install", name, REG_SZ, text,
                              static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

class SecondCopy : public ::testing::Test {
  protected:
    void SetUp() override {
        Clean();
        // A user who configured the wizard before: it opens at once, on the welcome page.
        SetText(HKEY_CURRENT_USER, L"IsWizConfigured", L"-1");
        SetText(HKEY_CURRENT_USER, L"SetPrlConf4-1", L"-1");
        SetText(HKEY_LOCAL_MACHINE, L"7316ShortName", L"Parlova");
        program_ = fs::temp_directory_path() / L"zelwiz second copy";
        fs::create_directories(program_);
        fs::copy_file(FromBuild(ZELWIZ_EXE), program_ / "zelwiz.exe",
                      fs::copy_options::overwrite_existing);
    }
    void TearDown() override {
        for (PROCESS_INFORMATION& copy : copies_) {
            if (WaitForSingleObject(copy.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(copy.hProcess, 1);
            CloseHandle(copy.hThread);
            CloseHandle(copy.hProcess);
        }
        std::error_code ignored;
        fs::remove_all(program_, ignored);
        Clean();
    }
    static void Clean() {
        for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeW(hive, L"Software\\Korvane");
            RegDeleteKeyW(hive, L"Software\\Korvane");
        }
    }

    HANDLE Start() {
        std::wstring line = L"\"" + (program_ / "zelwiz.exe").wstring() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   program_.c_str(), &startup, &info));
        copies_.push_back(info);
        return info.hProcess;
    }
    static DWORD ExitCodeWithin(HANDLE process, DWORD milliseconds) {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0)
            GetExitCodeProcess(process, &code);
        return code;
    }
    // The activation travels through the window system: it is waited for, a few seconds at most.
    static bool ForegroundBecomes(HWND window) {
        for (int i = 0; i < 250 && GetForegroundWindow() != window; ++i) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            Sleep(20);
        }
        return GetForegroundWindow() == window;
    }
    static HWND WaitForWizard() {
        HWND wizard = nullptr;
        for (int i = 0; i < 600 && (wizard == nullptr || !IsWindowVisible(wizard)); ++i, Sleep(100))
            wizard = FindWindowW(nullptr, kTitle);
        return wizard != nullptr && IsWindowVisible(wizard) ? wizard : nullptr;
    }

    fs::path program_;
    std::vector<PROCESS_INFORMATION> copies_;
};

TEST_F(SecondCopy, BringsTheFirstCopysWizardToTheFrontAndEnds) {
    HANDLE first = Start();
    HWND wizard = WaitForWizard();
    ASSERT_NE(wizard, nullptr) << "the first copy never showed its wizard";

    // Another program's window comes in front of the wizard.
    HWND other = CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 40, 40, 400, 300, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(ForegroundBecomes(other));

    HANDLE second = Start();
    EXPECT_EQ(ExitCodeWithin(second, 60000), 0u) << "the second copy ends at once";
    EXPECT_TRUE(ForegroundBecomes(wizard)) << "the first copy's wizard comes to the front";
    EXPECT_EQ(FindWindowExW(nullptr, wizard, nullptr, kTitle), nullptr) << "one wizard only";
    EXPECT_EQ(ExitCodeWithin(first, 0), STILL_ACTIVE);

    // Closing the wizard by its title bar ends the first copy, with nothing saved.
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeWithin(first, 60000), 0u);
    DestroyWindow(other);
}

}  // namespace
