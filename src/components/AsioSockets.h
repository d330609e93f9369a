#pragma once
// The Asio side of this build's sockets, for the files that open them: endpoints in Asio's form,
// what a system error means to the finders, and how UDP sockets and TCP listeners are opened.
// Include it after the project's own headers: on Windows it brings in <windows.h>, whose macros
// share names with the platform layer's constants.

#include <asio/ip/tcp.hpp>
#include <asio/ip/udp.hpp>

#include "components/BoundedSockets.h"

namespace zelwiz {

template <typename Protocol>
typename Protocol::endpoint ToAsio(Ipv4Endpoint endpoint) {
    return {asio::ip::address_v4(endpoint.address), endpoint.port};
}

template <typename Endpoint>
Ipv4Endpoint FromAsio(const Endpoint& endpoint) {
    return {endpoint.address().to_v4().to_uint(), endpoint.port()};
}

inline NetStatus StatusOf(const std::error_code& error) {
    namespace e = asio::error;
    if (!error)
        return NetStatus::Ok;
    if (error == e::connection_refused)
        return NetStatus::Refused;
    if (error == e::network_unreachable || error == e::host_unreachable)
        return NetStatus::Unreachable;
    if (error == e::connection_reset || error == e::connection_aborted || error == e::broken_pipe ||
        error == e::eof)
        return NetStatus::Reset;
    if (error == e::timed_out)
        return NetStatus::TimedOut;
    return NetStatus::Failed;
}

// How a listener claims its address, before it binds. On POSIX, SO_REUSEADDR: the address can be
// taken again at once after a stop, while the last connections wait out TIME_WAIT (there it
// never lets two listeners share an address). On Windows, SO_EXCLUSIVEADDRUSE: a plain bind
// already passes TIME_WAIT, and Windows' SO_REUSEADDR would let another socket take the address
// over. In posix/ and win32/.
std::error_code ClaimListenerAddress(asio::ip::tcp::acceptor& listener);

// `broadcast` allows sending to a broadcast address.
inline std::error_code OpenUdpSocket(asio::ip::udp::socket& socket, Ipv4Endpoint local,
                                     bool broadcast) {
    std::error_code error;
    socket.open(asio::ip::udp::v4(), error);
    if (!error && broadcast)
        socket.set_option(asio::socket_base::broadcast(true), error);
    if (!error)
        socket.bind(ToAsio<asio::ip::udp>(local), error);
    return error;
}

inline std::error_code OpenTcpListener(asio::ip::tcp::acceptor& listener, Ipv4Endpoint local) {
    std::error_code error;
    listener.open(asio::ip::tcp::v4(), error);
    if (!error)
        error = ClaimListenerAddress(listener);
    if (!error)
        listener.bind(ToAsio<asio::ip::tcp>(local), error);
    if (!error)
        listener.listen(asio::socket_base::max_listen_connections, error);
    return error;
}

}  // namespace zelwiz
