#pragma once
// Turns a board or PBX name into an IPv4 address within a time bound. A dotted quad needs no
// lookup; a text that cannot be a host name is not looked up at all.

#include <chrono>
#include <cstdint>
#include <string>

namespace zelwiz {

enum class ResolveStatus { Found, NotFound, TimedOut };

// A host name as RFC 1123 allows it: labels of letters, digits and hyphens, 1 to 63 characters,
// not starting or ending with a hyphen, separated by dots, 253 characters at most.
bool IsValidHostName(const std::string& name);

// The lookup runs on a thread of its own; when it does not end in time the caller goes on and
// the thread ends by itself later.
ResolveStatus ResolveIpv4(const std::string& host, std::chrono::milliseconds timeout,
                          std::uint32_t* address);

}  // namespace zelwiz
