#include "environment/mCustom.h"

#include <gtest/gtest.h>

#include "FolderSeparator.h"
#include "environment/modMultiUser.h"
#include "support/ScopedTestPlatform.h"

namespace zelwiz {
namespace {

using namespace std::string_literals;

const std::string kInstall = "Software\\Korvane\\7316\\Install";

TEST(ProductNames, NamesComeFromTheMachineUnlessBlank) {
    ScopedTestPlatform p;
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "7316ShortName", " Zeta ");
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "ProName", "   ");
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "7316Name", "Acme Phone");
    ReadProductNames();
    EXPECT_EQ(g7316ShortName, "Zeta");
    EXPECT_EQ(gProName, "Pro") << "blanks keep the default";
    EXPECT_EQ(g7316ExtName, "");
    EXPECT_EQ(DataPath(), p.shell.appDataFolder + kFolderSeparator + "Acme Phone")
        << "the full name names it";

    p.registry.DeleteKey(HKEY_LOCAL_MACHINE, kInstall);
    ReadProductNames();
    EXPECT_EQ(g7316ShortName, "Parlova") << "every name starts from its default";
    EXPECT_EQ(g7316Name, "Korvane Parlova");
}

TEST(ProductProfile, TheUsersValueOrTheMachinesCopiedToTheUser) {
    const struct {
        const char* user;     // nullptr: not set
        const char* machine;  // nullptr: not set
        std::int32_t expected;
        const char* userAfter;
    } cases[] = {
        {"1", "2", 1, "1"},   {" 2", "0", 2, " 2"},  // as the wizard's page stores it
        {"3", "0", 0, "0"},                          // the Operator is not accepted
        {"abc", "1", 1, "1"}, {nullptr, nullptr, -1, "-1"}, {nullptr, "2", 2, "2"},
    };
    for (const auto& c : cases) {
        ScopedTestPlatform p;
        if (c.user)
            p.SetText(HKEY_CURRENT_USER, kInstall, "ProductProfil", c.user);
        if (c.machine)
            p.SetText(HKEY_LOCAL_MACHINE, kInstall, "ProductProfil", c.machine);
        EXPECT_EQ(GetProductProfile(), c.expected) << (c.user ? c.user : "(none)");
        EXPECT_EQ(p.Raw(HKEY_CURRENT_USER, kInstall, "ProductProfil"), c.userAfter + "\0"s);
    }
}

}  // namespace
}  // namespace zelwiz
