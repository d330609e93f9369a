#include "components/DeviceSimulator.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <optional>
#include <set>
#include <vector>

#include "components/DeviceProtocol.h"

#include "components/AsioSockets.h"

#include <asio/signal_set.hpp>
#include <asio/steady_timer.hpp>
#include <asio/write.hpp>

namespace zelwiz {
namespace {

using asio::ip::tcp;
using asio::ip::udp;
using Clock = std::chrono::steady_clock;
constexpr auto kIdleConnection = std::chrono::seconds(30);
constexpr auto kAnswerSendBound = std::chrono::seconds(1);
constexpr int kSharedPortAttempts = 10;

}  // namespace

struct DeviceSimulator::Impl {
    struct Board {
        SimulatedBoard config;
        std::uint16_t port = 0;
        tcp::acceptor listener;
    };
    struct PendingDatagram {
        Clock::time_point due;
        udp::endpoint to;
        std::string data;
    };
    class Connection;

    explicit Impl(DeviceSimConfig c) : config(std::move(c)) {}
    bool Bind(std::string* error);
    void ReceiveProbe();
    void OnProbe(std::string_view data);
    void SendDueDatagrams();
    void Accept(Board& board);
    void CloseConnections();

    DeviceSimConfig config;
    asio::io_context io{1};  // before the sockets, which it outlives
    udp::socket discovery{io};
    std::uint16_t discoveryPort = 0;
    std::vector<Board> boards;  // fixed once bound: handlers hold on to its elements
    std::array<char, 2048> probe;
    udp::endpoint prober;
    std::vector<PendingDatagram> pending;
    asio::steady_timer pendingTimer{io};
    std::set<std::shared_ptr<Connection>> connections;
    std::optional<asio::signal_set> signals;
    std::atomic<int> probes{0};
    std::atomic<int> requests{0};
};

// One finder's connection to a board: the number request read, the answer sent when it is due,
// then closed (one request per connection). One timer bounds each stage: the idle connection,
// the answer's delay, the answer's sending.
class DeviceSimulator::Impl::Connection : public std::enable_shared_from_this<Connection> {
  public:
    Connection(Impl& sim, const Board& board, tcp::socket socket)
        : sim_(sim), board_(board), socket_(std::move(socket)), timer_(sim.io) {}

    void Start() {
        At(Clock::now() + kIdleConnection, &Connection::Close);
        Read();
    }

    void Close() {
        std::error_code ignored;
        socket_.close(ignored);
        timer_.cancel();
        sim_.connections.erase(shared_from_this());
    }

  private:
    // Runs `stage` at `at`, in place of whatever was due before.
    void At(Clock::time_point at, void (Connection::*stage)()) {
        timer_.expires_at(at);
        timer_.async_wait([self = shared_from_this(), stage](std::error_code error) {
            if (!error)
                ((*self).*stage)();
        });
    }

    void Read() {
        socket_.async_read_some(asio::buffer(buffer_),
                                [self = shared_from_this()](std::error_code error, size_t size) {
                                    if (error)
                                        self->Close();  // the finder went away
                                    else
                                        self->OnReceived(size);
                                });
    }

    void OnReceived(size_t size) {
        if (answerDue_ || board_.config.silent)
            return Read();  // the request is in; anything more waits with it
        received_.append(buffer_.data(), size);
        const size_t end = received_.find('\n');
        if (end == std::string::npos)
            return received_.size() < kMaxMessageLength ? Read() : Close();
        if (!IsEdnRequest(std::string_view(received_).substr(0, end + 1)))
            return Close();  // not our protocol: hang up
        ++sim_.requests;
        answerDue_ = true;
        At(Clock::now() + board_.config.ednDelay, &Connection::Answer);
        Read();
    }

    void Answer() {
        answer_ = FormatEdnAnswer({board_.config.code, board_.config.edn});
        At(Clock::now() + kAnswerSendBound, &Connection::Close);
        asio::async_write(socket_, asio::buffer(answer_),
                          [self = shared_from_this()](std::error_code, size_t) { self->Close(); });
    }

