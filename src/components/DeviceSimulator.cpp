#include "components/DeviceSimulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "components/DeviceProtocol.h"

namespace zelwiz {
namespace {

using Clock = Deadline::Clock;
constexpr auto kIdleConnection = std::chrono::seconds(30);
constexpr auto kAnswerSendBound = std::chrono::seconds(1);
constexpr int kSharedPortAttempts = 10;

}  // namespace

DeviceSimulator::DeviceSimulator(DeviceSimConfig config) : config_(std::move(config)) {}

DeviceSimulator::~DeviceSimulator() {
    for (int fd : wake_) {
        if (fd >= 0)
            ::close(fd);
    }
}

std::unique_ptr<DeviceSimulator> DeviceSimulator::Open(const DeviceSimConfig& config,
                                                       std::string* error) {
    std::unique_ptr<DeviceSimulator> sim(new DeviceSimulator(config));
    if (::pipe2(sim->wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        *error = std::string("cannot make the stop pipe: ") + std::strerror(errno);
        return nullptr;
    }
    if (!sim->Bind(error))
        return nullptr;
    return sim;
}

bool DeviceSimulator::Bind(std::string* error) {
    auto where = ParseIpv4(config_.discoveryAddress, config_.discoveryPort);
    if (!where || !IsLoopback(*where)) {
        *error = "the discovery address " + config_.discoveryAddress + " is not a loopback address";
        return false;
    }
    discovery_ = OpenUdpSocket(*where, /*broadcast=*/false);
    if (!discovery_) {
        *error = "cannot listen for probes on " + config_.discoveryAddress + ":" +
                 std::to_string(config_.discoveryPort) + ": " + std::strerror(errno);
        return false;
    }
    discoveryPort_ = PortOf(*LocalEndpoint(discovery_.get()));

    // Boards without a port of their own share one; when the system chooses it, a later board's
    // address may already use that port elsewhere, and the choice is made again.
    for (int attempt = 1;; ++attempt) {
        boards_.clear();
        std::uint16_t shared = config_.boardPort;
        std::string failure;
        for (const auto& b : config_.boards) {
            Board board{b, 0, {}};
            const bool usesShared = !b.ownPort && b.port == 0;
            const std::uint16_t wanted = b.ownPort ? 0 : usesShared ? shared : b.port;
            auto local = ParseIpv4(b.address, wanted);
            if (!local || !IsLoopback(*local)) {
                *error = "the board address " + b.address + " is not a loopback address";
                return false;
            }
            board.listener = OpenTcpListener(*local);
            if (!board.listener) {
                failure = "cannot listen on " + b.address + ":" + std::to_string(wanted) + ": " +
                          std::strerror(errno);
                break;
            }
            board.port = PortOf(*LocalEndpoint(board.listener.get()));
            if (usesShared)
                shared = board.port;
            boards_.push_back(std::move(board));
        }
        if (failure.empty())
            return true;
        if (config_.boardPort != 0 || attempt == kSharedPortAttempts) {
            *error = failure;
            return false;
        }
    }
}

std::string DeviceSimulator::ReadyLine() const {
    const auto hidden = std::count_if(boards_.begin(), boards_.end(),
                                      [](const Board& b) { return b.config.hidden; });
    std::string line = "zelwiz-devicesim: ready, answering probes on " + config_.discoveryAddress +
                       ":" + std::to_string(discoveryPort_) + " for " +
                       std::to_string(config_.pbxs.size()) + " PBX(s) and " +
                       std::to_string(boards_.size() - static_cast<size_t>(hidden)) +
                       " VoIP board(s), " + std::to_string(hidden) + " more by address only";
    for (const auto& b : boards_) {
        line +=
            "; board " + b.config.name + " at " + b.config.address + ":" + std::to_string(b.port);
    }
    return line;
}

void DeviceSimulator::Stop() {
    stopping_ = true;
    const char byte = 's';
    [[maybe_unused]] const ssize_t n = ::write(wake_[1], &byte, 1);  // async-signal-safe
}

void DeviceSimulator::OnProbe() {
    std::string data;
    sockaddr_in from{};
    if (ReceiveDatagram(discovery_.get(), Deadline(Clock::now()), &data, &from) != NetStatus::Ok)
        return;
    const auto probe = ParseProbe(data);
    if (!probe)
        return;
    ++probes_;
    const auto now = Clock::now();
    if (probe->kind == DeviceKind::Pbx) {
        for (const auto& pbx : config_.pbxs) {
            DiscoveryAnswer a{DeviceKind::Pbx, probe->nonce, pbx.address, 0, pbx.name};
            pending_.push_back({now + pbx.answerDelay, from, FormatAnswer(a)});
        }
        return;
    }
    for (const auto& board : boards_) {
        if (board.config.hidden)
            continue;
        DiscoveryAnswer a{DeviceKind::VoipBoard, probe->nonce, board.config.address, board.port,
                          board.config.name};
        pending_.push_back({now + board.config.answerDelay, from, FormatAnswer(a)});
    }
}

void DeviceSimulator::SendDueDatagrams() {
    const auto now = Clock::now();
    // In the order they fell due; those due at the same time in the order they were made.
    std::stable_sort(
        pending_.begin(), pending_.end(),
        [](const PendingDatagram& a, const PendingDatagram& b) { return a.due < b.due; });
    auto it = pending_.begin();
    for (; it != pending_.end() && it->due <= now; ++it)
        SendDatagram(discovery_.get(), it->to, it->data, Deadline::After(kAnswerSendBound));
    pending_.erase(pending_.begin(), it);
}

void DeviceSimulator::OnListener(const Board& board) {
    UniqueFd fd = AcceptConnection(board.listener.get());
    if (!fd)
        return;
    auto c = std::make_unique<Connection>();
    c->fd = std::move(fd);
    c->board = &board;
    c->idleUntil = Clock::now() + kIdleConnection;
    connections_.push_back(std::move(c));
}

bool DeviceSimulator::OnReadable(Connection& c) {
    char buf[256];
    const ssize_t n = ::recv(c.fd.get(), buf, sizeof buf, 0);
    if (n == 0)
        return false;  // the finder went away
    if (n < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    if (c.answerDue || c.board->config.silent)
        return true;  // the request is in; anything more waits with it
    c.received.append(buf, static_cast<size_t>(n));
    const size_t end = c.received.find('\n');
    if (end == std::string::npos)
        return c.received.size() < kMaxMessageLength;
    if (!IsEdnRequest(c.received.substr(0, end + 1)))
        return false;  // not our protocol: hang up
    ++requests_;
    if (c.board->config.silent)
        return true;
    c.answerDue = true;
    c.answerAt = Clock::now() + c.board->config.ednDelay;
    return true;
}

bool DeviceSimulator::OnDue(Connection& c) {
    const EdnAnswer answer{c.board->config.code, c.board->config.edn};
    SendAll(c.fd.get(), FormatEdnAnswer(answer), Deadline::After(kAnswerSendBound));
    return false;  // one request per connection
}

Clock::time_point DeviceSimulator::NextTimer(Clock::time_point limit) const {
    auto next = limit;
    for (const auto& p : pending_)
        next = std::min(next, p.due);
    for (const auto& c : connections_) {
        next = std::min(next, c->idleUntil);
        if (c->answerDue)
            next = std::min(next, c->answerAt);
    }
    return next;
}

void DeviceSimulator::Run(std::chrono::milliseconds limit) {
    const auto limitAt = Clock::now() + limit;
    while (!stopping_ && Clock::now() < limitAt) {
        SendDueDatagrams();
        const auto now = Clock::now();
        std::erase_if(connections_, [&](const std::unique_ptr<Connection>& c) {
            if (c->answerDue && c->answerAt <= now)
                return !OnDue(*c);
            return c->idleUntil <= now;
        });

        std::vector<pollfd> fds;
        fds.push_back({wake_[0], POLLIN, 0});
        fds.push_back({discovery_.get(), POLLIN, 0});
        for (const auto& b : boards_)
            fds.push_back({b.listener.get(), POLLIN, 0});
        const size_t firstConnection = fds.size();
        for (const auto& c : connections_)
            fds.push_back({c->fd.get(), POLLIN, 0});

        const int timeout = Deadline(NextTimer(limitAt)).RemainingMs();
        if (::poll(fds.data(), fds.size(), timeout) <= 0)
            continue;  // a timer is due, or a signal came
        if (fds[0].revents != 0)
            break;  // Stop()
        if (fds[1].revents != 0)
            OnProbe();
        // Connections first: accepting below appends to the list the indexes point into.
        std::vector<bool> over(connections_.size(), false);
        for (size_t i = 0; i < connections_.size(); ++i) {
            if (fds[firstConnection + i].revents != 0)
                over[i] = !OnReadable(*connections_[i]);
        }
        for (size_t i = connections_.size(); i-- > 0;) {
            if (over[i])
                connections_.erase(connections_.begin() + static_cast<std::ptrdiff_t>(i));
        }
        for (size_t i = 0; i < boards_.size(); ++i) {
            if (fds[2 + i].revents != 0)
                OnListener(boards_[i]);
        }
    }
    connections_.clear();
    pending_.clear();
}

}  // namespace zelwiz
