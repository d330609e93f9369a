#include "components/ProviderLines.h"

#include <algorithm>

#include "components/RegistryValues.h"
#include "telephony/ProviderHive.h"

namespace zelwiz {

HKEY ProviderHiveFor(const AllUsersFlag& allUsers) {
    if (!allUsers)
        return ProviderHive();
    return allUsers() ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::int32_t ProviderLines::PreferredIndex() const {
    if (preferred.empty())
        return -1;
    auto it = std::find(numbers.begin(), numbers.end(), preferred);
    return it == numbers.end() ? -1 : static_cast<std::int32_t>(it - numbers.begin());
}

std::optional<std::string> LineNumberOf(const std::string& lineName) {
    const std::string prefix = kLinePrefix;
    if (lineName.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    std::string number = lineName.substr(prefix.size());
    if (const size_t dash = number.find(" -"); dash != std::string::npos)
        number.resize(dash);
    if (number.empty())
        return std::nullopt;
    return number;
}

bool ProviderInstalled(Registry& reg) {
    return RegKeyPresent(reg, HKEY_LOCAL_MACHINE, kProviderKeyPath);
}

ProviderLines ReadProviderLines(Registry& reg, HKEY providerHive) {
    ProviderLines lines;
    if (!ProviderInstalled(reg))
        return lines;
    for (auto& name : ReadSubKeyNames(reg, providerHive, kPreferredEdnsPath)) {
        if (name != kPlaceholderLine)
            lines.numbers.push_back(std::move(name));
    }
    const std::optional<std::string> ownSets[] = {
        ReadRegText(reg, HKEY_CURRENT_USER, kWizardSettingsPath, "EdnSet"),
        ReadRegText(reg, providerHive, std::string(kProviderKeyPath) + "\\Provider", "EdnIP")};
    for (const auto& number : ownSets) {
        if (number && !number->empty() &&
            std::find(lines.numbers.begin(), lines.numbers.end(), *number) == lines.numbers.end())
            lines.numbers.push_back(*number);
    }
    if (auto text = ReadRegText(reg, HKEY_CURRENT_USER, kPreferenceKeyPath, "Preferred Line")) {
        if (auto number = LineNumberOf(*text))
            lines.preferred = *number;
    }
    return lines;
}

}  // namespace zelwiz
