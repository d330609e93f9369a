// The registry contract against the Windows registry itself. Each test works in a scratch key of
// its own: the process's HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE are redirected into it
// (RegOverridePredefKey) while the test's registries live, and it is deleted at the end.
#include <memory>
#include <string>

#include "platform/win32/Win32Registry.h"
#include "support/RegistryContract.h"

#include <windows.h>

// Outside the core's namespace, where HKEY and its predefined values are the system's.
namespace {

class ScratchHives {
  public:
    ScratchHives() {
        path_ = L"Software\\zelWiz tests\\" + std::to_wstring(GetCurrentProcessId());
        RegCreateKeyExW(HKEY_CURRENT_USER, (path_ + L"\\HKCU").c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &keys_[0], nullptr);
        RegCreateKeyExW(HKEY_CURRENT_USER, (path_ + L"\\HKLM").c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &keys_[1], nullptr);
        EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, keys_[0]), ERROR_SUCCESS);
        EXPECT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, keys_[1]), ERROR_SUCCESS);
    }
    ~ScratchHives() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        for (HKEY key : keys_)
            RegCloseKey(key);
        EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()), ERROR_SUCCESS);
        // The common parent goes with the last test process that used it.
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\zelWiz tests");
    }

  private:
    std::wstring path_;
    HKEY keys_[2] = {};
};

bool RunningUnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace

namespace zelwiz {
namespace {

// A registry of the test; the scratch key lives while any of the test's registries does.
class ScratchRegistry : public Win32Registry {
  public:
    explicit ScratchRegistry(std::shared_ptr<ScratchHives> scratch)
        : scratch_(std::move(scratch)) {}

  private:
    std::shared_ptr<ScratchHives> scratch_;
};

std::unique_ptr<Registry> MakeWindows(bool readOnlyMachine) {
    // Under Wine every user is an administrator: a machine hive the user may not write cannot be
    // had here.
    if (readOnlyMachine)
        return nullptr;
    static std::weak_ptr<ScratchHives> current;
    std::shared_ptr<ScratchHives> scratch = current.lock();
    if (scratch == nullptr)
        current = scratch = std::make_shared<ScratchHives>();
    return std::make_unique<ScratchRegistry>(scratch);
}

INSTANTIATE_TEST_SUITE_P(WindowsRegistry, RegistryContract,
                         ::testing::Values(RegistryFactory{"Windows", MakeWindows, true,
                                                           RunningUnderWine()}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace zelwiz
