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
//
// It also reads what regedit writes: its "Windows Registry Editor Version 5.00" export in UTF-16LE
// with a byte order mark, and "REGEDIT4" files in Windows-1252. It writes only UTF-8.

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

// How the bytes of a .reg file are written.
enum class RegFileEncoding {
    Utf8,         // this store's own files, with or without a byte order mark
    Utf16Le,      // regedit's export: UTF-16LE with a byte order mark
    Windows1252,  // "REGEDIT4" files: the Western code page of Windows
};

// Turns the bytes of a .reg file in any of those forms into the UTF-8 text ParseRegFile reads,
// without a byte order mark, and tells which form it was. A file without a byte order mark whose
// first line is "REGEDIT4" is Windows-1252; any other is UTF-8. False, with the line in `error`,
// when UTF-16 text is broken (an odd number of bytes, a lone surrogate).
bool DecodeRegFile(std::string_view bytes, std::string* text, RegFileEncoding* encoding,
                   RegFileError* error);

// Reads the text of `hive`'s file into `root`, replacing what it held. Accepts either header line,
// LF and CRLF line ends, a UTF-8 byte order mark, blank lines and ';' comment lines; a file holding
// nothing but white space is an empty hive. `encoding` is the form the file was written in: the
// texts of hex(1), hex(2) and hex(7) lists (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are then in
// UTF-16LE or Windows-1252 and become UTF-8 too (a list that is not whole UTF-16 stays as it is).
// On failure `root` is left empty and `error` says where and why.
bool ParseRegFile(std::string_view text, HKEY hive, RegNode* root, RegFileError* error,
                  RegFileEncoding encoding = RegFileEncoding::Utf8);

// DecodeRegFile, then ParseRegFile: a hive file in any form regedit writes.
bool ReadRegFile(std::string_view bytes, HKEY hive, RegNode* root, RegFileError* error);

// Whether a key or value name can stand in a .reg file: valid UTF-8 without a NUL or a line break.
bool RegFileCanName(std::string_view name);

// Whether a REG_SZ reads back as the same bytes from "text": one terminating NUL, and a text
// RegFileCanName accepts before it.
bool RegFileCanQuote(const std::vector<std::uint8_t>& data);

// The text of `root`, the tree of `hive`, with LF line ends; ParseRegFile gives back an equal tree.
// Every key has its section, so keys without values survive. nullopt when the tree holds what the
// format cannot carry: a name with a line break, a NUL or invalid UTF-8, or a key deeper than
// kMaxKeyDepth.
std::optional<std::string> SerializeRegFile(const RegNode& root, HKEY hive);

}  // namespace zelwiz
