// The registry file store: point reads against SQLite holding the same data (the anchor), durable
// writes with the fsync calls they cost, a save's batch of changes committed once against the same
// batch committed change by change, and loading a hive file of 1 MB.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/RegFile.h"
#include "platform/TreeRegistry.h"
#include "platform/posix/FileRegistry.h"

namespace zelwiz {
namespace {

constexpr int kHiveKeys = 10000;
constexpr std::size_t kLoadBytes = 1 << 20;
const std::string kBase = "Software\\Korvane\\TSpi_CSTA\\Lines";

[[noreturn]] void Die(const std::string& what) {
    std::fprintf(stderr, "bench_registry: %s\n", what.c_str());
    std::exit(1);
}

std::vector<std::uint8_t> Text(const std::string& s) {
    std::vector<std::uint8_t> bytes(s.begin(), s.end());
    bytes.push_back(0);
    return bytes;
}

struct Point {
    std::string path;
    std::string name;
};

// `keys` keys below kBase, a hundred to a group, each with two texts and a number.
RegNode MakeHive(int keys, std::vector<Point>* points = nullptr) {
    RegNode root;
    RegNode* base = &root;
    std::vector<std::string> levels;
    SplitKeyPath(kBase, &levels);
    for (const auto& level : levels)
        base = &base->FindOrAdd(level);
    for (int i = 0; i < keys; ++i) {
        std::string group = "Group" + std::to_string(i / 100);
        std::string line = "Line" + std::to_string(10000 + i);
        RegNode& node = base->FindOrAdd(group).FindOrAdd(line);
        node.SetValue("Number", REG_SZ, Text(std::to_string(10000 + i)));
        node.SetValue("Address", REG_SZ,
                      Text("10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256)));
        node.SetValue("Flags", REG_DWORD, {static_cast<std::uint8_t>(i), 0, 0, 0});
        if (points != nullptr) {
            points->push_back({kBase + "\\" + group + "\\" + line, i % 2 ? "Number" : "Address"});
        }
    }
    return root;
}

std::string Serialized(const RegNode& root) {
    auto text = SerializeRegFile(root, HKEY_CURRENT_USER);
    if (!text)
        Die("the hive cannot be written");
    return *text;
}

void Save(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        Die("cannot write " + path);
}

void Exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK)
        Die(error);
}

void Insert(sqlite3_stmt* insert, const RegNode& node, const std::string& path) {
    for (const auto& v : node.values) {
        sqlite3_bind_text(insert, 1, path.data(), static_cast<int>(path.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, v.name.data(), static_cast<int>(v.name.size()), SQLITE_STATIC);
        sqlite3_bind_int64(insert, 3, v.type);
        sqlite3_bind_blob(insert, 4, v.data.data(), static_cast<int>(v.data.size()), SQLITE_STATIC);
        if (sqlite3_step(insert) != SQLITE_DONE)
            Die("insert failed");
        sqlite3_reset(insert);
    }
    for (const auto& [name, child] : node.subkeys) {
        Insert(insert, *child, path.empty() ? child->name : path + "\\" + child->name);
    }
}

// What every benchmark shares: a folder with the 10,000-key hive as a file and as an SQLite
// database, and the points to read in a shuffled order.
struct Data {
    std::filesystem::path folder;
    std::string hive;
    std::string database;
    std::vector<Point> points;
    std::size_t hiveBytes = 0;

    Data() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zelwiz-bench-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr)
            Die("no temporary folder");
        folder = pattern;
        hive = folder / "HKEY_CURRENT_USER.reg";
        database = folder / "registry.sqlite";

        RegNode root = MakeHive(kHiveKeys, &points);
        std::string text = Serialized(root);
        hiveBytes = text.size();
        Save(hive, text);
        std::shuffle(points.begin(), points.end(), std::mt19937(7));

        sqlite3* db = nullptr;
        if (sqlite3_open(database.c_str(), &db) != SQLITE_OK)
            Die("cannot open the database");
        Exec(db,
             "CREATE TABLE reg (path TEXT NOT NULL COLLATE NOCASE, name TEXT NOT NULL COLLATE "
             "NOCASE, type INTEGER NOT NULL, data BLOB, PRIMARY KEY (path, name)) WITHOUT ROWID");
        Exec(db, "BEGIN");
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO reg VALUES (?1, ?2, ?3, ?4)", -1, &insert, nullptr);
        Insert(insert, root, "");
        sqlite3_finalize(insert);
        Exec(db, "COMMIT");
        sqlite3_close(db);
    }
    ~Data() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

Data& Shared() {
    static Data data;
    return data;
}

// A hive of about 1 MB, written to its own file.
const std::string& MegabyteHive() {
    static const std::string path = [] {
        Data& data = Shared();
        int keys = static_cast<int>(kHiveKeys * kLoadBytes / data.hiveBytes) + 1;
        std::string text = Serialized(MakeHive(keys));
        std::string file = data.folder / "megabyte" / "HKEY_CURRENT_USER.reg";
        std::filesystem::create_directory(data.folder / "megabyte");
        Save(file, text);
        return file;
    }();
    return path;
}

void PointRead(benchmark::State& state, Registry& reg) {
    const auto& points = Shared().points;
    std::uint8_t buffer[256];
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& p = points[i++ % points.size()];
        HKEY key = 0;
        DWORD type = 0;
        DWORD size = sizeof buffer;
        if (reg.OpenKey(HKEY_CURRENT_USER, p.path, KEY_READ, &key) != ERROR_SUCCESS ||
            reg.QueryValue(key, p.name, &type, buffer, &size) != ERROR_SUCCESS) {
            state.SkipWithError("point read failed");
            break;
        }
        reg.CloseKey(key);
        benchmark::DoNotOptimize(buffer);
    }
}

void BM_PointRead_FileRegistry(benchmark::State& state) {
    Data& data = Shared();
    FileRegistry reg(data.folder / "none.reg", data.hive);
    PointRead(state, reg);
}
BENCHMARK(BM_PointRead_FileRegistry);

// The tree alone, without the file store's freshness check.
void BM_PointRead_MemoryRegistry(benchmark::State& state) {
    class Loaded : public MemoryRegistry {
      public:
        explicit Loaded(const std::string& text) {
            RegFileError error;
            if (!ParseRegFile(text, HKEY_CURRENT_USER, &Root(HKEY_CURRENT_USER), &error)) {
                Die("the hive does not read");
            }
        }
    };
    std::ifstream in(Shared().hive, std::ios::binary);
    Loaded reg(std::string(std::istreambuf_iterator<char>(in), {}));
    PointRead(state, reg);
}
BENCHMARK(BM_PointRead_MemoryRegistry);

// The anchor: a prepared SELECT by key path and value name on the same data.
void BM_PointRead_Sqlite(benchmark::State& state) {
    Data& data = Shared();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(data.database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        Die("cannot open the database");
    }
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT type, data FROM reg WHERE path = ?1 AND name = ?2", -1, &select,
                       nullptr);
    std::uint8_t buffer[256];
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& p = data.points[i++ % data.points.size()];
        sqlite3_bind_text(select, 1, p.path.data(), static_cast<int>(p.path.size()), SQLITE_STATIC);
        sqlite3_bind_text(select, 2, p.name.data(), static_cast<int>(p.name.size()), SQLITE_STATIC);
        if (sqlite3_step(select) != SQLITE_ROW) {
            state.SkipWithError("select failed");
            break;
        }
        auto type = sqlite3_column_int(select, 0);
        auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(select, 1));
        std::memcpy(buffer, sqlite3_column_blob(select, 1), std::min(bytes, sizeof buffer));
        sqlite3_reset(select);
        benchmark::DoNotOptimize(type);
        benchmark::DoNotOptimize(buffer);
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
}
BENCHMARK(BM_PointRead_Sqlite);

