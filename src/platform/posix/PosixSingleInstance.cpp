#include "platform/posix/PosixSingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace zelwiz {
namespace {

constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 3000;

std::string HashText(const std::string& text) {
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016zx", std::hash<std::string>{}(text));
    return buf;
}

bool Address(const std::string& name, sockaddr_un* addr, socklen_t* length) {
    std::memset(addr, 0, sizeof *addr);
    addr->sun_family = AF_UNIX;
    if (name.size() >= sizeof addr->sun_path)
        return false;
    std::memcpy(addr->sun_path, name.data(), name.size());
    *length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size() +
                                     (name[0] == '\0' ? 0 : 1));
    return true;
}

bool WaitFor(int fd, short events, int ms) {
    pollfd p{fd, events, 0};
    int rc;
    do {
        rc = ::poll(&p, 1, ms);
    } while (rc < 0 && errno == EINTR);
    return rc > 0 && (p.revents & (events | POLLHUP)) != 0;
}

// Reads one line (without its line break) within the time bound.
bool ReadLine(int fd, std::string* line, int ms) {
    line->clear();
    char c;
    while (line->size() < 4096) {
        if (!WaitFor(fd, POLLIN, ms))
            return false;
        ssize_t n = ::read(fd, &c, 1);
        if (n <= 0)
            return false;
        if (c == '\n')
            return true;
        line->push_back(c);
    }
    return false;
}

// Why `folder` is not the user's own private folder; empty when it is.
std::string PrivateFolderProblem(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();  // a trailing "/" would make lstat follow a link
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0)
        return std::string("cannot be read (") + std::strerror(errno) + ")";
    if (S_ISLNK(st.st_mode))
        return "is a link";
    if (!S_ISDIR(st.st_mode))
        return "is not a folder";
    if (st.st_uid != ::geteuid())
        return "belongs to user " + std::to_string(st.st_uid);
    if ((st.st_mode & 07777) != 0700) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
        return std::string("has mode ") + mode + " instead of 0700";
    }
    return {};
}

// The process at the other end of a connected local socket runs as this user.
bool PeerIsThisUser(int fd) {
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
           peer.uid == ::geteuid();
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        if (!WaitFor(fd, POLLOUT, kAnswerMs))
            return false;
        ssize_t n = ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

PosixSingleInstance::PosixSingleInstance(const std::string& runtimeFolder,
                                         const std::string& installation) {
    if (const std::string problem = PrivateFolderProblem(runtimeFolder); !problem.empty()) {
        folderProblem_ = "The runtime folder " + runtimeFolder + " " + problem +
                         ": this copy runs alone, without looking for a running one (the folder "
                         "must be the user's own, with mode 0700).";
        checked_ = true;  // no earlier instance, no lock, no socket
        return;
    }
    const std::string id = HashText(installation);
    lockPath_ = runtimeFolder + "/zelwiz-" + id + ".lock";
    socketName_ = runtimeFolder + "/zelwiz-" + id + ".sock";
    sockaddr_un probe;
    socklen_t length;
    if (!Address(socketName_, &probe, &length)) {
        // The folder's path is too long for a socket path: use the abstract namespace.
        socketName_ =
            std::string(1, '\0') + "zelwiz-" + HashText(runtimeFolder + "|" + installation);
    }
}

std::unique_ptr<PosixSingleInstance> PosixSingleInstance::ForThisSession() {
    std::string folder;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && *runtime != '\0') {
        folder = runtime;
    } else {
        folder = "/tmp/zelwiz-" + std::to_string(::geteuid());
        if (::mkdir(folder.c_str(), 0700) == 0)
            ::chmod(folder.c_str(), 0700);  // whatever the umask
    }
    const char* registry = std::getenv("ZELWIZ_REGISTRY");
    return std::make_unique<PosixSingleInstance>(folder, registry != nullptr ? registry : "");
}

PosixSingleInstance::~PosixSingleInstance() {
    stop_ = true;
    if (wakeFds_[1] >= 0)
        (void)!::write(wakeFds_[1], "x", 1);
    if (listener_.joinable())
        listener_.join();
    for (int fd : wakeFds_) {
        if (fd >= 0)
            ::close(fd);
    }
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        if (socketName_[0] != '\0')
            ::unlink(socketName_.c_str());
    }
    if (lockFd_ >= 0)
        ::close(lockFd_);  // releases the lock
}

bool PosixSingleInstance::PrevInstance() {
    if (checked_)
        return previous_;
    checked_ = true;
    lockFd_ = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0)
        return previous_ = false;  // no runtime folder: nothing to share, run alone
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) == 0)
        return previous_ = false;
    ::close(lockFd_);
    lockFd_ = -1;
    return previous_ = true;
}

bool PosixSingleInstance::ActivateWindow(const std::string& caption) {
    if (!folderProblem_.empty())
        return false;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr;
    socklen_t length;
    bool ok = Address(socketName_, &addr, &length);
    if (ok && ::connect(fd, reinterpret_cast<sockaddr*>(&addr), length) != 0) {
        ok = (errno == EINPROGRESS || errno == EAGAIN) && WaitFor(fd, POLLOUT, kConnectMs);
    }
    std::string answer;
    ok = ok && PeerIsThisUser(fd) && WriteAll(fd, caption + "\n") &&
         ReadLine(fd, &answer, kAnswerMs) && answer == "1";
    ::close(fd);
    return ok;
}

void PosixSingleInstance::Serve(std::function<bool(const std::string& caption)> activate) {
    if (listener_.joinable() || lockFd_ < 0)
        return;
    activate_ = std::move(activate);
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_un addr;
    socklen_t length;
    if (listenFd_ < 0 || !Address(socketName_, &addr, &length))
        return;
    if (socketName_[0] != '\0')
        ::unlink(socketName_.c_str());  // left by a copy that crashed
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), length) != 0 ||
        ::listen(listenFd_, 4) != 0) {
        ::close(listenFd_);
        listenFd_ = -1;
        return;
    }
    if (::pipe2(wakeFds_, O_CLOEXEC) != 0) {
        ::close(listenFd_);
        listenFd_ = -1;
        return;
    }
    listener_ = std::thread([this] { Listen(); });
}

void PosixSingleInstance::Listen() {
    while (!stop_) {
        pollfd watched[2] = {{listenFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
        if (::poll(watched, 2, -1) <= 0 || (watched[0].revents & POLLIN) == 0)
            continue;
        int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0)
            continue;
        if (!PeerIsThisUser(client)) {
            ::close(client);  // another user's process: no answer at all
            continue;
        }
        std::string caption;
        if (ReadLine(client, &caption, kConnectMs)) {
            const bool done = activate_ && activate_(caption);
            WriteAll(client, done ? "1\n" : "0\n");
        }
        ::close(client);
    }
}

}  // namespace zelwiz
