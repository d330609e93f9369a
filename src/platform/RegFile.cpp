#include "platform/RegFile.h"

#include "platform/UnicodeText.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zelwiz {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16ByteOrderMark = "\xFF\xFE";
constexpr std::size_t kHexLineWidth = 80;  // as regedit wraps its hex lists

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = Lower(c);
    return out;
}

bool ConsumePrefixNoCase(std::string_view* s, std::string_view prefix) {
    if (s->size() < prefix.size() || !NameEquals(s->substr(0, prefix.size()), prefix))
        return false;
    s->remove_prefix(prefix.size());
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// 1 to `maxDigits` hexadecimal digits, nothing else.
bool ParseHex(std::string_view s, std::size_t maxDigits, std::uint32_t* value) {
    if (s.empty() || s.size() > maxDigits)
        return false;
    *value = 0;
    for (char c : s) {
        int d = HexDigit(c);
        if (d < 0)
            return false;
        *value = *value * 16 + static_cast<std::uint32_t>(d);
    }
    return true;
}

// Windows-1252 from 0x80 to 0x9F; above, the byte is the code point. The five bytes the code page
// leaves undefined become the C1 controls of the same number, as Windows converts them.
constexpr std::uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string FromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        AppendUtf8(&out, byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte);
    }
    return out;
}

// The data of a text value (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) in a file of `encoding`, as UTF-8.
std::vector<std::uint8_t> TextDataToUtf8(std::vector<std::uint8_t> data, RegFileEncoding encoding) {
    std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
    std::string text;
    if (encoding == RegFileEncoding::Windows1252) {
        text = FromWindows1252(bytes);
    } else if (encoding != RegFileEncoding::Utf16Le || !FromUtf16Le(bytes, &text)) {
        return data;
    }
    return {text.begin(), text.end()};
}

// Why a key or value name cannot stand in a .reg file, or nullptr when it can.
const char* NameProblem(std::string_view name) {
    for (char c : name) {
        if (c == '\0' || c == '\r' || c == '\n')
            return "a name holds a NUL or a line break";
    }
    if (!(InvalidUtf8At(name) == std::string_view::npos))
        return "text is not valid UTF-8";
    return nullptr;
}

// Sets values while parsing. A key with many values gets an index by lower-case name, so that a
// file is read in linear time however its values are spread over it.
class ValueWriter {
  public:
    void Set(RegNode& node, std::string name, DWORD type, std::vector<std::uint8_t> data) {
        if (node.values.size() < kIndexFrom) {
            if (RegValueData* v = node.FindValue(name)) {
                v->type = type;
                v->data = std::move(data);
                return;
            }
            if (node.values.empty())
                node.values.reserve(4);
            node.values.push_back(RegValueData{std::move(name), type, std::move(data)});
            return;
        }
        auto it = index_.find(&node);
        if (it == index_.end()) {
            it = index_.emplace(&node, Index{}).first;
            for (std::size_t i = 0; i < node.values.size(); ++i) {
                it->second.emplace(Lowered(node.values[i].name), i);
            }
        }
        auto [pos, inserted] = it->second.emplace(Lowered(name), node.values.size());
        if (inserted) {
            node.values.push_back(RegValueData{std::move(name), type, std::move(data)});
        } else {
            node.values[pos->second].type = type;
            node.values[pos->second].data = std::move(data);
        }
    }

  private:
    static constexpr std::size_t kIndexFrom = 16;
    using Index = std::unordered_map<std::string, std::size_t>;
    std::unordered_map<const RegNode*, Index> index_;
};

class Parser {
  public:
    Parser(std::string_view text, HKEY hive, RegNode* root, RegFileError* error,
           RegFileEncoding encoding)
        : text_(text), hive_(HiveName(hive)), root_(root), error_(error), encoding_(encoding) {}

