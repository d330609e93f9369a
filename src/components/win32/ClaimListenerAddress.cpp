// Windows: the listener's address is its own alone (see AsioSockets.h).
#include "components/AsioSockets.h"

namespace zelwiz {

std::error_code ClaimListenerAddress(asio::ip::tcp::acceptor& listener) {
    using ExclusiveAddressUse =
        asio::detail::socket_option::boolean<SOL_SOCKET, SO_EXCLUSIVEADDRUSE>;
    std::error_code error;
    listener.set_option(ExclusiveAddressUse(true), error);
    return error;
}

}  // namespace zelwiz
