#pragma once

#include <chrono>

#include <QCoreApplication>
#include <QThread>

namespace sumberlaras::testing {

// Turns the event loop until `done` holds; false after `limit` (a bound on
// waiting, never a measurement).
template <class Pred>
bool spinUntil(Pred done, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

} // namespace sumberlaras::testing
