#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "reader/session/ReaderSettings.h"

namespace sumberlaras::reader {

// Ticks of one second: thirty minutes without mouse movement return a book,
// and its read status goes to the service every five minutes.
constexpr int32_t kIdleLimit = 1800;
constexpr int32_t kStatusPeriod = 300;

enum class TimerKind { Idle, Checking };

// "TabSheet2_TimerIdle": the tab's name, "_", the timer's kind.
std::string timerName(const std::string& tab, TimerKind kind);

struct TimerOwner {
    std::string tab;
    std::optional<TimerKind> kind; // empty for a name of neither kind
};
// Splits a timer's name at the first "_".
TimerOwner splitTimerName(const std::string& name);

enum class TickAction {
    None,
    StopIdleTimer, // the idle limit is reached: ReadStatus is now 0
    StartReport    // stop the status timer and send ReadStatus
};

// One tick of one of the tab's timers.
TickAction TimerTick(TReaderSettings& s, TimerKind kind);

// Mouse movement over the book's own page.
void mouseMoved(TReaderSettings& s);

enum class ReportEnd { RestartTimer, ReturnBook };

// The tab's report has ended: clears TimerTask and decides by the status of
// the moment, not by the one the report sent.
ReportEnd reportCompleted(TReaderSettings& s);

} // namespace sumberlaras::reader
