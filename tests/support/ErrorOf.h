#pragma once
// The number of the Basic error a call raises, 0 when it raises none.

#include <cstdint>
#include <functional>

#include "platform/ErrorInfo.h"

namespace zelwiz {

inline std::int32_t ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const BasicError& e) {
        return e.record().Number;
    }
    return 0;
}

}  // namespace zelwiz
