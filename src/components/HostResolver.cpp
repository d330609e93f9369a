#include "components/HostResolver.h"

#include <netdb.h>
#include <sys/socket.h>

#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "components/PosixSockets.h"

namespace zelwiz {
namespace {

bool IsLabelChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// What the lookup thread and the caller share; whichever ends last frees it.
struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool found = false;
    in_addr address{};
};

void RunLookup(const std::shared_ptr<Lookup>& lookup, const std::string& host) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    const int rc = ::getaddrinfo(host.c_str(), nullptr, &hints, &result);
    std::lock_guard lock(lookup->mutex);
    if (rc == 0 && result != nullptr && result->ai_family == AF_INET) {
        sockaddr_in a{};
        std::memcpy(&a, result->ai_addr, sizeof a);
        lookup->address = a.sin_addr;
        lookup->found = true;
    }
    if (result != nullptr)
        ::freeaddrinfo(result);
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
                          in_addr* address) {
    if (auto numeric = ParseIpv4(host)) {
        *address = numeric->sin_addr;
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