    bool Run() {
        if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            text_.remove_prefix(kByteOrderMark.size());
        }
        if (text_.find_first_not_of(" \t\r\n") == std::string_view::npos)
            return true;
        if (hive_ == nullptr)
            return Fail("not a hive this store keeps");
        std::string_view line;
        NextLine(&line);
        if (line != kHeader && line != kOldHeader) {
            return Fail("expected the line " + std::string(kHeader) + " or " +
                        std::string(kOldHeader));
        }
        while (NextLine(&line)) {
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[') {
                if (!Section(line))
                    return false;
            } else if (!Value(line)) {
                return false;
            }
        }
        return true;
    }

  private:
    bool Fail(std::string reason) {
        error_->line = line_;
        error_->reason = std::move(reason);
        return false;
    }

    // The next line without its line end and surrounding blanks.
    bool NextLine(std::string_view* line) {
        if (pos_ >= text_.size())
            return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos)
            end = text_.size();
        std::string_view raw = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        ++line_;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        *line = TrimBlanks(raw);
        return true;
    }

    bool Section(std::string_view line) {
        if (line.back() != ']')
            return Fail("expected ] at the end of the key line");
        std::string_view path = line.substr(1, line.size() - 2);
        if (!path.empty() && path.front() == '-')
            return Fail("key deletions are not supported");
        std::size_t slash = path.find('\\');
        std::string_view hive = path.substr(0, slash);
        if (!NameEquals(hive, hive_))
            return Fail("key is not under " + std::string(hive_));
        // Sections come mostly in tree order: the levels shared with the previous section are
        // not looked up again.
        current_ = root_;
        std::size_t depth = 0;
        bool shared = true;  // the levels so far are the previous section's
        std::string_view rest = slash == std::string_view::npos ? "" : path.substr(slash + 1);
        while (slash != std::string_view::npos) {
            std::size_t end = rest.find('\\');
            std::string_view level = rest.substr(0, end);
            if (level.empty() || level.size() > kMaxKeyNameChars)
                return Fail("empty key name, or one longer than 255 characters");
            if (depth == kMaxKeyDepth)
                return Fail("key path deeper than 512 levels");
            shared = shared && depth < chain_.size() && chain_[depth].first == level;
            if (shared) {
                current_ = chain_[depth].second;
            } else {
                if (const char* problem = NameProblem(level))
                    return Fail(problem);
                current_ = &Child(*current_, level);
                chain_.resize(depth);
                chain_.emplace_back(level, current_);
            }
            ++depth;
            if (end == std::string_view::npos)
                break;
            rest.remove_prefix(end + 1);
        }
        chain_.resize(depth);
        return true;
    }

    // FindOrAdd with one search of the subkeys instead of two.
    static RegNode& Child(RegNode& node, std::string_view name) {
        auto it = node.subkeys.lower_bound(name);
        if (it == node.subkeys.end() || NameLess()(name, it->first)) {
            it = node.subkeys.emplace_hint(it, std::string(name),
                                           std::make_unique<RegNode>(std::string(name)));
        }
        return *it->second;
    }

    // A quoted text at the start of `*s` with \\ and \" escapes; `*s` is left after its end.
    bool Quoted(std::string_view* s, std::string* out) {
        out->clear();
        std::size_t i = 1;
        while (true) {
            std::size_t stop = i;
            while (stop < s->size() && (*s)[stop] != '"' && (*s)[stop] != '\\')
                ++stop;
            if (stop == s->size())
                return Fail("missing closing quote");
            out->append(s->substr(i, stop - i));
            if ((*s)[stop] == '"') {
                s->remove_prefix(stop + 1);
                if (InvalidUtf8At(*out) != std::string_view::npos)
                    return Fail("text is not valid UTF-8");
                return true;
            }
            if (stop + 1 >= s->size() || ((*s)[stop + 1] != '\\' && (*s)[stop + 1] != '"')) {
                return Fail("unknown escape; only \\\\ and \\\" are allowed");
            }
            out->push_back((*s)[stop + 1]);
            i = stop + 2;
        }
    }

    bool Value(std::string_view line) {
        if (line.front() != '"' && line.front() != '@')
            return Fail("expected \"name\"=value");
        if (current_ == nullptr)
            return Fail("value before the first [key] line");
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            if (!Quoted(&line, &name))
                return false;
            if (const char* problem = NameProblem(name))
                return Fail(problem);
        }
        line = TrimBlanks(line);
        if (line.empty() || line.front() != '=')
            return Fail("expected \"name\"=value");
        line = TrimBlanks(line.substr(1));

        DWORD type = REG_BINARY;
        std::vector<std::uint8_t> data;
        if (!line.empty() && line.front() == '"') {
            std::string text;
            if (!Quoted(&line, &text))
                return false;
            if (!TrimBlanks(line).empty())
                return Fail("unexpected text after the closing quote");
            type = REG_SZ;
            data.reserve(text.size() + 1);
            data.assign(text.begin(), text.end());
            data.push_back(0);
        } else if (ConsumePrefixNoCase(&line, "dword:")) {
            std::uint32_t v = 0;
            if (!ParseHex(TrimBlanks(line), 8, &v))
                return Fail("expected dword:xxxxxxxx");
            type = REG_DWORD;
            data = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                    static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
        } else if (ConsumePrefixNoCase(&line, "hex")) {
            if (!line.empty() && line.front() == '(') {
                std::size_t close = line.find("):");
                if (close == std::string_view::npos ||
                    !ParseHex(line.substr(1, close - 1), 8, &type)) {
                    return Fail("expected hex(n): with a hexadecimal type number");
                }
                line.remove_prefix(close + 2);
            } else if (!line.empty() && line.front() == ':') {
                line.remove_prefix(1);
            } else {
                return Fail("expected hex: or hex(n):");
            }
            if (!HexBytes(line, &data))
                return false;
            if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ)
                data = TextDataToUtf8(std::move(data), encoding_);
        } else {
            return Fail("expected \"text\", dword: or hex: after =");
        }
        values_.Set(*current_, std::move(name), type, std::move(data));
        return true;
    }

    // Comma-separated bytes; a line ending in \ continues on the next one.
    bool HexBytes(std::string_view chunk, std::vector<std::uint8_t>* out) {
        while (true) {
            chunk = TrimBlanks(chunk);
            bool continues = !chunk.empty() && chunk.back() == '\\';
            if (continues)
                chunk.remove_suffix(1);
            std::size_t start = 0;
            while (start < chunk.size()) {
                std::size_t comma = chunk.find(',', start);
                std::size_t end = comma == std::string_view::npos ? chunk.size() : comma;
                std::uint32_t byte = 0;
                if (!ParseHex(TrimBlanks(chunk.substr(start, end - start)), 2, &byte)) {
                    return Fail("expected bytes as two hexadecimal digits separated by commas");
                }
                out->push_back(static_cast<std::uint8_t>(byte));
                if (comma == std::string_view::npos)
                    break;
                start = comma + 1;
                // A comma closes a line only when the list goes on below.
                if (start == chunk.size() && !continues) {
                    return Fail("expected a byte after the last comma");
                }
            }
            if (!continues)
                return true;
            if (!NextLine(&chunk))
                return Fail("hex list continues past the end of the file");
        }
    }

    std::string_view text_;
    const char* hive_;
    RegNode* root_;
    RegFileError* error_;
    RegFileEncoding encoding_;
    std::size_t pos_ = 0;
    int line_ = 0;
    RegNode* current_ = nullptr;
    std::vector<std::pair<std::string_view, RegNode*>> chain_;  // the previous section's levels
    ValueWriter values_;
};

