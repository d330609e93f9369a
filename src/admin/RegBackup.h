#pragma once
// The product's keys, Software\Korvane in both hives, saved and put back whole.
//
// A backup is what regedit exports: "Windows Registry Editor Version 5.00" in UTF-16LE with a byte
// order mark and CR LF line ends, so that it imports on any Windows machine with non-ASCII values
// intact (the texts of hex(2) and hex(7) values are UTF-16LE as well, as regedit writes them).
// A restore reads that form and the store's own UTF-8 files.

#include <string>
#include <vector>

#include "admin/ChangeList.h"

namespace zelwiz {

class Registry;

// The backup file's bytes. CommandFailed when neither hive holds the product's keys, or when a
// name in them cannot stand in a .reg file.
std::string BackupProductKeys(Registry& registry);

// Puts the product's keys of each hive the file holds back as the file has them: keys and values
// the file lacks are deleted, the others set. Nothing of a hive the file does not mention changes.
// BadInput (naming the file and the line) for a damaged file or one that touches any key outside
// Software\Korvane; CommandFailed, naming the keys, when a hive to change may not be written by
// this user (machine-wide keys for a user who is not an administrator). Either way nothing
// changes. The changes are carried out and committed hive by hive; answers them.
std::vector<RegChange> RestoreProductKeys(Registry& registry, const std::string& file);

}  // namespace zelwiz
