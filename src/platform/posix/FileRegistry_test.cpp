// What the file store promises beyond the registry contract: readable files in the agreed places,
// commits seen at once by other processes, whole or not at all, no lost updates, the files regedit
// writes, and no harm to a file it cannot read or write. The registry contract runs on it too.
#include "platform/posix/FileRegistry.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>

#include "support/RegistryContract.h"
#include "support/TempFolder.h"

namespace zelwiz {
namespace {

using Texts = std::map<std::string, std::string>;
constexpr const char* kInstall = "Software\\Korvane\\7316\\Install";

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The values of a key of the user hive, each without its last byte (a text's NUL).
Texts Values(Registry& reg, std::string_view path) {
    Texts values;
    HKEY key = 0;
    if (reg.OpenKey(HKEY_CURRENT_USER, path, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    RegKey closer(reg, key);
    std::string name;
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    for (DWORD i = 0; reg.EnumValue(key, i, &name, &type, &data) == ERROR_SUCCESS; ++i)
        values[name] = std::string(data.begin(), data.end() - (data.empty() ? 0 : 1));
    return values;
}

// Sets a text value, and commits the hive when asked to.
LONG Write(Registry& reg, std::string_view path, std::string_view name, std::string_view text,
           bool commit = true, HKEY hive = HKEY_CURRENT_USER) {
    HKEY key = 0;
    if (LONG rc = reg.CreateKey(hive, path, KEY_ALL_ACCESS, &key); rc != ERROR_SUCCESS)
        return rc;
    RegKey closer(reg, key);
    LONG rc = reg.SetString(key, name, text);
    return rc == ERROR_SUCCESS && commit ? reg.FlushKey(hive) : rc;
}

// Runs `body` in a child process; its exit status is 0 when `body` answers true.
pid_t Spawn(const std::function<bool()>& body) {
    pid_t pid = fork();
    if (pid == 0) {
        bool ok = false;
        try {
            ok = body();
        } catch (...) {
        }
        _exit(ok ? 0 : 1);
    }
    return pid;
}

int ExitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class FileStore : public ::testing::Test {
  protected:
    std::unique_ptr<FileRegistry> Open() { return std::make_unique<FileRegistry>(machine, user); }

    test::TempFolder folder;
    std::string machine = folder / "HKEY_LOCAL_MACHINE.reg";
    std::string user = folder / "HKEY_CURRENT_USER.reg";
};

TEST(FileRegistryPlaces, FolderVariableOrXdgConfigAndTheSystemFolder) {
    struct Case {
        const char* folder;
        const char* xdg;
        std::string machineFolder;
        std::string userFolder;
    };
    const Case cases[] = {
        {"/srv/registry", "/x", "/srv/registry", "/srv/registry"},
        {"", "/x/conf", "/var/lib/zelwiz", "/x/conf/zelwiz"},
        {nullptr, nullptr, "/var/lib/zelwiz", "/home/u/.config/zelwiz"},
        {nullptr, "", "/var/lib/zelwiz", "/home/u/.config/zelwiz"},
        {nullptr, "relative/conf", "/var/lib/zelwiz", "/home/u/.config/zelwiz"},
    };
    for (const Case& c : cases) {
        HiveFiles files = HiveFilesFor(c.folder, c.xdg, "/home/u");
        EXPECT_EQ(files.machine, c.machineFolder + "/HKEY_LOCAL_MACHINE.reg");
        EXPECT_EQ(files.user, c.userFolder + "/HKEY_CURRENT_USER.reg");
    }
}

TEST_F(FileStore, CommitsARegFileInAFolderItCreatesAndKeepsItsPermissions) {
    user = folder / "deep/er/HKEY_CURRENT_USER.reg";
    auto reg = Open();
    EXPECT_TRUE(Values(*reg, kInstall).empty());
    EXPECT_TRUE(reg->Problems().empty()) << "missing files are empty hives";
    EXPECT_FALSE(std::filesystem::exists(folder / "deep")) << "reading creates nothing";

    ASSERT_EQ(Write(*reg, kInstall, "CCC", "ThirdCSTALAN", false), ERROR_SUCCESS);
    HKEY empty = 0;
    ASSERT_EQ(reg->CreateKey(HKEY_CURRENT_USER, "Software\\Korvane\\Empty", KEY_READ, &empty),
              ERROR_SUCCESS);
    reg->CloseKey(empty);
    EXPECT_FALSE(std::filesystem::exists(user)) << "before the commit";
    EXPECT_EQ(reg->SyncCount(), 0u);

    ASSERT_EQ(reg->FlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_NE(Slurp(user).find("[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\n"
                               "\"CCC\"=\"ThirdCSTALAN\"\n"),
              std::string::npos);
    EXPECT_EQ(reg->SyncCount(), 2u) << "the new file and its folder";
    EXPECT_FALSE(std::filesystem::exists(user + ".tmp"));
    ASSERT_EQ(reg->FlushKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    ASSERT_EQ(Write(*reg, kInstall, "CCC", "ThirdCSTALAN"), ERROR_SUCCESS);
    EXPECT_EQ(reg->SyncCount(), 2u) << "nothing changed: no commit";
    EXPECT_FALSE(std::filesystem::exists(machine)) << "an untouched hive gets no file";

    // An administrator's permissions on the file survive the store's commits.
    ASSERT_EQ(chmod(user.c_str(), 0640), 0);
    ASSERT_EQ(Write(*reg, "Software\\Korvane", "a", "b"), ERROR_SUCCESS);
    EXPECT_EQ(std::filesystem::status(user).permissions(), std::filesystem::perms(0640));

    HKEY key = 0;
    EXPECT_EQ(Open()->OpenKey(HKEY_CURRENT_USER, "Software\\Korvane\\Empty", KEY_READ, &key),
              ERROR_SUCCESS)
        << "a key without values survives";
}

TEST_F(FileStore, UnreadableHiveFileIsLeftAsItIsAndChangesAreRefused) {
    const std::string broken =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Korvane]\r\n"
        "\"Good\"=\"1\"\r\n"
        "Bad=2\r\n";
    Put(user, broken);
    auto reg = Open();
    EXPECT_EQ(reg->Problems(),
              std::vector<std::string>{"registry file " + user +
                                       " cannot be read at line 5: expected \"name\"=value; it is "
                                       "left as it is and not written"});
    EXPECT_TRUE(Values(*reg, "Software\\Korvane").empty()) << "the hive reads as empty";
    HKEY key = 0;
    EXPECT_EQ(reg->CreateKey(HKEY_CURRENT_USER, "Software\\Korvane", KEY_ALL_ACCESS, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->CreateKey(HKEY_CURRENT_USER, "New", KEY_READ, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->SetString(HKEY_CURRENT_USER, "x", "y"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->DeleteValue(HKEY_CURRENT_USER, "Good"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Slurp(user), broken) << "byte for byte";
    EXPECT_FALSE(std::filesystem::exists(user + ".tmp"));

    EXPECT_EQ(Write(*reg, "Software", "ok", "1", true, HKEY_LOCAL_MACHINE), ERROR_SUCCESS)
        << "the other hive is not affected";
    EXPECT_EQ(reg->Problems().size(), 1u);

    // Once the administrator mends the file, the store reads and writes it again.
    Put(user, broken.substr(0, broken.size() - 7));
    EXPECT_TRUE(reg->Problems().empty());
    EXPECT_EQ(Values(*reg, "Software\\Korvane"), (Texts{{"Good", "1"}}));
    EXPECT_EQ(Write(*reg, "Software\\Korvane", "More", "2"), ERROR_SUCCESS);
}

// Regedit's two forms of .reg file: its export, UTF-16LE with a byte order mark, and REGEDIT4 in
// Windows-1252. Expandable texts are hex(2) lists of the file's own characters.
std::string Utf16Export(std::u16string_view text) {
    static_assert(std::endian::native == std::endian::little);
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), 2 * text.size());
}

TEST_F(FileStore, RegeditFilesServeAsHivesAndAreWrittenBackInUtf8) {
    struct Case {
        const char* form;
        std::string file;
        std::string site;
    };
    const Case cases[] = {
        {"UTF-16LE export",
         Utf16Export(u"Windows Registry Editor Version 5.00\r\n\r\n"
                     u"[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\r\n"
                     u"\"Site\"=\"Caf\u00e9 Z\u00fcrich \u6771\u4eac \U0002000b\"\r\n"
                     u"\"Path\"=hex(2):25,00,41,00,50,00,50,00,44,00,41,00,54,00,41,00,25,00,5c,00,"
                     u"e9,00,00,00\r\n\r\n"),
         "Caf\u00e9 Z\u00fcrich \u6771\u4eac \U0002000b"},
        {"REGEDIT4",
         "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\r\n"
         "\"Site\"=\"Caf\xE9 Z\xFCrich \x80 \x9C\"\r\n"
         "\"Path\"=hex(2):25,41,50,50,44,41,54,41,25,5c,e9,00\r\n\r\n",
         "Caf\u00e9 Z\u00fcrich \u20ac \u0153"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        Put(user, c.file);
        auto reg = Open();
        EXPECT_TRUE(reg->Problems().empty());
        const Texts values{{"Site", c.site}, {"Path", "%APPDATA%\\\u00e9"}};
        EXPECT_EQ(Values(*reg, kInstall), values);

        ASSERT_EQ(Write(*reg, kInstall, "IsWizConfigured", "-1"), ERROR_SUCCESS);
        EXPECT_EQ(Slurp(user).rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
        Texts again = values;
        again["IsWizConfigured"] = "-1";
        EXPECT_EQ(Values(*Open(), kInstall), again);
    }
}

// The payload of commit number `generation`: long enough that a commit takes a while.
std::string Payload(int generation) {
    return std::to_string(generation) + ":" +
           std::string(3000, static_cast<char>('a' + generation % 26));
}

TEST_F(FileStore, CommitKilledAtAnyMomentLeavesTheFileWhole) {
    constexpr int kValues = 8;
    constexpr int kCommitsPerRound = 400;
    constexpr const char* kKey = "Software\\Korvane\\Crash";
    std::random_device seed;
    const unsigned seedValue = seed();
    std::mt19937 random(seedValue);
    SCOPED_TRACE("seed " + std::to_string(seedValue));

    for (int round = 0; round < 20; ++round) {
        const int base = round * kCommitsPerRound;
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        pid_t child = Spawn([&] {
            close(started[0]);
            FileRegistry reg(machine, user);
            for (int i = 0; i < kCommitsPerRound; ++i) {
                for (int v = 0; v < kValues; ++v) {
                    if (Write(reg, kKey, "v" + std::to_string(v), Payload(base + i), false) !=
                        ERROR_SUCCESS) {
                        return false;
                    }
                }
                if (reg.FlushKey(HKEY_CURRENT_USER) != ERROR_SUCCESS)
                    return false;
                if (i == 0 && write(started[1], "x", 1) != 1)
                    return false;
            }
            return true;
        });
        close(started[1]);
        char byte = 0;
        ASSERT_EQ(read(started[0], &byte, 1), 1) << "the writer died before its first commit";
        close(started[0]);
        usleep(std::uniform_int_distribution<useconds_t>(0, 15000)(random));
        kill(child, SIGKILL);
        ExitStatus(child);

        // One whole commit of this round: every value from the same one.
        auto reg = Open();
        ASSERT_TRUE(reg->Problems().empty()) << "round " << round;
        Texts now = Values(*reg, kKey);
        ASSERT_EQ(now.size(), static_cast<size_t>(kValues)) << "round " << round;
        const int generation = std::stoi(now["v0"]);
        ASSERT_GE(generation, base) << "round " << round;
        for (const auto& [name, text] : now)
            ASSERT_EQ(text, Payload(generation)) << "round " << round << ", " << name;
    }
    EXPECT_EQ(Write(*Open(), kKey, "after", "1"), ERROR_SUCCESS)
        << "a temporary file left by a killed writer is in no one's way";
}

TEST_F(FileStore, ConcurrentWritersLoseNoUpdate) {
    // Each writer sets its own values, deletes every fifth one again, and commits every third
    // change, so that most commits find the other's newer file and make their changes again on it.
    constexpr int kWrites = 100;
    constexpr const char* kKey = "Software\\Korvane\\Race";
    auto deleted = [](int i) { return i % 5 == 4; };
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    auto writer = [&](char tag) {
        return Spawn([&, tag] {
            close(go[1]);
            char byte = 0;
            if (read(go[0], &byte, 1) != 0)
                return false;  // both start when the pipe closes
            FileRegistry reg(machine, user);
            HKEY key = 0;
            if (reg.CreateKey(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
                return false;
            RegKey closer(reg, key);
            for (int i = 0; i < kWrites; ++i) {
                std::string name = tag + std::to_string(i);
                if (reg.SetString(key, name, name + "!") != ERROR_SUCCESS)
                    return false;
                if (deleted(i) && reg.DeleteValue(key, name) != ERROR_SUCCESS)
                    return false;
                if (i % 3 == 2 && reg.FlushKey(HKEY_CURRENT_USER) != ERROR_SUCCESS)
                    return false;
                Texts now = Values(reg, kKey);
                if (deleted(i) ? now.count(name) != 0 : now[name] != name + "!")
                    return false;
            }
            return reg.FlushKey(HKEY_CURRENT_USER) == ERROR_SUCCESS;
        });
    };
    pid_t a = writer('a');
    pid_t b = writer('b');
    close(go[0]);
    close(go[1]);
    EXPECT_EQ(ExitStatus(a), 0);
    EXPECT_EQ(ExitStatus(b), 0);

    Texts expected;
    for (char tag : {'a', 'b'}) {
        for (int i = 0; i < kWrites; ++i) {
            if (!deleted(i))
                expected[tag + std::to_string(i)] = tag + std::to_string(i) + "!";
        }
    }
    EXPECT_EQ(Values(*Open(), kKey), expected);
}

// The contract on the file store. Each test gets a folder of its own; the stores it makes share
// the files, as processes do.
std::unique_ptr<Registry> MakeFile(bool readOnlyMachine) {
    static std::unique_ptr<test::TempFolder> folder;
    static const ::testing::TestInfo* owner = nullptr;
    if (owner != ::testing::UnitTest::GetInstance()->current_test_info()) {
        folder = std::make_unique<test::TempFolder>();
        owner = ::testing::UnitTest::GetInstance()->current_test_info();
    }
    const std::string machine = *folder / "HKEY_LOCAL_MACHINE.reg";
    if (readOnlyMachine && std::filesystem::exists(machine))
        std::filesystem::permissions(machine, std::filesystem::perms(0444));
    // The option stands in for the file's permissions where they do not bind (tests run as root).
    return std::make_unique<FileRegistry>(
        machine, *folder / "HKEY_CURRENT_USER.reg",
        FileRegistry::Options{.machineReadOnly = readOnlyMachine});
}

INSTANTIATE_TEST_SUITE_P(FileStore, RegistryContract,
                         ::testing::Values(RegistryFactory{"File", MakeFile, true}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace zelwiz