class Writer {
  public:
    explicit Writer(const char* hive) : hive_(hive) {}

    bool Run(const RegNode& root) {
        out_.append(kHeader).append("\n\n");
        path_ = hive_;
        if (!root.values.empty() && !Key(root))
            return false;
        return Subkeys(root, 0);
    }
    std::string Take() { return std::move(out_); }

  private:
    bool Subkeys(const RegNode& node, std::size_t depth) {
        if (!node.subkeys.empty() && depth >= kMaxKeyDepth)
            return false;
        for (const auto& entry : node.subkeys) {
            const RegNode& child = *entry.second;
            if (NameProblem(child.name) != nullptr)
                return false;
            std::size_t keep = path_.size();
            path_.append("\\").append(child.name);
            if (!Key(child) || !Subkeys(child, depth + 1))
                return false;
            path_.resize(keep);
        }
        return true;
    }

    bool Key(const RegNode& node) {
        out_.append("[").append(path_).append("]\n");
        for (const RegValueData& v : node.values) {
            if (v.name.empty()) {
                out_.push_back('@');
            } else {
                if (NameProblem(v.name) != nullptr)
                    return false;
                Quote(v.name);
            }
            out_.push_back('=');
            Data(v);
            out_.push_back('\n');
        }
        out_.push_back('\n');
        return true;
    }

    void Quote(std::string_view text) {
        out_.push_back('"');
        for (char c : text) {
            if (c == '\\' || c == '"')
                out_.push_back('\\');
            out_.push_back(c);
        }
        out_.push_back('"');
    }

