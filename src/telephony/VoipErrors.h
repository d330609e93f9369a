#pragma once
// The message for a VoIP board that the wizard failed to reach, from the code of the detection.

#include <cstdint>
#include <string>

namespace zelwiz {

// The text in the user's language (the shared translator must exist): a fixed text for each code
// the board component answers, the product's short name in place of its placeholders, and for
// any other code the general text followed by the code in hexadecimal, e.g. " (20)" for 32.
std::string IPLANErrorText(std::int32_t errorCode);

}  // namespace zelwiz
