#include "reader/session/ReadingTime.h"

#include <memory>

#include <gtest/gtest.h>

#include "reader/session/LoanWork.h"
#include "tests/reader/session/FakeLoanService.h"

namespace sumberlaras::reader {
namespace {

// A report that is only ever in flight: the test says when it completes.
class PendingReport : public TaskControl {
public:
    void stop() override {}
    void cancel() override {}
    void wait() override {}
    bool finished() const override { return false; }
    const std::string& label() const override { return label_; }

private:
    std::string label_ = "Update";
};

class ReadingTime : public ::testing::Test {
protected:
    TReaderSettings s;

    // Ticks the timer `count` times; every tick but the last must answer None.
    TickAction tick(TimerKind kind, int count) {
        for (int i = 1; i < count; ++i) {
            const TickAction action = TimerTick(s, kind);
            if (action != TickAction::None) {
                ADD_FAILURE() << "tick " << i << " answered " << static_cast<int>(action);
                return action;
            }
        }
        return TimerTick(s, kind);
    }

    // A status tick that starts the report, as the tab would.
    void startReport() {
        ASSERT_EQ(tick(TimerKind::Checking, kStatusPeriod + 1), TickAction::StartReport);
        s.TimerTask = std::make_shared<PendingReport>();
    }
};

TEST_F(ReadingTime, IdleLimitIsReachedOnTick1801) {
    EXPECT_EQ(tick(TimerKind::Idle, kIdleLimit), TickAction::None);
    EXPECT_EQ(s.IdleTime, 1800);
    EXPECT_EQ(s.ReadStatus, 1);
    EXPECT_EQ(TimerTick(s, TimerKind::Idle), TickAction::StopIdleTimer);
    EXPECT_EQ(s.ReadStatus, 0);
}

TEST_F(ReadingTime, ReportStartsOnEvery301stStatusTick) {
    for (int report = 0; report < 3; ++report) {
        SCOPED_TRACE(report);
        EXPECT_EQ(tick(TimerKind::Checking, kStatusPeriod), TickAction::None);
        EXPECT_EQ(s.CheckingTime, 300);
        EXPECT_EQ(TimerTick(s, TimerKind::Checking), TickAction::StartReport);
        EXPECT_EQ(s.CheckingTime, 0);
    }
    EXPECT_EQ(s.IdleTime, 0);
    EXPECT_EQ(s.ReadStatus, 1);
}

TEST_F(ReadingTime, MoveJustBeforeTheLimitStartsTheCountAgain) {
    EXPECT_EQ(tick(TimerKind::Idle, 1799), TickAction::None);
    mouseMoved(s);
    EXPECT_EQ(s.IdleTime, 0);
    EXPECT_EQ(s.ReadStatus, 1);
    EXPECT_EQ(tick(TimerKind::Idle, 5), TickAction::None);
    EXPECT_EQ(s.IdleTime, 5);
    // The full limit again from the move, not what is left of the first one.
    EXPECT_EQ(tick(TimerKind::Idle, kIdleLimit - 5), TickAction::None);
    EXPECT_EQ(TimerTick(s, TimerKind::Idle), TickAction::StopIdleTimer);
}

TEST_F(ReadingTime, IdleBookReportsStatusZeroAndIsReturned) {
    s.IdBaca = "981";
    ASSERT_EQ(tick(TimerKind::Idle, kIdleLimit + 1), TickAction::StopIdleTimer);
    mouseMoved(s); // too late to keep the book
    EXPECT_EQ(s.ReadStatus, 0);

    startReport();
    const TaskParams params = statusReportParams(s, "TabSheet2");
    EXPECT_EQ(params.integer("status"), 0);
    EXPECT_EQ(params.text("id_baca"), "981");
    EXPECT_EQ(params.text("key"), "TabSheet2");
    testing::TempFolder folder;
    testing::FakeLoanService service(folder.path());
    UpdateReadStatus(service, params);
    EXPECT_EQ(service.calls, std::vector<std::string>{"status 981 0"});

    EXPECT_EQ(reportCompleted(s), ReportEnd::ReturnBook);
    EXPECT_EQ(s.TimerTask, nullptr);
}

TEST_F(ReadingTime, LimitPassedWhileReportInFlightReturnsTheBook) {
    ASSERT_EQ(tick(TimerKind::Idle, kStatusPeriod + 1), TickAction::None);
    startReport();
    EXPECT_EQ(statusReportParams(s, "TabSheet1").integer("status"), 1);
    ASSERT_EQ(tick(TimerKind::Idle, kIdleLimit - s.IdleTime + 1), TickAction::StopIdleTimer);
    EXPECT_EQ(reportCompleted(s), ReportEnd::ReturnBook);
    EXPECT_EQ(s.TimerTask, nullptr);
}

TEST_F(ReadingTime, ReportWithBookInUseRestartsTheTimer) {
    startReport();
    EXPECT_EQ(reportCompleted(s), ReportEnd::RestartTimer);
    EXPECT_EQ(s.TimerTask, nullptr);
    EXPECT_EQ(s.ReadStatus, 1);
}

TEST(TimerNames, TabAndKindBothWays) {
    const struct {
        const char* tab;
        TimerKind kind;
        const char* name;
    } cases[] = {
        {"TabSheet3", TimerKind::Idle, "TabSheet3_TimerIdle"},
        {"TabSheet1", TimerKind::Checking, "TabSheet1_TimerChecking"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(timerName(c.tab, c.kind), c.name);
        const TimerOwner owner = splitTimerName(c.name);
        EXPECT_EQ(owner.tab, c.tab);
        EXPECT_EQ(owner.kind, c.kind);
    }
}

TEST(TimerNames, NamesOfNeitherKind) {
    const struct {
        const char* name;
        const char* tab;
    } cases[] = {
        {"TabSheet2", "TabSheet2"},           {"TabSheet2_", "TabSheet2"},
        {"TabSheet2_Timer", "TabSheet2"},     {"TabSheet2_TimerIdle_x", "TabSheet2"},
        {"TabSheet2_timeridle", "TabSheet2"}, {"_TimerIdleX", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TimerOwner owner = splitTimerName(c.name);
        EXPECT_EQ(owner.tab, c.tab);
        EXPECT_FALSE(owner.kind.has_value());
    }
}

} // namespace
} // namespace sumberlaras::reader