// A folder of its own holding a hive of `keys` keys.
std::string HiveOf(const std::string& name, int keys) {
    std::filesystem::path folder = Shared().folder / name;
    std::filesystem::create_directory(folder);
    std::string hive = folder / "HKEY_CURRENT_USER.reg";
    Save(hive, Serialized(MakeHive(keys)));
    return hive;
}

// One value set and made durable, in a hive of state.range(0) keys.
void BM_DurableWrite_FileRegistry(benchmark::State& state) {
    const std::string hive =
        HiveOf("write" + std::to_string(state.range(0)), static_cast<int>(state.range(0)));
    FileRegistry reg(hive + ".none", hive);
    HKEY key = 0;
    if (reg.OpenKey(HKEY_CURRENT_USER, kBase + "\\Group0\\Line10000", KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS) {
        Die("no key to write");
    }
    std::uint64_t syncs = reg.SyncCount();
    int i = 0;
    for (auto _ : state) {
        if (reg.SetString(key, "Number", (++i % 2) ? "12345" : "54321") != ERROR_SUCCESS ||
            reg.FlushKey(HKEY_CURRENT_USER) != ERROR_SUCCESS) {
            state.SkipWithError("write failed");
            break;
        }
    }
    reg.CloseKey(key);
    state.counters["fsync_per_write"] = benchmark::Counter(
        static_cast<double>(reg.SyncCount() - syncs), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DurableWrite_FileRegistry)->Arg(50)->Arg(kHiveKeys)->Unit(benchmark::kMillisecond);

// What a save changes, in a hive of state.range(0) keys: 20 values set, two of them in keys it
// creates, and 2 keys deleted (those the previous batch created). Committed once at its end, as
// the program commits a save, or after every change, as each change was made durable before.
void SaveBatch(benchmark::State& state, bool commitEach) {
    const std::string hive =
        HiveOf(std::string(commitEach ? "each" : "once") + std::to_string(state.range(0)),
               static_cast<int>(state.range(0)));
    FileRegistry reg(hive + ".none", hive);
    auto ok = [&](LONG status) {
        return status == ERROR_SUCCESS &&
               (!commitEach || reg.FlushKey(HKEY_CURRENT_USER) == ERROR_SUCCESS);
    };
    auto created = [](int batch, char which) {
        return kBase + "\\Batch" + std::to_string(batch % 2) + which;
    };
    for (char which : {'a', 'b'}) {
        HKEY key = 0;
        reg.CreateKey(HKEY_CURRENT_USER, created(1, which), KEY_ALL_ACCESS, &key);
        reg.CloseKey(key);
    }
    reg.FlushKey(HKEY_CURRENT_USER);
    const std::uint64_t syncs = reg.SyncCount();
    int batch = 0;
    for (auto _ : state) {
        bool done = true;
        const std::string text = std::to_string(10000 + batch);
        for (int i = 0; i < 18 && done; ++i) {
            HKEY key = 0;
            done =
                reg.OpenKey(HKEY_CURRENT_USER, kBase + "\\Group0\\Line" + std::to_string(10000 + i),
                            KEY_SET_VALUE, &key) == ERROR_SUCCESS &&
                ok(reg.SetString(key, "Number", text));
            reg.CloseKey(key);
        }
        for (char which : {'a', 'b'}) {
            HKEY key = 0;
            done =
                done &&
                ok(reg.CreateKey(HKEY_CURRENT_USER, created(batch, which), KEY_ALL_ACCESS, &key)) &&
                ok(reg.SetString(key, "Number", text));
            reg.CloseKey(key);
            done = done && ok(reg.DeleteKey(HKEY_CURRENT_USER, created(batch + 1, which)));
        }
        if (!done || (!commitEach && reg.FlushKey(HKEY_CURRENT_USER) != ERROR_SUCCESS)) {
            state.SkipWithError("the batch failed");
            break;
        }
        ++batch;
    }
    state.counters["fsync_per_batch"] = benchmark::Counter(
        static_cast<double>(reg.SyncCount() - syncs), benchmark::Counter::kAvgIterations);
}
void BM_SaveBatch_CommittedOnce(benchmark::State& state) {
    SaveBatch(state, false);
}
void BM_SaveBatch_CommittedWriteByWrite(benchmark::State& state) {
    SaveBatch(state, true);
}
BENCHMARK(BM_SaveBatch_CommittedOnce)->Arg(50)->Arg(kHiveKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBatch_CommittedWriteByWrite)
    ->Arg(50)
    ->Arg(kHiveKeys)
    ->Unit(benchmark::kMillisecond);

// For comparison: the same write in SQLite, committed with its default durability.
void BM_DurableWrite_Sqlite(benchmark::State& state) {
    Data& data = Shared();
    sqlite3* db = nullptr;
    if (sqlite3_open(data.database.c_str(), &db) != SQLITE_OK)
        Die("cannot open the database");
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE reg SET data = ?1 WHERE path = ?2 AND name = 'Number'", -1,
                       &update, nullptr);
    const std::string path = kBase + "\\Group0\\Line10000";
    int i = 0;
    for (auto _ : state) {
        const char* text = (++i % 2) ? "12345" : "54321";
        sqlite3_bind_blob(update, 1, text, 6, SQLITE_STATIC);
        sqlite3_bind_text(update, 2, path.data(), static_cast<int>(path.size()), SQLITE_STATIC);
        if (sqlite3_step(update) != SQLITE_DONE) {
            state.SkipWithError("update failed");
            break;
        }
        sqlite3_reset(update);
    }
    sqlite3_finalize(update);
    sqlite3_close(db);
}
BENCHMARK(BM_DurableWrite_Sqlite)->Unit(benchmark::kMillisecond);

// Reading a 1 MB hive text into a tree.
void BM_ParseHive_1MB(benchmark::State& state) {
    std::ifstream in(MegabyteHive(), std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    for (auto _ : state) {
        RegNode root;
        RegFileError error;
        if (!ParseRegFile(text, HKEY_CURRENT_USER, &root, &error)) {
            state.SkipWithError("the hive does not read");
            break;
        }
        benchmark::DoNotOptimize(root);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["file_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ParseHive_1MB)->Unit(benchmark::kMillisecond);

// A store opening a 1 MB hive file and answering its first call: open, read, parse, and
// releasing the tree at the end.
void BM_LoadHive_1MB(benchmark::State& state) {
    const std::string& hive = MegabyteHive();
    for (auto _ : state) {
        FileRegistry reg(hive + ".none", hive);
        HKEY key = 0;
        if (reg.OpenKey(HKEY_CURRENT_USER, kBase, KEY_READ, &key) != ERROR_SUCCESS) {
            state.SkipWithError("the hive does not load");
            break;
        }
        reg.CloseKey(key);
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(hive));
}
BENCHMARK(BM_LoadHive_1MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelwiz

BENCHMARK_MAIN();
