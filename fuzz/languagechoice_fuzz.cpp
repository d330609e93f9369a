// The language-choice parser on any text: it must log what it cannot take, never fail, and leave
// a table indexed from 0 to the highest index with trimmed paths.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include "environment/localize.h"
#include "platform/FakeShell.h"
#include "platform/HeadlessToolkit.h"
#include "platform/Platform.h"
#include "platform/TreeRegistry.h"

namespace {

using namespace zelwiz;

// An empty registry, a shell whose data folder is a fresh temporary folder (the parser's log lines
// go there) and the headless toolkit.
struct FuzzPlatform {
    FuzzPlatform() {
        std::random_device random;
        folder = std::filesystem::temp_directory_path() /
                 ("zelwiz-languagechoice-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(folder);
        shell.programFolder = folder.string();
        shell.appDataFolder = (folder / "data").string();
        log = folder / "data" / "Korvane Parlova" / ("error_" + shell.userName + ".log");
        InstallPlatform(Platform{&registry, &shell, &toolkit, nullptr});
    }
    ~FuzzPlatform() {
        InstallPlatform(Platform{});
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    MemoryRegistry registry;
    FakeShell shell;
    HeadlessToolkit toolkit;
    std::filesystem::path folder;
    std::filesystem::path log;
};

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzPlatform platform;
    static unsigned runs = 0;

    const std::string choice(reinterpret_cast<const char*>(data), size);
    ResetLocalizeForTests();
    SplitLanguageChoice(choice);

    Check(LanguagesLoaded());
    Check(!LanguageTable().empty() && LanguageTable().size() <= 32768);
    for (const LanguageRecord& record : LanguageTable()) {
        Check(record.path.empty() || (record.path.front() != ' ' && record.path.back() != ' '));
        Check(record.path.find_first_of(",;") == std::string::npos);
        Check(!record.path.empty() || record.charset == 0);
    }

    // Keep the log (one line per malformed entry) and the debugger record small.
    platform.shell.debugOutput.clear();
    if (++runs % 512 == 0) {
        std::error_code ec;
        std::filesystem::remove(platform.log, ec);
    }
    return 0;
}
