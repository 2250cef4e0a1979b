#pragma once

#include <chrono>

namespace sumberlaras {

// Where timers take their time from. The program reads the steady clock;
// tests hand in a clock they move themselves, so no test waits real time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::milliseconds now() const = 0;
};

class SteadyClock final : public Clock {
public:
    std::chrono::milliseconds now() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
};

// A clock a test moves by hand.
class ManualClock final : public Clock {
public:
    std::chrono::milliseconds now() const override { return now_; }
    void advance(std::chrono::milliseconds by) { now_ += by; }

private:
    std::chrono::milliseconds now_{0};
};

} // namespace sumberlaras
