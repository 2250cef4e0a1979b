#pragma once

#include <chrono>
#include <functional>
#include <utility>

namespace sumberlaras {

// A repeating timer. In the program its ticks come from the event loop; a
// test hands in a ManualTicker and fires the ticks itself, so no test waits.
class Ticker {
public:
    virtual ~Ticker() = default;
    virtual void start(std::chrono::milliseconds interval, std::function<void()> onTick) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;
};

class ManualTicker final : public Ticker {
public:
    void start(std::chrono::milliseconds interval, std::function<void()> onTick) override {
        interval_ = interval;
        onTick_ = std::move(onTick);
        active_ = true;
    }
    void stop() override { active_ = false; }
    bool active() const override { return active_; }
    std::chrono::milliseconds interval() const { return interval_; }
    // One tick, as the event loop would deliver it; nothing while stopped.
    void fire() {
        if (active_ && onTick_)
            onTick_();
    }

private:
    std::chrono::milliseconds interval_{0};
    std::function<void()> onTick_;
    bool active_ = false;
};

} // namespace sumberlaras
