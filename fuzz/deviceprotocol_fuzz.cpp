// The device protocol's parsers read what other machines send: a discovery probe, a PBX's or a
// board's answer, the number request and its answer. On any bytes they must not crash, and what
// they accept must be exactly the one line the formatter writes for it (the protocol allows one
// spelling of each message, with "\n" or "\r\n" at its end or nothing).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "components/DeviceProtocol.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "deviceprotocol_fuzz: %s\n", what);
    std::abort();
}

// The message as the formatter writes it: its line without the line end, then "\n".
std::string Canonical(std::string_view message) {
    if (!message.empty() && message.back() == '\n')
        message.remove_suffix(1);
    if (!message.empty() && message.back() == '\r')
        message.remove_suffix(1);
    return std::string(message) + "\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zelwiz;
    const std::string_view message(reinterpret_cast<const char*>(data), size);
    const std::string canonical = Canonical(message);
    if (auto probe = ParseProbe(message); probe && FormatProbe(*probe) != canonical)
        Fail("a probe read is not the probe written");
    if (auto answer = ParseAnswer(message)) {
        if (FormatAnswer(*answer) != canonical)
            Fail("an answer read is not the answer written");
        if (answer->kind == DeviceKind::VoipBoard && answer->port == 0)
            Fail("a board answer without a port");
    }
    if (auto edn = ParseEdnAnswer(message)) {
        if (FormatEdnAnswer(*edn) != canonical)
            Fail("a number answer read is not the answer written");
        if ((edn->code == 0) != IsValidDirectoryNumber(edn->number))
            Fail("a number only with code 0, and then a valid one");
    }
    if (IsEdnRequest(message) && canonical != FormatEdnRequest())
        Fail("a number request other than the one written");
    return 0;
}
