// The copy-on-write layer and the change list together: what a run does over the layer never
// reaches the registry below, and the list of its changes, carried out below, gives the same keys.
#include <gtest/gtest.h>

#include "admin/ChangeList.h"
#include "admin/KeyTree.h"
#include "platform/OverlayRegistry.h"
#include "platform/TreeRegistry.h"

namespace zelwiz {
namespace {

HKEY Create(Registry& reg, const std::string& path) {
    HKEY key = 0;
    EXPECT_EQ(reg.CreateKey(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    return key;
}

TEST(ChangeList, LayerKeepsItsChangesAndTheirListReplaysThemBelow) {
    MemoryRegistry below;
    HKEY a = Create(below, "Software\\Korvane\\A");
    below.SetString(a, "x", "1");
    below.SetString(a, "y", "2");
    below.SetDword(a, "n", 7);
    below.CloseKey(a);
    HKEY b = Create(below, "Software\\Korvane\\A\\B");
    below.SetString(b, "z", "3");
    below.CloseKey(b);
    below.CloseKey(Create(below, "Software\\Korvane\\C"));
    const RegNode untouched = below.Hive(HKEY_CURRENT_USER);

    OverlayRegistry layer(below);
    a = Create(layer, "Software\\Korvane\\A");
    EXPECT_EQ(layer.SetString(a, "x", "9"), ERROR_SUCCESS);
    EXPECT_EQ(layer.DeleteValue(a, "y"), ERROR_SUCCESS);
    EXPECT_EQ(layer.DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane\\A\\B"), ERROR_SUCCESS);
    EXPECT_EQ(layer.DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane\\A\\B"), ERROR_FILE_NOT_FOUND);
    b = Create(layer, "Software\\Korvane\\A\\B");  // made again: what it held below stays gone
    DWORD size = 0;
    EXPECT_EQ(layer.QueryValue(b, "z", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(layer.QueryValue(a, "n", nullptr, nullptr, &size), ERROR_SUCCESS) << "read below";
    layer.CloseKey(b);
    layer.CloseKey(a);
    layer.CloseKey(Create(layer, "Software\\Korvane\\C\\D"));
    EXPECT_EQ(layer.DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane\\C"), ERROR_ACCESS_DENIED)
        << "it has a subkey in the layer";
    EXPECT_EQ(layer.DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane\\C\\D"), ERROR_SUCCESS);
    EXPECT_EQ(layer.DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane\\C"), ERROR_SUCCESS);
    EXPECT_EQ(below.Hive(HKEY_CURRENT_USER), untouched) << "the layer wrote below";

    const auto changes = DiffKeys(HKEY_CURRENT_USER, "", &layer.Before(HKEY_CURRENT_USER),
                                  &layer.After(HKEY_CURRENT_USER));
    std::vector<std::string> described;
    for (const RegChange& change : changes)
        described.push_back(Describe(change));
    EXPECT_EQ(described, (std::vector<std::string>{
                             "set value     Software\\Korvane\\A  \"x\" = \"9\"",
                             "delete value  Software\\Korvane\\A  \"y\"",
                             "delete value  Software\\Korvane\\A\\B  \"z\"",
                             "delete key    Software\\Korvane\\C",
                         }));
    std::string failed;
    ASSERT_EQ(ApplyChanges(below, changes, &failed), ERROR_SUCCESS) << failed;
    EXPECT_EQ(ReadKeyTree(below, HKEY_CURRENT_USER, "Software"),
              ReadKeyTree(layer, HKEY_CURRENT_USER, "Software"));
}

}  // namespace
}  // namespace zelwiz
