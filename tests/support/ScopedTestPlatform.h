#pragma once
// The platform of a unit test: an in-memory registry, the recording shell whose folders live in a
// fresh temporary folder, and the headless toolkit. Installed for the object's life; the platform
// before it comes back afterwards. The environment modules' process-wide state is reset on both
// ends so that no test sees another's cached data folder, log path or language table.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
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

namespace zelwiz {

class ScopedTestPlatform {
  public:
    ScopedTestPlatform() {
        std::random_device random;
        root = std::filesystem::temp_directory_path() /
               ("zelwiz-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(root / "program");
        shell.programFolder = (root / "program").string();
        shell.appDataFolder = (root / "home" / ".local" / "share").string();
        ResetModules();
        previous_ = InstallPlatform(Platform{&registry, &shell, &toolkit, nullptr});
    }
    ~ScopedTestPlatform() {
        InstallPlatform(previous_);
        ResetModules();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    ScopedTestPlatform(const ScopedTestPlatform&) = delete;
    ScopedTestPlatform& operator=(const ScopedTestPlatform&) = delete;

    // Stores a text value as the product's installer would (REG_SZ, creating the key).
    void SetText(HKEY hive, const std::string& path, const std::string& name,
                 const std::string& text) {
        HKEY key = 0;
        registry.CreateKey(hive, path, KEY_ALL_ACCESS, &key);
        registry.SetString(key, name, text);
        registry.CloseKey(key);
    }
    void SetDword(HKEY hive, const std::string& path, const std::string& name, DWORD value) {
        HKEY key = 0;
        registry.CreateKey(hive, path, KEY_ALL_ACCESS, &key);
        registry.SetDword(key, name, value);
        registry.CloseKey(key);
    }
    // The stored bytes of a value (a text with its terminator), or nothing when it is missing.
    std::optional<std::string> Raw(HKEY hive, const std::string& path, const std::string& name,
                                   DWORD* type = nullptr) {
        HKEY key = 0;
        if (registry.OpenKey(hive, path, KEY_READ, &key) != ERROR_SUCCESS)
            return std::nullopt;
        std::optional<std::string> result;
        DWORD size = 0;
        if (registry.QueryValue(key, name, type, nullptr, &size) == ERROR_SUCCESS) {
            std::string data(size, '\0');
            registry.QueryValue(key, name, type, reinterpret_cast<std::uint8_t*>(data.data()),
                                &size);
            result = data;
        }
        registry.CloseKey(key);
        return result;
    }
    bool KeyExists(HKEY hive, const std::string& path) {
        HKEY key = 0;
        if (registry.OpenKey(hive, path, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        registry.CloseKey(key);
        return true;
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
    std::filesystem::path root;

  private:
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
