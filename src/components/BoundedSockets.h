#pragma once
// IPv4 sockets whose every call waits at most until a deadline: UDP datagrams, TCP connections,
// line reads. They stand on Asio, which stays out of this header: the system's socket headers
// (Windows' among them) reach only the files that open sockets.

#include <memory>
#include <string>
#include <string_view>

#include "components/Deadline.h"
#include "components/Ipv4Address.h"

namespace zelwiz {

enum class NetStatus {
    Ok,
    TimedOut,     // nothing in time
    Refused,      // nobody listens there
    Unreachable,  // no route to the address
    Reset,        // the peer reset or closed the connection
    Failed,       // any other system error
};

class UdpSocket {
  public:
    // A socket bound to `local` (port 0: any free port); `broadcast` allows sending to a
    // broadcast address. Nothing when it cannot be opened.
    static std::unique_ptr<UdpSocket> Open(Ipv4Endpoint local, bool broadcast);
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    NetStatus SendTo(Ipv4Endpoint to, std::string_view data, Deadline deadline);
    // Waits for one datagram: Ok with `data` and `from` filled, or TimedOut. The report of an
    // earlier datagram that found no listener is not this wait's end.
    NetStatus ReceiveFrom(Deadline deadline, std::string* data, Ipv4Endpoint* from);

  private:
    struct Io;
    explicit UdpSocket(std::unique_ptr<Io> io);
    std::unique_ptr<Io> io_;
};

class TcpConnection {
  public:
    TcpConnection();
    ~TcpConnection();
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    NetStatus Connect(Ipv4Endpoint to, Deadline deadline);
    NetStatus SendAll(std::string_view data, Deadline deadline);
    // Reads one line of at most `maxLength` bytes, its line feed included; the line comes back
    // without its line ending. Reset when the peer closes first; Failed when the line is longer.
    NetStatus ReadLine(Deadline deadline, size_t maxLength, std::string* line);

  private:
    struct Io;
    std::unique_ptr<Io> io_;
};

}  // namespace zelwiz
