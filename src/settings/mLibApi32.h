#pragma once
// The module-level registry reader and writer, for callers that hold a full key path.

#include <string>

#include "platform/Registry.h"

namespace zelwiz {

// The value as text: REG_SZ and REG_EXPAND_SZ without their terminator (references are not
// expanded), REG_DWORD as its signed decimal number; empty for any other type, for a missing key
// or value, and for a value longer than 1024 bytes.
std::string RegReadValue(HKEY hKey, const std::string& KeyPath, const std::string& ValueName);

// Creates the key when needed and sets the value as REG_SZ. An empty value is replaced by one
// blank, in the caller's variable as well, so that no empty text is ever stored. True when the
// value was set.
bool RegWriteValue(HKEY hKey, const std::string& KeyPath, const std::string& ValueName,
                   std::string& Value);

// Makes the registry changes of this process durable: RegFlushKey of both hives. The program
// commits at the end of a save, before it starts another program or waits for the user, and when
// it ends. A hive that cannot be written keeps its previous content; that is logged once, naming
// the hive's file and giving the system's reason, and printed on stderr while no window is shown.
// True when both hives were committed.
bool CommitRegistry() noexcept;

}  // namespace zelwiz
