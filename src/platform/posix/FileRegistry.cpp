#include "platform/posix/FileRegistry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/ErrorInfo.h"
#include "platform/RegFile.h"

namespace zelwiz {
namespace {

constexpr LONG kRegistryIoFailed = 1016;  // ERROR_REGISTRY_IO_FAILED
constexpr const char* kMachineFolder = "/var/lib/zelwiz";
constexpr int kDamaged = -1;  // a commit found the file no longer readable

LONG StatusOf(int error) {
    return (error == EACCES || error == EPERM || error == EROFS) ? ERROR_ACCESS_DENIED
                                                                 : kRegistryIoFailed;
}

// What identifies one version of a hive file. The store keeps the version it holds open, so its
// inode number cannot pass to a later version: equal device and inode mean the same file, and size
// and modification time catch an edit in place.
struct Stamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec mtime{};

    static Stamp Of(const struct stat& st) {
        return Stamp{true, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
    }
    bool SameVersion(const Stamp& other) const {
        if (exists != other.exists)
            return false;
        return !exists ||
               (device == other.device && inode == other.inode && size == other.size &&
                mtime.tv_sec == other.mtime.tv_sec && mtime.tv_nsec == other.mtime.tv_nsec);
    }
};

void CloseDescriptor(int* fd) {
    if (*fd >= 0)
        close(*fd);
    *fd = -1;
}

// Holds a flock on a descriptor for its lifetime; an invalid descriptor locks nothing.
class FileLock {
  public:
    FileLock(int fd, int operation) : fd_(fd) {
        if (fd_ < 0)
            return;
        while (flock(fd_, operation) != 0) {
            if (errno != EINTR) {
                fd_ = -1;
                return;
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0)
            flock(fd_, LOCK_UN);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return fd_ >= 0; }

  private:
    int fd_;
};

bool ReadAll(int fd, off_t sizeHint, std::string* out) {
    out->clear();
    out->resize(static_cast<std::size_t>(sizeHint > 0 ? sizeHint : 0) + 1);
    std::size_t used = 0;
    while (true) {
        if (used == out->size())
            out->resize(out->size() * 2);
        ssize_t n = read(fd, out->data() + used, out->size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    out->resize(used);
    return true;
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Creates `folder` and its missing parents.
bool MakeFolders(const std::string& folder, mode_t mode) {
    if (folder.empty() || mkdir(folder.c_str(), mode) == 0 || errno == EEXIST)
        return true;
    if (errno != ENOENT)
        return false;
    std::string parent = std::filesystem::path(folder).parent_path().string();
    if (parent == folder || !MakeFolders(parent, mode))
        return false;
    return mkdir(folder.c_str(), mode) == 0 || errno == EEXIST;
}

// Whether the user may create `folder` (and what it will hold): the nearest folder on its path
// that exists is writable for him.
bool CanCreateIn(std::string folder) {
    while (true) {
        if (access(folder.c_str(), F_OK) == 0)
            return access(folder.c_str(), W_OK) == 0;
        std::string parent = std::filesystem::path(folder).parent_path().string();
        if (parent.empty())
            parent = ".";
        if (parent == folder)
            return false;
        folder = parent;
    }
}

// Whether the file can hold what `change` adds: names it can write, a key not too deep for it.
bool FitsRegFile(const HiveChange& change) {
    if (change.kind != HiveChange::Kind::CreateKey && change.kind != HiveChange::Kind::SetValue)
        return true;
    if (change.key.size() > kMaxKeyDepth)
        return false;
    for (const auto& level : change.key) {
        if (!RegFileCanName(level))
            return false;
    }
    return change.kind != HiveChange::Kind::SetValue || RegFileCanName(change.value.name);
}

std::string Unreadable(const std::string& path, const std::string& what) {
    return "registry file " + path + " cannot be read" + what +
           "; it is left as it is and not written";
}

}  // namespace

struct FileRegistry::HiveFile {
    HKEY hive = 0;
    std::string path;
    std::string folder;
    std::string lockPath;
    std::string tempPath;
    mode_t fileMode = 0600;    // for a hive file this store creates
    mode_t folderMode = 0700;  // for the folders it creates
    bool loaded = false;       // the tree is the one of `stamp`
    Stamp stamp;
    int heldFd = -1;  // the version of `stamp`, kept open (see Stamp)
    int lockFd = -1;
    std::string problem;
    std::vector<HiveChange> journal;  // this process's changes the file does not hold yet

    HiveFile(HKEY h, std::string file, mode_t fileCreateMode, mode_t folderCreateMode)
        : hive(h),
          path(std::move(file)),
          lockPath(path + ".lock"),
          tempPath(path + ".tmp"),
          fileMode(fileCreateMode),
          folderMode(folderCreateMode) {
        folder = std::filesystem::path(path).parent_path().string();
        if (folder.empty())
            folder = ".";
    }
    ~HiveFile() {
        CloseDescriptor(&heldFd);
        CloseDescriptor(&lockFd);
    }
};

HiveFiles HiveFilesFor(const char* registryFolder, const char* xdgConfigHome, const char* home) {
    auto set = [](const char* s) { return s != nullptr && *s != '\0'; };
    if (set(registryFolder)) {
        std::filesystem::path folder(registryFolder);
        return {(folder / "HKEY_LOCAL_MACHINE.reg").string(),
                (folder / "HKEY_CURRENT_USER.reg").string()};
    }
    std::filesystem::path config = set(xdgConfigHome) && xdgConfigHome[0] == '/'
                                       ? std::filesystem::path(xdgConfigHome)
                                       : std::filesystem::path(set(home) ? home : "/") / ".config";
    return {(std::filesystem::path(kMachineFolder) / "HKEY_LOCAL_MACHINE.reg").string(),
            (config / "zelwiz" / "HKEY_CURRENT_USER.reg").string()};
}

std::unique_ptr<FileRegistry> FileRegistry::FromEnvironment() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    HiveFiles files =
        HiveFilesFor(std::getenv("ZELWIZ_REGISTRY"), std::getenv("XDG_CONFIG_HOME"), home);
    return std::make_unique<FileRegistry>(files.machine, files.user);
}

FileRegistry::FileRegistry(std::string machineFile, std::string userFile, Options options)
    : machine_(std::make_unique<HiveFile>(HKEY_LOCAL_MACHINE, std::move(machineFile), 0644, 0755)),
      user_(std::make_unique<HiveFile>(HKEY_CURRENT_USER, std::move(userFile), 0600, 0700)),
      options_(options) {}

FileRegistry::~FileRegistry() {
    for (HiveFile* file : {machine_.get(), user_.get()}) {
        if (!file->journal.empty())
            Commit(*file);
    }
}

FileRegistry::HiveFile& FileRegistry::File(HKEY hive) {
    return hive == HKEY_LOCAL_MACHINE ? *machine_ : *user_;
}

bool FileRegistry::Fresh(const HiveFile& file) const {
    if (!file.loaded)
        return false;
    struct stat st;
    if (stat(file.path.c_str(), &st) != 0)
        return errno == ENOENT && !file.stamp.exists;
    return file.stamp.SameVersion(Stamp::Of(st));
}

void FileRegistry::Load(HiveFile& file, bool takeSharedLock) {
    // Writers replace the file by renaming, so reading without the lock (when the lock file
    // cannot be opened) still sees one whole version.
    FileLock lock(takeSharedLock ? LockDescriptor(file, false) : -1, LOCK_SH);
    RegNode& root = Root(file.hive);
    CloseDescriptor(&file.heldFd);
    file.loaded = false;
    file.stamp = Stamp{};
    file.problem.clear();
    root = RegNode{};

    int fd = open(file.path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    std::string bytes;
    RegFileError error;
    if (fd < 0 && errno == ENOENT) {
        file.loaded = true;  // a missing file is an empty hive
    } else if (fd < 0 || fstat(fd, &st) != 0 || !ReadAll(fd, st.st_size, &bytes)) {
        file.problem = Unreadable(file.path, std::string(": ") + std::strerror(errno));
        if (fd >= 0)
            close(fd);
    } else {
        if (!ReadRegFile(bytes, file.hive, &root, &error)) {
            file.problem = Unreadable(
                file.path, " at line " + std::to_string(error.line) + ": " + error.reason);
        }
        file.heldFd = fd;
        file.stamp = Stamp::Of(st);
        file.loaded = true;
    }
    AddStandardKeys(root);
    if (file.problem.empty()) {
        for (const HiveChange& change : file.journal)
            ReapplyChange(root, change);
    }
}

void FileRegistry::Refresh(HiveFile& file) {
    if (!Fresh(file))
        Load(file, true);
}

int FileRegistry::LockDescriptor(HiveFile& file, bool create) {
    // flock needs no write access, so readers of a hive they may not change can share the lock.
    // Only writers create the lock file; before it exists there is nothing to wait for.
    if (file.lockFd < 0 && create)
        file.lockFd = open(file.lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (file.lockFd < 0)
        file.lockFd = open(file.lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    return file.lockFd;
}

LONG FileRegistry::ReadHive(HKEY hive, const ReadFn& fn) {
    HiveFile& file = File(hive);
    Refresh(file);
    return fn(Root(hive));
}

bool FileRegistry::HiveWritable(HKEY hive) {
    if (hive == HKEY_LOCAL_MACHINE && options_.machineReadOnly)
        return false;
    HiveFile& file = File(hive);
    Refresh(file);
    if (!file.problem.empty())
        return false;
    if (!file.stamp.exists)
        return CanCreateIn(file.folder);
    return access(file.path.c_str(), W_OK) == 0 && access(file.folder.c_str(), W_OK) == 0;
}

LONG FileRegistry::WriteHive(HKEY hive, const HiveChange& change, bool* changed) {
    if (hive == HKEY_LOCAL_MACHINE && options_.machineReadOnly)
        return ERROR_ACCESS_DENIED;
    HiveFile& file = File(hive);
    Refresh(file);
    if (!file.problem.empty())
        return ERROR_ACCESS_DENIED;
    // Refused now rather than at the commit, which would then fail for good.
    if (!FitsRegFile(change))
        return ERROR_INVALID_PARAMETER;
    bool made = false;
    LONG rc = ApplyChange(Root(hive), change, &made);
    if (rc == ERROR_SUCCESS && made)
        file.journal.push_back(change);
    if (changed != nullptr)
        *changed = made;
    return rc;
}

LONG FileRegistry::CommitHive(HKEY hive) {
    HiveFile& file = File(hive);
    if (file.journal.empty())
        return ERROR_SUCCESS;
    int error = Commit(file);
    if (error == 0)
        return ERROR_SUCCESS;
    if (error == kDamaged)
        return ERROR_BADDB;
    SetLastDllError(error);
    return StatusOf(error);
}

std::string FileRegistry::HiveLocation(HKEY hive) {
    return File(hive).path;
}

int FileRegistry::Commit(HiveFile& file) {
    if (!MakeFolders(file.folder, file.folderMode))
        return errno;
    FileLock lock(LockDescriptor(file, true), LOCK_EX);
    if (!lock.held())
        return errno;
    if (!Fresh(file))
        Load(file, false);
    if (!file.problem.empty())
        return kDamaged;
    // Every change was checked when it was made, so the tree can be written.
    std::optional<std::string> text = SerializeRegFile(Root(file.hive), file.hive);
    int error = text ? Replace(file, *text) : EINVAL;
    if (error == 0)
        file.journal.clear();
    return error;
}

int FileRegistry::Replace(HiveFile& file, const std::string& text) {
    // Only the holder of the exclusive lock uses the temporary file; one left by a writer that
    // died is simply replaced.
    unlink(file.tempPath.c_str());
    int fd = open(file.tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, file.fileMode);
    if (fd < 0)
        return errno;
    auto fail = [&] {
        int error = errno;
        close(fd);
        unlink(file.tempPath.c_str());
        return error;
    };
    struct stat old;
    if (stat(file.path.c_str(), &old) == 0) {
        // Keep what the administrator gave the hive file: its permissions and, where allowed,
        // its owner and group.
        if (fchown(fd, old.st_uid, old.st_gid) != 0 &&
            fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Not a member of that group: the file goes to the writer's group.
        }
        if (fchmod(fd, old.st_mode & 07777) != 0)
            return fail();
    }
    if (!WriteAll(fd, text))
        return fail();
    ++syncs_;
    if (fsync(fd) != 0)
        return fail();
    if (rename(file.tempPath.c_str(), file.path.c_str()) != 0)
        return fail();

    struct stat st;
    if (fstat(fd, &st) != 0) {
        int error = errno;
        close(fd);
        file.loaded = false;  // read the new version again
        return error;
    }
    CloseDescriptor(&file.heldFd);
    file.heldFd = fd;
    file.stamp = Stamp::Of(st);
    file.loaded = true;

    int folder = open(file.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return errno;
    ++syncs_;
    int synced = fsync(folder);
    int error = errno;
    close(folder);
    return synced == 0 ? 0 : error;
}

std::vector<std::string> FileRegistry::Problems() {
    std::vector<std::string> lines;
    for (HiveFile* file : {machine_.get(), user_.get()}) {
        Refresh(*file);
        if (!file->problem.empty())
            lines.push_back(file->problem);
    }
    return lines;
}

}  // namespace zelwiz
