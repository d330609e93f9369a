#include "components/PosixSockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zelwiz {
namespace {

sockaddr* AsAddr(sockaddr_in* a) {
    return reinterpret_cast<sockaddr*>(a);
}
const sockaddr* AsAddr(const sockaddr_in* a) {
    return reinterpret_cast<const sockaddr*>(a);
}

NetStatus StatusOfErrno(int error) {
    switch (error) {
        case ECONNREFUSED:
            return NetStatus::Refused;
        case ENETUNREACH:
        case EHOSTUNREACH:
        case EADDRNOTAVAIL:
            return NetStatus::Unreachable;
        case ECONNRESET:
        case EPIPE:
        case ECONNABORTED:
            return NetStatus::Reset;
        case ETIMEDOUT:
            return NetStatus::TimedOut;
        default:
            return NetStatus::Failed;
    }
}

// Waits until `fd` is ready for `events` or the deadline passes; answers the events seen, 0 on
// timeout, -1 on error.
int WaitFor(int fd, short events, Deadline deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, deadline.RemainingMs());
        if (n > 0)
            return p.revents;
        if (n == 0)
            return 0;
        if (errno != EINTR)
            return -1;
    }
}

// Waits until `fd` is ready for `events`: nothing when the caller should try again, otherwise
// how the wait ended (the deadline passed, or poll failed).
std::optional<NetStatus> AwaitReady(int fd, short events, Deadline deadline) {
    const int ready = WaitFor(fd, events, deadline);
    if (ready == 0)
        return NetStatus::TimedOut;
    if (ready < 0)
        return StatusOfErrno(errno);
    return std::nullopt;
}

UniqueFd NewSocket(int type) {
    return UniqueFd(::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        Reset();
        fd_ = other.Release();
    }
    return *this;
}

void UniqueFd::Reset() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

const char* NetStatusText(NetStatus status) {
    switch (status) {
        case NetStatus::Ok:
            return "ok";
        case NetStatus::TimedOut:
            return "timed out";
        case NetStatus::Refused:
            return "connection refused";
        case NetStatus::Unreachable:
            return "unreachable";
        case NetStatus::Reset:
            return "connection reset";
        case NetStatus::Failed:
            return "failed";
    }
    return "failed";
}

std::optional<sockaddr_in> ParseIpv4(std::string_view address, std::uint16_t port) {
    // inet_pton takes exactly four decimal parts, no leading blanks, no shorthand forms.
    if (address.empty() || address.size() > 15)
        return std::nullopt;
    const std::string text(address);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    if (::inet_pton(AF_INET, text.c_str(), &a.sin_addr) != 1)
        return std::nullopt;
    return a;
}

std::string AddressText(const sockaddr_in& endpoint) {
    char buf[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &endpoint.sin_addr, buf, sizeof buf);
    return buf;
}

std::uint16_t PortOf(const sockaddr_in& endpoint) {
    return ntohs(endpoint.sin_port);
}

bool IsLoopback(const sockaddr_in& endpoint) {
    return (ntohl(endpoint.sin_addr.s_addr) >> 24) == 127;
}

UniqueFd OpenUdpSocket(const sockaddr_in& local, bool broadcast) {
    UniqueFd fd = NewSocket(SOCK_DGRAM);
    if (!fd)
        return fd;
    const int on = 1;
    if (broadcast && ::setsockopt(fd.get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0)
        return {};
    if (::bind(fd.get(), AsAddr(&local), sizeof local) != 0)
        return {};
    return fd;
}

UniqueFd OpenTcpListener(const sockaddr_in& local) {
    UniqueFd fd = NewSocket(SOCK_STREAM);
    if (!fd)
        return fd;
    const int on = 1;
    ::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd.get(), AsAddr(&local), sizeof local) != 0 || ::listen(fd.get(), 16) != 0)
        return {};
    return fd;
}

std::optional<sockaddr_in> LocalEndpoint(int fd) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    if (::getsockname(fd, AsAddr(&a), &len) != 0)
        return std::nullopt;
    return a;
}

NetStatus SendDatagram(int fd, const sockaddr_in& to, std::string_view data, Deadline deadline) {
    for (;;) {
        const ssize_t n =
            ::sendto(fd, data.data(), data.size(), MSG_NOSIGNAL, AsAddr(&to), sizeof to);
        if (n == static_cast<ssize_t>(data.size()))
            return NetStatus::Ok;
        if (n >= 0)
            return NetStatus::Failed;  // a datagram goes whole or not at all
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return StatusOfErrno(errno);
        if (auto ended = AwaitReady(fd, POLLOUT, deadline))
            return *ended;
    }
}

NetStatus ReceiveDatagram(int fd, Deadline deadline, std::string* data, sockaddr_in* from) {
    char buf[2048];
    for (;;) {
        sockaddr_in sender{};
        socklen_t len = sizeof sender;
        const ssize_t n = ::recvfrom(fd, buf, sizeof buf, 0, AsAddr(&sender), &len);
        if (n >= 0) {
            data->assign(buf, static_cast<size_t>(n));
            *from = sender;
            return NetStatus::Ok;
        }
        // An error queued by an earlier datagram (an unreachable port) is not this wait's end.
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNREFUSED)
            return StatusOfErrno(errno);
        if (auto ended = AwaitReady(fd, POLLIN, deadline))
            return *ended;
    }
}

NetStatus ConnectTcp(const sockaddr_in& to, Deadline deadline, UniqueFd* connection) {
    UniqueFd fd = NewSocket(SOCK_STREAM);
    if (!fd)
        return StatusOfErrno(errno);
    if (::connect(fd.get(), AsAddr(&to), sizeof to) != 0) {
        if (errno != EINPROGRESS && errno != EINTR)
            return StatusOfErrno(errno);
        if (auto ended = AwaitReady(fd.get(), POLLOUT, deadline))
            return *ended;
        int error = 0;
        socklen_t len = sizeof error;
        if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &len) != 0)
            return StatusOfErrno(errno);
        if (error != 0)
            return StatusOfErrno(error);
    }
    *connection = std::move(fd);
    return NetStatus::Ok;
}

UniqueFd AcceptConnection(int listener) {
    for (;;) {
        const int fd = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0 || errno != EINTR)
            return UniqueFd(fd);
    }
}

NetStatus SendAll(int fd, std::string_view data, Deadline deadline) {
    while (!data.empty()) {
        const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n > 0) {
            data.remove_prefix(static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return StatusOfErrno(errno);
        if (auto ended = AwaitReady(fd, POLLOUT, deadline))
            return *ended;
    }
    return NetStatus::Ok;
}

NetStatus ReadLine(int fd, Deadline deadline, size_t maxLength, std::string* line) {
    line->clear();
    char c = 0;
    for (;;) {
        // One byte at a time: a line is short, and nothing after it is taken from the socket.
        const ssize_t n = ::recv(fd, &c, 1, 0);
        if (n == 1) {
            if (c == '\n') {
                if (!line->empty() && line->back() == '\r')
                    line->pop_back();
                return NetStatus::Ok;
            }
            if (line->size() >= maxLength)
                return NetStatus::Failed;
            line->push_back(c);
            continue;
        }
        if (n == 0)
            return NetStatus::Reset;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return StatusOfErrno(errno);
        if (auto ended = AwaitReady(fd, POLLIN, deadline))
            return *ended;
    }
}

}  // namespace zelwiz
