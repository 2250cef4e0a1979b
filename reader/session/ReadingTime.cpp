#include "reader/session/ReadingTime.h"

namespace sumberlaras::reader {

std::string timerName(const std::string& tab, TimerKind kind) {
    return tab + (kind == TimerKind::Idle ? "_TimerIdle" : "_TimerChecking");
}

TimerOwner splitTimerName(const std::string& name) {
    const auto cut = name.find('_');
    if (cut == std::string::npos)
        return {name, std::nullopt};
    TimerOwner owner{name.substr(0, cut), std::nullopt};
    const std::string kind = name.substr(cut + 1);
    if (kind == "TimerIdle")
        owner.kind = TimerKind::Idle;
    else if (kind == "TimerChecking")
        owner.kind = TimerKind::Checking;
    return owner;
}

TickAction TimerTick(TReaderSettings& s, TimerKind kind) {
    if (kind == TimerKind::Idle) {
        if (s.IdleTime < kIdleLimit) {
            ++s.IdleTime;
            return TickAction::None;
        }
        s.ReadStatus = 0;
        return TickAction::StopIdleTimer;
    }
    if (s.CheckingTime < kStatusPeriod) {
        ++s.CheckingTime;
        return TickAction::None;
    }
    s.CheckingTime = 0;
    return TickAction::StartReport;
}

void mouseMoved(TReaderSettings& s) {
    s.IdleTime = 0;
}

ReportEnd reportCompleted(TReaderSettings& s) {
    s.TimerTask.reset();
    return s.ReadStatus != 0 ? ReportEnd::RestartTimer : ReportEnd::ReturnBook;
}

} // namespace sumberlaras::reader
