#include "environment/mCustom.h"

#include <gtest/gtest.h>

#include "FolderSeparator.h"
#include "environment/modMultiUser.h"
#include "support/ScopedTestPlatform.h"

namespace zelwiz {
namespace {

const std::string kInstall = "Software\\Korvane\\7316\\Install";

class ProductNamesTest : public ::testing::Test {
  protected:
    ScopedTestPlatform p;
};

TEST_F(ProductNamesTest, NamesComeFromTheMachineUnlessBlank) {
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "7316ShortName", " Zeta ");
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "ProName", "   ");
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "TeamName", "Group");
    p.SetText(HKEY_LOCAL_MACHINE, kInstall, "7316Name", "Acme Phone");
    ReadProductNames();
    EXPECT_EQ(g7316ShortName, "Zeta");
    EXPECT_EQ(gProName, "Pro") << "blanks keep the default";
    EXPECT_EQ(gTeamName, "Group");
    EXPECT_EQ(gBasicName, "Basic");
    EXPECT_EQ(g7316ExtName, "");
    EXPECT_EQ(DataPath(), p.shell.appDataFolder + kFolderSeparator + "Acme Phone")
        << "the full name names it";

    p.registry.DeleteKey(HKEY_LOCAL_MACHINE, kInstall);
    ReadProductNames();
    EXPECT_EQ(g7316ShortName, "Parlova") << "every name starts from its default";
    EXPECT_EQ(gTeamName, "Team");
    EXPECT_EQ(g7316Name, "Korvane Parlova");
}

struct ProfileCase {
    const char* name;
    const char* user;     // nullptr: not set
    const char* machine;  // nullptr: not set
    std::int32_t expected;
    const char* userAfter;  // nullptr: removed
};

class ProductProfile : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(ProductProfile, TheUsersValueOrTheMachinesCopiedToTheUser) {
    const ProfileCase& c = GetParam();
    ScopedTestPlatform p;
    if (c.user)
        p.SetText(HKEY_CURRENT_USER, kInstall, "ProductProfil", c.user);
    if (c.machine)
        p.SetText(HKEY_LOCAL_MACHINE, kInstall, "ProductProfil", c.machine);
    EXPECT_EQ(GetProductProfile(), c.expected);
    const auto after = p.Raw(HKEY_CURRENT_USER, kInstall, "ProductProfil");
    if (c.userAfter) {
        EXPECT_EQ(after, std::string(c.userAfter) + '\0');
    } else {
        EXPECT_FALSE(after.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    mCustom, ProductProfile,
    ::testing::Values(ProfileCase{"UserPro", "1", "2", 1, "1"},
                      ProfileCase{"UserTeamFromWizardPage", " 2", "0", 2, " 2"},
                      ProfileCase{"UserOperatorNotAccepted", "3", "0", 0, "0"},
                      ProfileCase{"UserNotANumber", "abc", "1", 1, "1"},
                      ProfileCase{"NothingAnywhere", nullptr, nullptr, -1, "-1"},
                      ProfileCase{"OnlyMachine", nullptr, "2", 2, "2"}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace zelwiz
