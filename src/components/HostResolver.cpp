#include "components/HostResolver.h"

#include <asio/ip/udp.hpp>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "components/Ipv4Address.h"

namespace zelwiz {
namespace {

using asio::ip::udp;

bool IsLabelChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// What the lookup thread and the caller share; whichever ends last frees it.
struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool found = false;
    std::uint32_t address = 0;
};

void RunLookup(const std::shared_ptr<Lookup>& lookup, const std::string& host) {
    // The system's own lookup, on this thread: no flags, so that a name of this machine is found
    // even where no interface but loopback has an address.
    asio::io_context io(1);
    udp::resolver resolver(io);
    std::error_code error;
    const auto results = resolver.resolve(udp::v4(), host, {}, udp::resolver::flags(), error);
    std::lock_guard lock(lookup->mutex);
    if (!error && !results.empty()) {
        lookup->address = results.begin()->endpoint().address().to_v4().to_uint();
        lookup->found = true;
    }
    lookup->finished = true;
    lookup->done.notify_all();
}

}  // namespace

bool IsValidHostName(const std::string& name) {
    if (name.empty() || name.size() > 253)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('.', start);
        if (end == std::string::npos)
            end = name.size();
        const size_t length = end - start;
        if (length == 0 || length > 63 || name[start] == '-' || name[end - 1] == '-')
            return false;
        for (size_t i = start; i < end; ++i) {
            if (!IsLabelChar(name[i]))
                return false;
        }
        start = end + 1;
    }
    return true;
}

ResolveStatus ResolveIpv4(const std::string& host, std::chrono::milliseconds timeout,
                          std::uint32_t* address) {
    if (auto numeric = ParseIpv4(host)) {
        *address = *numeric;
        return ResolveStatus::Found;
    }
    if (!IsValidHostName(host))
        return ResolveStatus::NotFound;
    auto lookup = std::make_shared<Lookup>();
    std::thread(RunLookup, lookup, host).detach();
    std::unique_lock lock(lookup->mutex);
    if (!lookup->done.wait_for(lock, timeout, [&] { return lookup->finished; }))
        return ResolveStatus::TimedOut;
    if (!lookup->found)
        return ResolveStatus::NotFound;
    *address = lookup->address;
    return ResolveStatus::Found;
}

}  // namespace zelwiz
