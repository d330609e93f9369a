// POSIX: the listener's address is reusable at once after a stop (see AsioSockets.h).
#include "components/AsioSockets.h"

namespace zelwiz {

std::error_code ClaimListenerAddress(asio::ip::tcp::acceptor& listener) {
    std::error_code error;
    listener.set_option(asio::socket_base::reuse_address(true), error);
    return error;
}

}  // namespace zelwiz
