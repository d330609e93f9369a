#pragma once
// IPv4 sockets with every wait bounded by a deadline: UDP datagrams, TCP connections, line reads.
// Sockets are non-blocking; each call polls for at most the time left.

#include <netinet/in.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "components/Deadline.h"

namespace zelwiz {

// Owns one file descriptor.
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    ~UniqueFd() { Reset(); }
    int get() const { return fd_; }
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void Reset();
    explicit operator bool() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

enum class NetStatus {
    Ok,
    TimedOut,     // nothing in time
    Refused,      // nobody listens there
    Unreachable,  // no route to the address
    Reset,        // the peer reset or closed the connection
    Failed,       // any other system error
};
const char* NetStatusText(NetStatus status);

// A dotted-quad IPv4 address ("127.0.0.21") and a port, in the form the calls take.
std::optional<sockaddr_in> ParseIpv4(std::string_view address, std::uint16_t port = 0);
std::string AddressText(const sockaddr_in& endpoint);  // "127.0.0.21"
std::uint16_t PortOf(const sockaddr_in& endpoint);
bool IsLoopback(const sockaddr_in& endpoint);  // 127.0.0.0/8

// A UDP socket bound to `local` (port 0: any free port). `broadcast` allows sending to a
// broadcast address. Invalid on failure, with errno left as the system set it.
UniqueFd OpenUdpSocket(const sockaddr_in& local, bool broadcast);
// A TCP socket listening on `local`, with the address reusable at once after a stop.
UniqueFd OpenTcpListener(const sockaddr_in& local);
// The address a socket is bound to (its port once the system chose one).
std::optional<sockaddr_in> LocalEndpoint(int fd);

NetStatus SendDatagram(int fd, const sockaddr_in& to, std::string_view data, Deadline deadline);
// Waits for one datagram; Ok with `data` and `from` filled, or TimedOut.
NetStatus ReceiveDatagram(int fd, Deadline deadline, std::string* data, sockaddr_in* from);

NetStatus ConnectTcp(const sockaddr_in& to, Deadline deadline, UniqueFd* connection);
// Accepts one waiting connection (non-blocking); invalid when none is waiting.
UniqueFd AcceptConnection(int listener);
NetStatus SendAll(int fd, std::string_view data, Deadline deadline);
// Reads up to and including a line feed, at most `maxLength` bytes; the line comes back without
// its line ending. Reset when the peer closes first; Failed when the line is too long.
NetStatus ReadLine(int fd, Deadline deadline, size_t maxLength, std::string* line);

}  // namespace zelwiz
