#pragma once
// A message catalog read from the text of a gettext PO file. An entry is found by its msgctxt
// when it has one, otherwise by its msgid. The header entry, untranslated entries (empty msgstr)
// and entries marked fuzzy are left out, as gettext leaves them out at run time.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace zelwiz {

class PoCatalog {
  public:
    // Reads a PO text. On a syntax error answers false with the line and the fault in `error`.
    bool Parse(std::string_view text, std::string* error);

    // The translation of an entry, or nullptr when the catalog has none.
    const std::string* Find(std::string_view key) const;
    std::size_t Size() const { return entries_.size(); }
    const std::map<std::string, std::string, std::less<>>& Entries() const { return entries_; }

  private:
    std::map<std::string, std::string, std::less<>> entries_;
};

}  // namespace zelwiz