    void Data(const RegValueData& v) {
        static constexpr char kDigits[] = "0123456789abcdef";
        if (v.type == REG_SZ && RegFileCanQuote(v.data)) {
            Quote(
                std::string_view(reinterpret_cast<const char*>(v.data.data()), v.data.size() - 1));
            return;
        }
        if (v.type == REG_DWORD && v.data.size() == 4) {
            out_.append("dword:");
            for (int i = 3; i >= 0; --i) {
                out_.push_back(kDigits[v.data[static_cast<std::size_t>(i)] >> 4]);
                out_.push_back(kDigits[v.data[static_cast<std::size_t>(i)] & 0xF]);
            }
            return;
        }
        std::size_t lineStart = out_.rfind('\n') + 1;
        if (v.type == REG_BINARY) {
            out_.append("hex:");
        } else {
            out_.append("hex(");
            char digits[8];
            int n = 0;
            DWORD t = v.type;
            do {
                digits[n++] = kDigits[t & 0xF];
                t >>= 4;
            } while (t != 0);
            while (n > 0)
                out_.push_back(digits[--n]);
            out_.append("):");
        }
        std::size_t column = out_.size() - lineStart;
        for (std::size_t i = 0; i < v.data.size(); ++i) {
            bool last = i + 1 == v.data.size();
            std::size_t width = last ? 2 : 3;
            if (i > 0 && column + width + 1 > kHexLineWidth) {
                out_.append("\\\n  ");
                column = 2;
            }
            out_.push_back(kDigits[v.data[i] >> 4]);
            out_.push_back(kDigits[v.data[i] & 0xF]);
            if (!last)
                out_.push_back(',');
            column += width;
        }
    }

    const char* hive_;
    std::string path_;
    std::string out_;
};

}  // namespace

bool DecodeRegFile(std::string_view bytes, std::string* text, RegFileEncoding* encoding,
                   RegFileError* error) {
    if (bytes.substr(0, kUtf16ByteOrderMark.size()) == kUtf16ByteOrderMark) {
        *encoding = RegFileEncoding::Utf16Le;
        if (FromUtf16Le(bytes.substr(kUtf16ByteOrderMark.size()), text))
            return true;
        error->line = 1 + static_cast<int>(std::count(text->begin(), text->end(), '\n'));
        error->reason = "text is not valid UTF-16LE";
        text->clear();
        return false;
    }
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        *encoding = RegFileEncoding::Utf8;
        text->assign(bytes.substr(kByteOrderMark.size()));
        return true;
    }
    std::string_view first = bytes.substr(0, bytes.find('\n'));
    if (!first.empty() && first.back() == '\r')
        first.remove_suffix(1);
    if (TrimBlanks(first) == kOldHeader) {
        *encoding = RegFileEncoding::Windows1252;
        *text = FromWindows1252(bytes);
        return true;
    }
    *encoding = RegFileEncoding::Utf8;
    text->assign(bytes);
    return true;
}

bool ReadRegFile(std::string_view bytes, HKEY hive, RegNode* root, RegFileError* error) {
    std::string text;
    RegFileEncoding encoding = RegFileEncoding::Utf8;
    if (!DecodeRegFile(bytes, &text, &encoding, error)) {
        *root = RegNode{};
        return false;
    }
    return ParseRegFile(text, hive, root, error, encoding);
}

bool RegFileCanName(std::string_view name) {
    return NameProblem(name) == nullptr;
}

bool RegFileCanQuote(const std::vector<std::uint8_t>& data) {
    if (data.empty() || data.back() != 0)
        return false;
    std::string_view text(reinterpret_cast<const char*>(data.data()), data.size() - 1);
    return NameProblem(text) == nullptr;
}

bool ParseRegFile(std::string_view text, HKEY hive, RegNode* root, RegFileError* error,
                  RegFileEncoding encoding) {
    RegNode parsed;
    Parser parser(text, hive, &parsed, error, encoding);
    bool ok = parser.Run();
    *root = ok ? std::move(parsed) : RegNode{};
    return ok;
}

std::optional<std::string> SerializeRegFile(const RegNode& root, HKEY hive) {
    const char* name = HiveName(hive);
    if (name == nullptr)
        return std::nullopt;
    Writer writer(name);
    if (!writer.Run(root))
        return std::nullopt;
    return writer.Take();
}

}  // namespace zelwiz
