#pragma once
// The registry of the Linux build: each hive is a .reg text file that every process using it
// shares. A process's changes stay in memory, where its own calls see them at once, until FlushKey
// commits them: under the hive's exclusive lock, the file is read again when another process
// replaced it, this process's changes are made again on top in their order, and the result is
// written to a temporary file beside the hive, flushed, renamed over it, and the folder flushed.
// Other processes therefore see all of a commit or none of it, and a crash leaves the old file or
// the new one. Every call first checks, with one stat, whether another process replaced the file,
// and reads it again when it did. A hive file that cannot be read is never written: its hive reads
// as empty, changes to it are refused, and Problems() says why. It reads every form of .reg file
// regedit writes (see RegFile.h) and writes UTF-8.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/TreeRegistry.h"

namespace zelwiz {

struct HiveFiles {
    std::string machine;  // HKEY_LOCAL_MACHINE.reg
    std::string user;     // HKEY_CURRENT_USER.reg
};

// Where the hives live. A non-empty `registryFolder` (ZELWIZ_REGISTRY) holds both. Otherwise the
// machine hive is /var/lib/zelwiz/HKEY_LOCAL_MACHINE.reg and the user hive
// <config>/zelwiz/HKEY_CURRENT_USER.reg, <config> being `xdgConfigHome` when it is an absolute
// path, else <home>/.config. Null and empty arguments count as unset.
HiveFiles HiveFilesFor(const char* registryFolder, const char* xdgConfigHome, const char* home);

class FileRegistry : public TreeRegistry {
  public:
    struct Options {
        // Refuses every change of the machine hive, whatever the file system would allow (as for
        // root, whom access checks always let through).
        bool machineReadOnly = false;
    };

    FileRegistry(std::string machineFile, std::string userFile, Options options);
    FileRegistry(std::string machineFile, std::string userFile)
        : FileRegistry(std::move(machineFile), std::move(userFile), Options{}) {}
    // Commits what is left uncommitted, as the system registry writes its changes in the end
    // without RegFlushKey; a failure then goes unreported.
    ~FileRegistry() override;
    FileRegistry(const FileRegistry&) = delete;
    FileRegistry& operator=(const FileRegistry&) = delete;

    // The registry of this process: the files that ZELWIZ_REGISTRY, XDG_CONFIG_HOME and HOME
    // name, as HiveFilesFor places them.
    static std::unique_ptr<FileRegistry> FromEnvironment();

    // One line for each hive file that cannot be read, naming the file and what is wrong, e.g.
    // "registry file /x/HKEY_CURRENT_USER.reg cannot be read at line 12: expected "name"=value;
    // it is left as it is and not written". Empty when both hives are sound.
    std::vector<std::string> Problems();

    // fsync calls made so far; a commit costs two (the new file and its folder).
    std::uint64_t SyncCount() const { return syncs_; }

    std::string HiveLocation(HKEY hive) override;

  protected:
    LONG ReadHive(HKEY hive, const ReadFn& fn) override;
    LONG WriteHive(HKEY hive, const HiveChange& change, bool* changed) override;
    // A commit that fails leaves the file as it was, keeps the changes for the next commit, and
    // records the system's reason with SetLastDllError.
    LONG CommitHive(HKEY hive) override;
    // The user may change the hive when its file (or, before it exists, the nearest existing
    // folder on its path) and its folder are writable for him, and the file can be read.
    bool HiveWritable(HKEY hive) override;

  private:
    struct HiveFile;

    HiveFile& File(HKEY hive);
    bool Fresh(const HiveFile& file) const;
    void Load(HiveFile& file, bool takeSharedLock);
    void Refresh(HiveFile& file);
    int LockDescriptor(HiveFile& file, bool create);
    int Commit(HiveFile& file);
    int Replace(HiveFile& file, const std::string& text);

    std::unique_ptr<HiveFile> machine_;
    std::unique_ptr<HiveFile> user_;
    Options options_;
    std::uint64_t syncs_ = 0;
};

}  // namespace zelwiz
