#include "components/BoundedSockets.h"

#include <optional>

#include "components/AsioSockets.h"

#include <asio/read_until.hpp>
#include <asio/write.hpp>

namespace zelwiz {
namespace {

using asio::ip::tcp;
using asio::ip::udp;

// How one operation ended, filled in by its completion handler.
using Ending = std::optional<std::error_code>;

// Runs `io` until the operation just started on `socket` has ended or the deadline has passed,
// when it is cancelled and its end awaited. One that ends by that cancellation timed out.
template <typename Socket>
NetStatus Await(asio::io_context& io, Socket& socket, Deadline deadline, const Ending& ended) {
    io.restart();
    io.run_until(deadline.At());
    if (!ended) {
        std::error_code ignored;
        socket.cancel(ignored);
        io.run();
    }
    if (!ended || *ended == asio::error::operation_aborted)
        return NetStatus::TimedOut;
    return StatusOf(*ended);
}

// What a receive may report that concerns an earlier datagram rather than this one: one that
// found no listener (Windows hands the ICMP "port unreachable" to the next receive), or one too
// long for the buffer (Windows drops it with an error where Linux cuts it short).
bool IsAboutAnotherDatagram(const std::error_code& error) {
    return error == asio::error::connection_refused || error == asio::error::connection_reset ||
           error == asio::error::message_size;
}

}  // namespace

struct UdpSocket::Io {
    asio::io_context io{1};
    udp::socket socket{io};
};

UdpSocket::UdpSocket(std::unique_ptr<Io> io) : io_(std::move(io)) {}
UdpSocket::~UdpSocket() = default;

std::unique_ptr<UdpSocket> UdpSocket::Open(Ipv4Endpoint local, bool broadcast) {
    auto io = std::make_unique<Io>();
    if (OpenUdpSocket(io->socket, local, broadcast))
        return nullptr;
    return std::unique_ptr<UdpSocket>(new UdpSocket(std::move(io)));
}

NetStatus UdpSocket::SendTo(Ipv4Endpoint to, std::string_view data, Deadline deadline) {
    Ending ended;
    size_t sent = 0;
    io_->socket.async_send_to(asio::buffer(data.data(), data.size()), ToAsio<udp>(to),
                              [&](std::error_code error, size_t size) {
                                  ended = error;
                                  sent = size;
                              });
    const NetStatus status = Await(io_->io, io_->socket, deadline, ended);
    if (status == NetStatus::Ok && sent != data.size())
        return NetStatus::Failed;  // a datagram goes whole or not at all
    return status;
}

NetStatus UdpSocket::ReceiveFrom(Deadline deadline, std::string* data, Ipv4Endpoint* from) {
    char buffer[2048];
    for (;;) {
        Ending ended;
        size_t size = 0;
        udp::endpoint sender;
        io_->socket.async_receive_from(asio::buffer(buffer), sender,
                                       [&](std::error_code error, size_t received) {
                                           ended = error;
                                           size = received;
                                       });
        const NetStatus status = Await(io_->io, io_->socket, deadline, ended);
        if (ended && IsAboutAnotherDatagram(*ended))
            continue;
        if (status == NetStatus::Ok) {
            data->assign(buffer, size);
            *from = FromAsio(sender);
        }
        return status;
    }
}

struct TcpConnection::Io {
    asio::io_context io{1};
    tcp::socket socket{io};
};

TcpConnection::TcpConnection() : io_(std::make_unique<Io>()) {}
TcpConnection::~TcpConnection() = default;

NetStatus TcpConnection::Connect(Ipv4Endpoint to, Deadline deadline) {
    Ending ended;
    io_->socket.async_connect(ToAsio<tcp>(to), [&](std::error_code error) { ended = error; });
    return Await(io_->io, io_->socket, deadline, ended);
}

NetStatus TcpConnection::SendAll(std::string_view data, Deadline deadline) {
    Ending ended;
    asio::async_write(io_->socket, asio::buffer(data.data(), data.size()),
                      [&](std::error_code error, size_t) { ended = error; });
    return Await(io_->io, io_->socket, deadline, ended);
}

NetStatus TcpConnection::ReadLine(Deadline deadline, size_t maxLength, std::string* line) {
    line->clear();
    Ending ended;
    size_t length = 0;
    asio::async_read_until(io_->socket, asio::dynamic_buffer(*line, maxLength), '\n',
                           [&](std::error_code error, size_t through) {
                               ended = error;
                               length = through;
                           });
    const NetStatus status = Await(io_->io, io_->socket, deadline, ended);
    if (ended && *ended == asio::error::not_found)
        return NetStatus::Failed;  // no line feed within maxLength bytes
    if (status != NetStatus::Ok)
        return status;
    line->resize(length - 1);  // without the line feed, nor anything the peer sent after it
    if (!line->empty() && line->back() == '\r')
        line->pop_back();
    return NetStatus::Ok;
}

}  // namespace zelwiz
