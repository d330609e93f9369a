#pragma once
// One registry hive as a standard .reg text file, UTF-8, so that an administrator can read it,
// diff it and import it on Windows:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Korvane\7316\Install]
//   "CCC"="ThirdCSTALAN"
//   @="default value"
//   "CurrentID"=dword:00000001
//   "Blob"=hex:00,ff,10        (long lists go on over lines ending in a backslash)
//   "Path"=hex(2):25,00
//
// Texts keep their terminating NUL in the tree; a REG_SZ is written as "text" only when that
// gives back the same bytes, otherwise as hex(1).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"
#include "platform/RegistryTree.h"

namespace zelwiz {

// Keys deeper than this below the hive cannot be written or read.
inline constexpr std::size_t kMaxKeyDepth = 512;

struct RegFileError {
    int line = 0;        // 1-based
    std::string reason;  // short, e.g. expected "name"=value
};

// Reads the text of `hive`'s file into `root`, replacing what it held. Accepts LF and CRLF line
// ends, a UTF-8 byte order mark, blank lines and ';' comment lines; a file holding nothing but
// white space is an empty hive. On failure `root` is left empty and `error` says where and why.
bool ParseRegFile(std::string_view text, HKEY hive, RegNode* root, RegFileError* error);

// The text of `root`, the tree of `hive`, with LF line ends; ParseRegFile gives back an equal tree.
// Every key has its section, so keys without values survive. nullopt when the tree holds what the
// format cannot carry: a name with a line break, a NUL or invalid UTF-8, or a key deeper than
// kMaxKeyDepth.
std::optional<std::string> SerializeRegFile(const RegNode& root, HKEY hive);

}  // namespace zelwiz
