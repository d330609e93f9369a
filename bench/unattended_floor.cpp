// The floor of an unattended configuration: a program that starts, writes the values of a .reg
// file into the hive files that ZELWIZ_REGISTRY names, commits them once as the wizard commits a
// save, and exits. bench/unattended.sh measures zelwiz against it.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/RegFile.h"
#include "platform/posix/FileRegistry.h"

using namespace zelwiz;

namespace {

void WriteTree(Registry& reg, HKEY hive, const RegNode& node, const std::string& path) {
    for (const auto& value : node.values) {
        HKEY key = 0;
        if (reg.CreateKey(hive, path, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            continue;
        reg.SetValue(key, value.name, value.type, value.data.data(),
                     static_cast<DWORD>(value.data.size()));
        reg.CloseKey(key);
    }
    for (const auto& [name, child] : node.subkeys) {
        WriteTree(reg, hive, *child, path.empty() ? child->name : path + "\\" + child->name);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: unattended_floor USER_HIVE.reg\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    RegNode root;
    RegFileError error;
    if (!ParseRegFile(text.str(), HKEY_CURRENT_USER, &root, &error)) {
        std::fprintf(stderr, "%s: line %d: %s\n", argv[1], error.line, error.reason.c_str());
        return 1;
    }
    auto registry = FileRegistry::FromEnvironment();
    WriteTree(*registry, HKEY_CURRENT_USER, root, "");
    return registry->FlushKey(HKEY_CURRENT_USER) == ERROR_SUCCESS ? 0 : 1;
}
