// The registry contract against the file store.
#include <filesystem>

#include "platform/posix/FileRegistry.h"
#include "support/RegistryContract.h"
#include "support/TempFolder.h"

namespace zelwiz {
namespace {

// Each test gets a folder of its own; the stores it makes share the files, as processes do.
std::unique_ptr<Registry> MakeFile(bool readOnlyMachine) {
    static std::unique_ptr<test::TempFolder> folder;
    static std::string owner;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test = std::string(info->test_suite_name()) + "." + info->name();
    if (folder == nullptr || owner != test) {
        folder = std::make_unique<test::TempFolder>();
        owner = test;
    }
    std::string machine = *folder / "HKEY_LOCAL_MACHINE.reg";
    if (readOnlyMachine && std::filesystem::exists(machine)) {
        using std::filesystem::perms;
        std::filesystem::permissions(machine,
                                     perms::owner_read | perms::group_read | perms::others_read);
    }
    // The option stands in for the file's permissions where they do not bind (tests run as root).
    return std::make_unique<FileRegistry>(
        machine, *folder / "HKEY_CURRENT_USER.reg",
        FileRegistry::Options{.machineReadOnly = readOnlyMachine});
}

INSTANTIATE_TEST_SUITE_P(FileStore, RegistryContract,
                         ::testing::Values(RegistryFactory{"File", MakeFile, true}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace zelwiz
