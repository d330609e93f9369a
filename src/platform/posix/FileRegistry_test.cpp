// What the file store promises beyond the registry contract: readable files in the agreed places,
// changes seen at once by other processes, no torn or lost writes, and no harm to a file it
// cannot read.
#include "platform/posix/FileRegistry.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <sstream>

#include "platform/RegFile.h"
#include "support/TempFolder.h"

namespace zelwiz {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void Put(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The text a reader that drops the last byte gets, or "<missing>".
std::string ReadText(Registry& reg, HKEY hive, std::string_view path, std::string_view name) {
    HKEY key = 0;
    if (reg.OpenKey(hive, path, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    RegKey closer(reg, key);
    DWORD size = 0;
    if (reg.QueryValue(key, name, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0) {
        return "<missing>";
    }
    std::string buffer(size, '\0');
    if (reg.QueryValue(key, name, nullptr, reinterpret_cast<std::uint8_t*>(buffer.data()), &size) !=
        ERROR_SUCCESS) {
        return "<missing>";
    }
    buffer.resize(size - 1);
    return buffer;
}

LONG WriteText(Registry& reg, HKEY hive, std::string_view path, std::string_view name,
               std::string_view text) {
    HKEY key = 0;
    if (LONG rc = reg.CreateKey(hive, path, KEY_ALL_ACCESS, &key); rc != ERROR_SUCCESS)
        return rc;
    RegKey closer(reg, key);
    return reg.SetString(key, name, text);
}

// The values of one key as the hive file holds them.
std::map<std::string, std::string> FileValues(const std::string& path, std::string_view key) {
    RegNode root;
    RegFileError error;
    if (!ParseRegFile(Slurp(path), HKEY_CURRENT_USER, &root, &error)) {
        ADD_FAILURE() << path << " line " << error.line << ": " << error.reason;
        return {};
    }
    const RegNode* node = &root;
    std::vector<std::string> levels;
    SplitKeyPath(key, &levels);
    for (const auto& level : levels) {
        if (node != nullptr)
            node = node->Find(level);
    }
    std::map<std::string, std::string> values;
    if (node == nullptr)
        return values;
    for (const auto& v : node->values) {
        values[v.name] = std::string(v.data.begin(), v.data.end() - (v.data.empty() ? 0 : 1));
    }
    return values;
}

// Runs `body` in a child process that ends with status 0 when it answers true.
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
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class FileStore : public ::testing::Test {
  protected:
    std::unique_ptr<FileRegistry> Open(FileRegistry::Options options = {}) {
        return std::make_unique<FileRegistry>(machine, user, options);
    }

    test::TempFolder folder;
    std::string machine = folder / "HKEY_LOCAL_MACHINE.reg";
    std::string user = folder / "HKEY_CURRENT_USER.reg";
};

TEST(FileRegistryPlaces, FolderVariableOrXdgConfigAndTheSystemFolder) {
    struct Case {
        const char* folder;
        const char* xdg;
        const char* home;
        std::string machine;
        std::string user;
    };
    const Case cases[] = {
        {"/srv/registry", "/x", "/home/u", "/srv/registry/HKEY_LOCAL_MACHINE.reg",
         "/srv/registry/HKEY_CURRENT_USER.reg"},
        {"", "/x/conf", "/home/u", "/var/lib/zelwiz/HKEY_LOCAL_MACHINE.reg",
         "/x/conf/zelwiz/HKEY_CURRENT_USER.reg"},
        {nullptr, nullptr, "/home/u", "/var/lib/zelwiz/HKEY_LOCAL_MACHINE.reg",
         "/home/u/.config/zelwiz/HKEY_CURRENT_USER.reg"},
        {nullptr, "", "/home/u", "/var/lib/zelwiz/HKEY_LOCAL_MACHINE.reg",
         "/home/u/.config/zelwiz/HKEY_CURRENT_USER.reg"},
        {nullptr, "relative/conf", "/home/u", "/var/lib/zelwiz/HKEY_LOCAL_MACHINE.reg",
         "/home/u/.config/zelwiz/HKEY_CURRENT_USER.reg"},
    };
    for (const Case& c : cases) {
        HiveFiles files = HiveFilesFor(c.folder, c.xdg, c.home);
        EXPECT_EQ(files.machine, c.machine);
        EXPECT_EQ(files.user, c.user);
    }
}

TEST_F(FileStore, WritesARegFileInAFolderItCreatesAndKeepsItsPermissions) {
    user = folder / "deep/er/HKEY_CURRENT_USER.reg";
    auto reg = Open();
    EXPECT_EQ(ReadText(*reg, HKEY_CURRENT_USER, "Software", "x"), "<missing>");
    EXPECT_TRUE(reg->Problems().empty()) << "missing files are empty hives";
    EXPECT_FALSE(std::filesystem::exists(folder / "deep")) << "reading creates nothing";

    ASSERT_EQ(WriteText(*reg, HKEY_CURRENT_USER, "Software\\Korvane\\7316\\Install", "CCC",
                        "ThirdCSTALAN"),
              ERROR_SUCCESS);
    HKEY empty = 0;
    ASSERT_EQ(reg->CreateKey(HKEY_CURRENT_USER, "Software\\Korvane\\Empty", KEY_READ, &empty),
              ERROR_SUCCESS);
    reg->CloseKey(empty);
    EXPECT_EQ(Slurp(user),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Korvane]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Korvane\\7316]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\n"
              "\"CCC\"=\"ThirdCSTALAN\"\n\n"
              "[HKEY_CURRENT_USER\\Software\\Korvane\\Empty]\n\n");
    EXPECT_FALSE(std::filesystem::exists(machine)) << "an untouched hive gets no file";
    EXPECT_FALSE(std::filesystem::exists(user + ".tmp"));

    // An administrator's permissions on the file survive the store's writes.
    ASSERT_EQ(chmod(user.c_str(), 0640), 0);
    std::uint64_t syncs = reg->SyncCount();
    ASSERT_EQ(WriteText(*reg, HKEY_CURRENT_USER, "Software\\Korvane", "a", "b"), ERROR_SUCCESS);
    EXPECT_EQ(reg->SyncCount() - syncs, 2u) << "a change costs two fsync calls";
    struct stat st {};
    ASSERT_EQ(stat(user.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    auto again = Open();
    HKEY key = 0;
    EXPECT_EQ(again->OpenKey(HKEY_CURRENT_USER, "Software\\Korvane\\Empty", KEY_READ, &key),
              ERROR_SUCCESS)
        << "a key without values survives";
    again->CloseKey(key);
}

TEST_F(FileStore, ChangesOfOtherWritersAreSeenAtOnce) {
    auto first = Open();
    auto second = Open();
    for (int i = 0; i < 10; ++i) {
        Registry& writer = i % 2 == 0 ? *first : *second;
        Registry& reader = i % 2 == 0 ? *second : *first;
        std::string text = "value " + std::to_string(i) + "!";
        ASSERT_EQ(WriteText(writer, HKEY_CURRENT_USER, "Software\\Korvane", "v", text),
                  ERROR_SUCCESS);
        ASSERT_EQ(ReadText(reader, HKEY_CURRENT_USER, "Software\\Korvane", "v"), text) << i;
    }

    // A later version of the same size and modification time (written within one clock tick):
    // the file system may give it the inode number of the version the reader holds.
    for (char round = 'a'; round < 'h'; ++round) {
        struct stat read {};
        ASSERT_EQ(stat(user.c_str(), &read), 0);
        for (char version : {'1', '2'}) {
            ASSERT_EQ(WriteText(*first, HKEY_CURRENT_USER, "Software\\Korvane", "v",
                                std::string("value ") + round + version),
                      ERROR_SUCCESS);
        }
        const timespec times[2] = {read.st_atim, read.st_mtim};
        ASSERT_EQ(utimensat(AT_FDCWD, user.c_str(), times, 0), 0);
        ASSERT_EQ(ReadText(*second, HKEY_CURRENT_USER, "Software\\Korvane", "v"),
                  std::string("value ") + round + '2');
    }

    // A key that another writer deletes under an open handle.
    HKEY key = 0;
    ASSERT_EQ(first->OpenKey(HKEY_CURRENT_USER, "Software\\Korvane", KEY_READ, &key),
              ERROR_SUCCESS);
    ASSERT_EQ(second->DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane"), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(first->QueryValue(key, "v", nullptr, nullptr, &size), ERROR_KEY_DELETED);
    first->CloseKey(key);

    // An administrator who replaces the file by hand.
    Put(user,
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Korvane]\r\n"
        "\"v\"=\"by hand\"\r\n");
    EXPECT_EQ(ReadText(*first, HKEY_CURRENT_USER, "Software\\Korvane", "v"), "by hand");
    ASSERT_EQ(WriteText(*second, HKEY_CURRENT_USER, "Software\\Korvane", "w", "x"), ERROR_SUCCESS);
    EXPECT_EQ(FileValues(user, "Software\\Korvane"),
              (std::map<std::string, std::string>{{"v", "by hand"}, {"w", "x"}}));
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
    EXPECT_EQ(ReadText(*reg, HKEY_CURRENT_USER, "Software\\Korvane", "Good"), "<missing>")
        << "the hive reads as empty";
    HKEY key = 0;
    EXPECT_EQ(reg->CreateKey(HKEY_CURRENT_USER, "Software\\Korvane", KEY_ALL_ACCESS, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->CreateKey(HKEY_CURRENT_USER, "New", KEY_READ, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->SetString(HKEY_CURRENT_USER, "x", "y"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->DeleteKey(HKEY_CURRENT_USER, "Software\\Korvane"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->DeleteValue(HKEY_CURRENT_USER, "Good"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Slurp(user), broken) << "byte for byte";
    EXPECT_FALSE(std::filesystem::exists(user + ".tmp"));

    EXPECT_EQ(WriteText(*reg, HKEY_LOCAL_MACHINE, "Software", "ok", "1"), ERROR_SUCCESS)
        << "the other hive is not affected";
    EXPECT_EQ(reg->Problems().size(), 1u);

    // Once the administrator mends the file, the store reads and writes it again.
    Put(user, broken.substr(0, broken.size() - 7));
    EXPECT_TRUE(reg->Problems().empty());
    EXPECT_EQ(ReadText(*reg, HKEY_CURRENT_USER, "Software\\Korvane", "Good"), "1");
    EXPECT_EQ(WriteText(*reg, HKEY_CURRENT_USER, "Software\\Korvane", "More", "2"), ERROR_SUCCESS);
}

TEST_F(FileStore, ChangeTheFileCannotHoldIsRefusedAndForgotten) {
    auto reg = Open();
    ASSERT_EQ(WriteText(*reg, HKEY_CURRENT_USER, "Software", "kept", "1"), ERROR_SUCCESS);
    const std::string before = Slurp(user);
    HKEY key = 0;
    EXPECT_EQ(reg->CreateKey(HKEY_CURRENT_USER, "Software\\two\nlines", KEY_ALL_ACCESS, &key),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(reg->SetString(HKEY_CURRENT_USER, std::string_view("nul\0name", 8), "x"),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Slurp(user), before);
    EXPECT_EQ(reg->OpenKey(HKEY_CURRENT_USER, "Software\\two\nlines", KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadText(*reg, HKEY_CURRENT_USER, "Software", "kept"), "1");
    EXPECT_EQ(WriteText(*reg, HKEY_CURRENT_USER, "Software", "next", "2"), ERROR_SUCCESS);
    EXPECT_TRUE(reg->Problems().empty());
}

// The payload of write number `generation`: long enough that a write takes a while.
std::string Payload(int generation) {
    return std::to_string(generation) + ":" +
           std::string(3000, static_cast<char>('a' + generation % 26));
}

TEST_F(FileStore, WriterKilledAtAnyMomentLeavesEachValueOldOrNew) {
    constexpr int kValues = 8;
    constexpr int kWritesPerRound = 3000;
    constexpr const char* kKey = "Software\\Korvane\\Crash";
    std::random_device seed;
    const unsigned seedValue = seed();
    std::mt19937 random(seedValue);
    SCOPED_TRACE("seed " + std::to_string(seedValue));

    std::map<std::string, std::string> expected;  // what the file held after the last round
    for (int round = 0; round < 20; ++round) {
        const int base = round * kWritesPerRound;
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        pid_t child = Spawn([&] {
            close(started[0]);
            FileRegistry reg(machine, user);
            for (int i = 0; i < kWritesPerRound; ++i) {
                int generation = base + i;
                if (WriteText(reg, HKEY_CURRENT_USER, kKey, "v" + std::to_string(i % kValues),
                              Payload(generation)) != ERROR_SUCCESS) {
                    return false;
                }
                if (i == 0 && write(started[1], "x", 1) != 1)
                    return false;
            }
            return true;
        });
        close(started[1]);
        char byte = 0;
        ASSERT_EQ(read(started[0], &byte, 1), 1) << "the writer died before its first write";
        close(started[0]);
        usleep(std::uniform_int_distribution<useconds_t>(0, 15000)(random));
        kill(child, SIGKILL);
        ExitStatus(child);

        // The file is one whole version: the state after some number of the round's writes.
        std::map<std::string, std::string> now = FileValues(user, kKey);
        int last = base - 1;
        for (const auto& [name, text] : now)
            last = std::max(last, std::stoi(text));
        for (int generation = base; generation <= last; ++generation) {
            expected["v" + std::to_string((generation - base) % kValues)] = Payload(generation);
        }
        ASSERT_EQ(now, expected) << "round " << round << ", last write " << last - base;
    }

    auto reg = Open();
    EXPECT_TRUE(reg->Problems().empty());
    EXPECT_EQ(WriteText(*reg, HKEY_CURRENT_USER, kKey, "after", "1"), ERROR_SUCCESS)
        << "a temporary file left by a killed writer is in no one's way";
    EXPECT_EQ(ReadText(*reg, HKEY_CURRENT_USER, kKey, "v0"), expected["v0"]);
}

TEST_F(FileStore, ConcurrentWritersLoseNoUpdate) {
    constexpr int kWrites = 100;
    constexpr const char* kKey = "Software\\Korvane\\Race";
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    auto writer = [&](char tag) {
        return Spawn([&, tag] {
            close(go[1]);
            char byte = 0;
            if (read(go[0], &byte, 1) != 0)
                return false;  // both start when the pipe closes
            FileRegistry reg(machine, user);
            for (int i = 0; i < kWrites; ++i) {
                std::string name = tag + std::to_string(i);
                if (WriteText(reg, HKEY_CURRENT_USER, kKey, name, name + "!") != ERROR_SUCCESS) {
                    return false;
                }
                if (ReadText(reg, HKEY_CURRENT_USER, kKey, name) != name + "!")
                    return false;
            }
            return true;
        });
    };
    pid_t a = writer('a');
    pid_t b = writer('b');
    close(go[0]);
    close(go[1]);
    EXPECT_EQ(ExitStatus(a), 0);
    EXPECT_EQ(ExitStatus(b), 0);

    std::map<std::string, std::string> values = FileValues(user, kKey);
    EXPECT_EQ(values.size(), 2u * kWrites);
    auto reg = Open();
    for (char tag : {'a', 'b'}) {
        for (int i = 0; i < kWrites; ++i) {
            std::string name = tag + std::to_string(i);
            ASSERT_EQ(ReadText(*reg, HKEY_CURRENT_USER, kKey, name), name + "!");
        }
    }
}

}  // namespace
}  // namespace zelwiz