    Impl& sim_;
    const Board& board_;
    tcp::socket socket_;
    asio::steady_timer timer_;
    std::array<char, 256> buffer_;
    std::string received_;
    bool answerDue_ = false;
    std::string answer_;
};

bool DeviceSimulator::Impl::Bind(std::string* error) {
    const auto where = ParseIpv4(config.discoveryAddress);
    if (!where || !IsLoopback(*where)) {
        *error = "the discovery address " + config.discoveryAddress + " is not a loopback address";
        return false;
    }
    if (auto failed = OpenUdpSocket(discovery, {*where, config.discoveryPort}, false)) {
        *error = "cannot listen for probes on " + config.discoveryAddress + ":" +
                 std::to_string(config.discoveryPort) + ": " + failed.message();
        return false;
    }
    std::error_code ignored;
    discoveryPort = discovery.local_endpoint(ignored).port();

    // Boards without a port of their own share one; when the system chooses it, a later board's
    // address may already use that port elsewhere, and the choice is made again.
    for (int attempt = 1;; ++attempt) {
        boards.clear();
        std::uint16_t shared = config.boardPort;
        std::string failure;
        for (const auto& b : config.boards) {
            Board board{b, 0, tcp::acceptor(io)};
            const bool usesShared = !b.ownPort && b.port == 0;
            const std::uint16_t wanted = b.ownPort ? 0 : usesShared ? shared : b.port;
            const auto local = ParseIpv4(b.address);
            if (!local || !IsLoopback(*local)) {
                *error = "the board address " + b.address + " is not a loopback address";
                return false;
            }
            if (auto failed = OpenTcpListener(board.listener, {*local, wanted})) {
                failure = "cannot listen on " + b.address + ":" + std::to_string(wanted) + ": " +
                          failed.message();
                break;
            }
            board.port = board.listener.local_endpoint(ignored).port();
            if (usesShared)
                shared = board.port;
            boards.push_back(std::move(board));
        }
        if (failure.empty())
            return true;
        if (config.boardPort != 0 || attempt == kSharedPortAttempts) {
            *error = failure;
            return false;
        }
    }
}

void DeviceSimulator::Impl::ReceiveProbe() {
    discovery.async_receive_from(asio::buffer(probe), prober,
                                 [this](std::error_code error, size_t size) {
                                     if (error == asio::error::operation_aborted)
                                         return;
                                     // Any other error concerns one datagram, not the socket.
                                     if (!error)
                                         OnProbe(std::string_view(probe.data(), size));
                                     ReceiveProbe();
                                 });
}

void DeviceSimulator::Impl::OnProbe(std::string_view data) {
    const auto parsed = ParseProbe(data);
    if (!parsed)
        return;
    ++probes;
    const auto now = Clock::now();
    if (parsed->kind == DeviceKind::Pbx) {
        for (const auto& pbx : config.pbxs) {
            DiscoveryAnswer a{DeviceKind::Pbx, parsed->nonce, pbx.address, 0, pbx.name};
            pending.push_back({now + pbx.answerDelay, prober, FormatAnswer(a)});
        }
    } else {
        for (const auto& board : boards) {
            if (board.config.hidden)
                continue;
            DiscoveryAnswer a{DeviceKind::VoipBoard, parsed->nonce, board.config.address,
                              board.port, board.config.name};
            pending.push_back({now + board.config.answerDelay, prober, FormatAnswer(a)});
        }
    }
    SendDueDatagrams();
}

void DeviceSimulator::Impl::SendDueDatagrams() {
    const auto now = Clock::now();
    // In the order they fell due; those due at the same time in the order they were made.
    std::stable_sort(
        pending.begin(), pending.end(),
        [](const PendingDatagram& a, const PendingDatagram& b) { return a.due < b.due; });
    auto it = pending.begin();
    for (; it != pending.end() && it->due <= now; ++it) {
        auto data = std::make_shared<std::string>(std::move(it->data));
        discovery.async_send_to(asio::buffer(*data), it->to, [data](std::error_code, size_t) {});
    }
    pending.erase(pending.begin(), it);
    if (pending.empty())
        return;
    pendingTimer.expires_at(pending.front().due);
    pendingTimer.async_wait([this](std::error_code error) {
        if (!error)
            SendDueDatagrams();
    });
}

void DeviceSimulator::Impl::Accept(Board& board) {
    board.listener.async_accept([this, &board](std::error_code error, tcp::socket socket) {
        if (error == asio::error::operation_aborted)
            return;
        if (!error) {
            auto connection = std::make_shared<Connection>(*this, board, std::move(socket));
            connections.insert(connection);
            connection->Start();
        }
        Accept(board);
    });
}

void DeviceSimulator::Impl::CloseConnections() {
    std::set<std::shared_ptr<Connection>> open;
    open.swap(connections);
    for (const auto& connection : open)
        connection->Close();
}

DeviceSimulator::DeviceSimulator(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
DeviceSimulator::~DeviceSimulator() = default;

std::unique_ptr<DeviceSimulator> DeviceSimulator::Open(const DeviceSimConfig& config,
                                                       std::string* error) {
    auto impl = std::make_unique<Impl>(config);
    if (!impl->Bind(error))
        return nullptr;
    impl->ReceiveProbe();
    for (auto& board : impl->boards)
        impl->Accept(board);
    return std::unique_ptr<DeviceSimulator>(new DeviceSimulator(std::move(impl)));
}

std::uint16_t DeviceSimulator::DiscoveryPort() const {
    return impl_->discoveryPort;
}

std::uint16_t DeviceSimulator::BoardPort(size_t index) const {
    return impl_->boards[index].port;
}

std::string DeviceSimulator::ReadyLine() const {
    const auto& boards = impl_->boards;
    const auto& config = impl_->config;
    const auto hidden = std::count_if(boards.begin(), boards.end(),
                                      [](const Impl::Board& b) { return b.config.hidden; });
    std::string line = "zelwiz-devicesim: ready, answering probes on " + config.discoveryAddress +
                       ":" + std::to_string(impl_->discoveryPort) + " for " +
                       std::to_string(config.pbxs.size()) + " PBX(s) and " +
                       std::to_string(boards.size() - static_cast<size_t>(hidden)) +
                       " VoIP board(s), " + std::to_string(hidden) + " more by address only";
    for (const auto& b : boards) {
        line +=
            "; board " + b.config.name + " at " + b.config.address + ":" + std::to_string(b.port);
    }
    return line;
}

void DeviceSimulator::Run(std::chrono::milliseconds limit) {
    impl_->io.run_for(limit);  // at once when stopped before
    impl_->CloseConnections();
    impl_->pending.clear();
}

void DeviceSimulator::Stop() {
    impl_->io.stop();
}

void DeviceSimulator::StopOnSignals() {
    impl_->signals.emplace(impl_->io, SIGINT, SIGTERM);
    impl_->signals->async_wait([this](std::error_code error, int) {
        if (!error)
            Stop();
    });
}

int DeviceSimulator::ProbesAnswered() const {
    return impl_->probes.load();
}

int DeviceSimulator::RequestsServed() const {
    return impl_->requests.load();
}

}  // namespace zelwiz
