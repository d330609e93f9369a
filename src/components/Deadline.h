#pragma once
// A point in time by which a network operation must be over. Every wait of the network code is
// bounded by one.

#include <algorithm>
#include <chrono>

namespace zelwiz {

class Deadline {
  public:
    using Clock = std::chrono::steady_clock;

    static Deadline After(std::chrono::milliseconds span) { return Deadline(Clock::now() + span); }
    explicit Deadline(Clock::time_point at) : at_(at) {}

    Clock::time_point At() const { return at_; }
    bool Passed() const { return Clock::now() >= at_; }
    // What is left, in whole milliseconds rounded up (0 once passed).
    int RemainingMs() const {
        const auto left = at_ - Clock::now();
        if (left <= Clock::duration::zero())
            return 0;
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        return static_cast<int>(std::min<decltype(ms)>(ms, 24 * 3600 * 1000));
    }
    // The earlier of the two.
    Deadline Or(Deadline other) const { return Deadline(std::min(at_, other.at_)); }

  private:
    Clock::time_point at_;
};

}  // namespace zelwiz
