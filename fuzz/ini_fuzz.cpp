// The INI reader on arbitrary files: no crash, the answer never longer than the buffer, and a
// key that is found answers no default.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/PrivateProfile.h"

static const std::string kDefault =
    "\x01"
    "default";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* key : {"Hostname", "voipname", "Edn", "Profil"}) {
        for (const char* section : {"ADDRESS", "PARLOVA"}) {
            bool found = false;
            const std::string value =
                zelwiz::GetPrivateProfileText(text, section, key, kDefault, 50, &found);
            if (value.size() > 49)
                std::abort();
            if (found && value == kDefault && text.find(kDefault) == std::string::npos)
                std::abort();
        }
    }
    return 0;
}
