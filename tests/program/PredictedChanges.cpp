#include "program/PredictedChanges.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelwiz::test {

void ApplyPredictedChange(const nlohmann::json& change, RegNode* machine, RegNode* user) {
    RegNode* node = change["hive"] == "HKEY_LOCAL_MACHINE" ? machine : user;
    std::vector<std::string> levels;
    ASSERT_TRUE(SplitKeyPath(change["key"].get<std::string>(), &levels)) << change;
    const std::string op = change["op"];
    RegNode* parent = nullptr;
    for (const std::string& level : levels) {
        parent = node;
        node = op == "create-key" && &level == &levels.back() ? &node->FindOrAdd(level)
                                                              : node->Find(level);
        ASSERT_NE(node, nullptr) << "a change to a key that does not exist: " << change;
    }
    if (op == "set") {
        ASSERT_EQ(change["type"], "REG_SZ") << "the program writes texts only: " << change;
        const std::string text = change["data"];
        std::vector<std::uint8_t> data(text.begin(), text.end());
        data.push_back(0);
        node->SetValue(change["name"].get<std::string>(), REG_SZ, data);
    } else if (op == "delete-value") {
        EXPECT_TRUE(node->RemoveValue(change["name"].get<std::string>())) << change;
    } else if (op == "delete-key") {
        ASSERT_TRUE(node->subkeys.empty()) << change;
        parent->subkeys.erase(parent->subkeys.find(levels.back()));
    }
}

std::vector<std::string> LogWithoutTime(const std::vector<std::string>& lines,
                                        const nlohmann::json& messages) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        const std::string rest = line.substr(line.find('\t') + 1);
        bool shownInstead = rest.find("display") != std::string::npos;
        for (const auto& message : messages)
            shownInstead =
                shownInstead || rest.find(message.get<std::string>()) != std::string::npos;
        if (!shownInstead)
            out.push_back(rest);
    }
    return out;
}

RegNode SortedValues(RegNode node) {
    std::sort(
        node.values.begin(), node.values.end(),
        [](const RegValueData& a, const RegValueData& b) { return NameLess()(a.name, b.name); });
    for (auto& [name, child] : node.subkeys)
        *child = SortedValues(std::move(*child));
    return node;
}

}  // namespace zelwiz::test
