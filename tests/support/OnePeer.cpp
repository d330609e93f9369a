#include "support/OnePeer.h"

#include <gtest/gtest.h>

#include <array>

#include "components/DeviceProtocol.h"

#include "components/AsioSockets.h"

#include <asio/read_until.hpp>
#include <asio/write.hpp>

namespace zelwiz {

using asio::ip::tcp;
using asio::ip::udp;

struct OnePeer::Io {
    asio::io_context io{1};
    tcp::acceptor listener{io};
    tcp::socket connection{io};
    std::string line;
    std::string reply;
    udp::socket datagrams{io};
    udp::socket answering{io};
    udp::endpoint prober;
    std::array<char, 2048> probe;
};

OnePeer::OnePeer() : io_(std::make_unique<Io>()) {}

OnePeer::~OnePeer() {
    if (thread_.joinable())
        thread_.join();
}

std::uint16_t OnePeer::ServeTcp(const char* address, std::string reply) {
    EXPECT_FALSE(OpenTcpListener(io_->listener, {*ParseIpv4(address), 0}));
    io_->reply = std::move(reply);
    io_->listener.async_accept(io_->connection, [this](std::error_code error) {
        if (error)
            return;
        asio::async_read_until(
            io_->connection, asio::dynamic_buffer(io_->line, kMaxMessageLength), '\n',
            [this](std::error_code, size_t) {
                asio::async_write(io_->connection, asio::buffer(io_->reply),
                                  [this](std::error_code, size_t) { io_->connection.close(); });
            });
    });
    thread_ = std::thread([this] { io_->io.run_for(std::chrono::seconds(5)); });
    std::error_code ignored;
    return io_->listener.local_endpoint(ignored).port();
}

std::uint16_t OnePeer::AnswerProbe(
    const char* address, std::function<std::vector<std::string>(const std::string&)> answers) {
    EXPECT_FALSE(OpenUdpSocket(io_->datagrams, {*ParseIpv4(address), 0}, false));
    EXPECT_FALSE(OpenUdpSocket(io_->answering, {*ParseIpv4("127.0.0.1"), 0}, false));
    io_->datagrams.async_receive_from(
        asio::buffer(io_->probe), io_->prober, [this, answers](std::error_code error, size_t size) {
            const auto probe = ParseProbe(std::string_view(io_->probe.data(), size));
            if (error || !probe)
                return;
            for (const auto& answer : answers(probe->nonce))
                io_->answering.send_to(asio::buffer(answer), io_->prober, 0, error);
        });
    thread_ = std::thread([this] { io_->io.run_for(std::chrono::seconds(5)); });
    std::error_code ignored;
    return io_->datagrams.local_endpoint(ignored).port();
}

}  // namespace zelwiz
