// Reads arbitrary bytes as a .reg file in any form regedit writes; whatever reads must write (in
// UTF-8) and read back to the same tree.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/RegFile.h"

namespace {
[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "regfile_fuzz: %s\n", what);
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zelwiz;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RegNode tree;
    RegFileError error;
    if (!ReadRegFile(bytes, HKEY_CURRENT_USER, &tree, &error)) {
        if (error.line < 1 || error.reason.empty())
            Fail("a parse error without line or reason");
        return 0;
    }
    std::optional<std::string> written = SerializeRegFile(tree, HKEY_CURRENT_USER);
    if (!written)
        Fail("a tree that was read cannot be written");
    RegNode back;
    if (!ParseRegFile(*written, HKEY_CURRENT_USER, &back, &error))
        Fail("written text does not read");
    if (!(back == tree))
        Fail("the tree read back differs");
    if (SerializeRegFile(back, HKEY_CURRENT_USER) != written)
        Fail("writing is not stable");
    return 0;
}
