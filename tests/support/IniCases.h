#pragma once
// How the private-profile (INI) reader answers, case by case. This build's own reader and the
// platform's (GetPrivateProfileStringW on Windows) are both held to these answers.

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace zelwiz {

struct IniCase {
    const char* what;
    const char* text;
    const char* section;
    const char* key;
    const char* expected;
    bool found;
    // Where Wine's reader departs from Windows', what Wine answers (nullptr: the same).
    const char* wine = nullptr;
};

// Every case is read with an empty default and a buffer of 50 characters.
inline const IniCase kIniCases[] = {
    {"plain", "[ADDRESS]\nHostname=pbx1\n", "ADDRESS", "Hostname", "pbx1", true},
    {"names without regard to case", "[address]\r\nHOSTNAME=pbx1\r\n", "ADDRESS", "Hostname",
     "pbx1", true},
    {"blanks around section and key names", "[ ADDRESS ]\n  Hostname  =pbx1\n", "ADDRESS",
     "Hostname", "pbx1", true},
    {"value keeps its blanks for the caller to trim", "[ADDRESS]\nHostname=  pbx1 \n", "ADDRESS",
     "Hostname", "  pbx1 ", true},
    {"only blanks is present", "[ADDRESS]\nHostname=   \n", "ADDRESS", "Hostname", "   ", true},
    {"nothing after = is empty", "[ADDRESS]\nHostname=\n", "ADDRESS", "Hostname", "", true},
    {"one pair of quotes removed", "[P]\nEdn=\"\"2000\"\"\n", "P", "Edn", "\"2000\"", true},
    {"single quotes too", "[P]\nEdn='2000'\n", "P", "Edn", "2000", true},
    {"unmatched quotes stay", "[P]\nEdn=\"2000'\n", "P", "Edn", "\"2000'", true},
    {"a lone quote stays", "[P]\nEdn=\"\n", "P", "Edn", "\"", true},
    {"a commented key does not match", "[P]\n;Edn=1\n", "P", "Edn", "", false},
    {"no inline comments", "[P]\nEdn=2000 ; desk\n", "P", "Edn", "2000 ; desk", true},
    {"other section", "[A]\nEdn=1\n[P]\nX=2\n", "P", "Edn", "", false},
    {"first key wins", "[P]\nEdn=1\nEdn=2\n", "P", "Edn", "1", true},
    // Wine's reader looks in the first section of a name only.
    {"repeated section searched on", "[P]\nX=0\n[Q]\n[P]\nEdn=3\n", "P", "Edn", "3", true, ""},
    {"before any section", "Edn=1\n[P]\n", "P", "Edn", "", false},
    {"byte order mark", "\xEF\xBB\xBF[P]\nEdn=7\n", "P", "Edn", "7", true},
    {"value with =", "[P]\nEdn=a=b\n", "P", "Edn", "a=b", true},
    {"last line without line break", "[P]\nEdn=9", "P", "Edn", "9", true},
};

inline std::string IniCaseName(const ::testing::TestParamInfo<IniCase>& info) {
    std::string name;
    for (const char* c = info.param.what; *c != '\0'; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

}  // namespace zelwiz
