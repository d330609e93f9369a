#pragma once
// A key with its values and everything below it, read through the registry calls, so that it
// works the same on the file store and on the Windows registry.

#include <optional>
#include <string>

#include "platform/Registry.h"
#include "platform/RegistryTree.h"

namespace zelwiz {

// The product's keys in both hives.
inline constexpr const char* kProductKeyPath = "Software\\Korvane";

// nullopt when the key does not exist or cannot be read.
std::optional<RegNode> ReadKeyTree(Registry& registry, HKEY hive, const std::string& path);

}  // namespace zelwiz
