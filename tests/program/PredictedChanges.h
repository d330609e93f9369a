#pragma once
// What `zelwiz-admin check --json` predicts, carried out on registry trees, so that a test can
// compare it with what a real start then left; shared by the tests of both builds.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/RegistryTree.h"

namespace zelwiz::test {

// Carries out one predicted change on the trees of both hives (each the hive's root).
void ApplyPredictedChange(const nlohmann::json& change, RegNode* machine, RegNode* user);

// The log lines without their time stamp; a start without a display adds lines of its own about
// the windows it could not show (`messages` of the prediction), which a desk with a screen does
// not write.
std::vector<std::string> LogWithoutTime(const std::vector<std::string>& lines,
                                        const nlohmann::json& messages);

// The tree with the values of each key in name order: the Windows registry keeps its own order.
RegNode SortedValues(RegNode node);

}  // namespace zelwiz::test
