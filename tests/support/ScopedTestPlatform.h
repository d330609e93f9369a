#pragma once
// The platform of a unit test: an in-memory registry, the recording shell whose folders live in a
// fresh temporary folder, and the headless toolkit. Installed for the object's life; the platform
// before it comes back afterwards. The environment modules' process-wide state is reset on both
// ends so that no test sees another's cached data folder, log path or language table.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "environment/localize.h"
#include "environment/mCustom.h"
#include "environment/mLogError.h"
#include "environment/modMultiUser.h"
#include "platform/ErrorInfo.h"
#include "platform/FakeShell.h"
#include "platform/HeadlessToolkit.h"
#include "platform/Platform.h"
#include "platform/TreeRegistry.h"
#include "support/TempFolder.h"

namespace zelwiz {

class ScopedTestPlatform {
    test::TempFolder temp_;

  public:
    ScopedTestPlatform() {
        std::filesystem::create_directories(root / "program");
        shell.programFolder = (root / "program").string();
        shell.appDataFolder = (root / "home" / ".local" / "share").string();
        ResetModules();
        previous_ = InstallPlatform(Platform{&registry, &shell, &toolkit, nullptr});
    }
    ~ScopedTestPlatform() {
        InstallPlatform(previous_);
        ResetModules();
    }
    ScopedTestPlatform(const ScopedTestPlatform&) = delete;
    ScopedTestPlatform& operator=(const ScopedTestPlatform&) = delete;

    // Stores a text value as the product's installer would (REG_SZ, creating the key).
    void SetText(HKEY hive, const std::string& path, const std::string& name,
                 const std::string& text) {
        registry.SetString(Key(hive, path, true).get(), name, text);
    }
    void SetDword(HKEY hive, const std::string& path, const std::string& name, DWORD value) {
        registry.SetDword(Key(hive, path, true).get(), name, value);
    }
    // The stored bytes of a value (a text with its terminator), or nothing when it is missing.
    std::optional<std::string> Raw(HKEY hive, const std::string& path, const std::string& name,
                                   DWORD* type = nullptr) {
        RegKey key = Key(hive, path, false);
        DWORD size = 0;
        if (!key || registry.QueryValue(key.get(), name, type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        std::string data(size, '\0');
        registry.QueryValue(key.get(), name, type, reinterpret_cast<std::uint8_t*>(data.data()),
                            &size);
        return data;
    }
    bool KeyExists(HKEY hive, const std::string& path) {
        return static_cast<bool>(Key(hive, path, false));
    }

    // The error log of the login "agent7" when the registry names no data folder.
    std::filesystem::path DefaultLogPath() const {
        return std::filesystem::path(shell.appDataFolder) / "Korvane Parlova" / "error_agent7.log";
    }
    // The lines of a log file, split into their TAB-separated fields. A line that does not end
    // with CR LF comes back as the single field "<no CR LF>".
    static std::vector<std::vector<std::string>> ReadLog(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::vector<std::string>> lines;
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line.back() != '\r') {
                lines.push_back({"<no CR LF>"});
                continue;
            }
            line.pop_back();
            std::vector<std::string> fields(1);
            for (char c : line) {
                if (c == '\t')
                    fields.emplace_back();
                else
                    fields.back().push_back(c);
            }
            lines.push_back(fields);
        }
        return lines;
    }

    MemoryRegistry registry;
    FakeShell shell;
    HeadlessToolkit toolkit;
    std::filesystem::path root = temp_.path();

  private:
    // The key opened for reading, or created; empty when it cannot be.
    RegKey Key(HKEY hive, const std::string& path, bool create) {
        HKEY key = 0;
        const LONG rc = create ? registry.CreateKey(hive, path, KEY_ALL_ACCESS, &key)
                               : registry.OpenKey(hive, path, KEY_READ, &key);
        return rc == ERROR_SUCCESS ? RegKey(registry, key) : RegKey();
    }
    static void ResetModules() {
        ClearErr();
        ResetLogForTests();
        ResetMultiUserForTests();
        ResetLocalizeForTests();
        ResetProductNamesForTests();
    }

    Platform previous_;
};

}  // namespace zelwiz
