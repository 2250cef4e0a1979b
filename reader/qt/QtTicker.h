#pragma once

#include <QTimer>

#include "base/Ticker.h"

namespace sumberlaras {

// The program's ticker: a QTimer on the thread that owns it.
class QtTicker final : public Ticker {
public:
    QtTicker() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start(std::chrono::milliseconds interval, std::function<void()> onTick) override {
        onTick_ = std::move(onTick);
        timer_.start(interval);
    }
    void stop() override { timer_.stop(); }
    bool active() const override { return timer_.isActive(); }

private:
    void tick() {
        if (onTick_)
            onTick_();
    }
    QTimer timer_;
    std::function<void()> onTick_;
};

} // namespace sumberlaras
