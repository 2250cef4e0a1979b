#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include "shell/QtTaskRunner.h"

using namespace sumberlaras;

namespace {

// Spins the event loop until `done` holds or the loop has turned many times.
template <class Pred> bool spinUntil(Pred done) {
    for (int i = 0; i < 20000 && !done(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::yield();
    }
    return done();
}

TEST(QtTaskRunner, MessagesThenCompletionArriveOnTheMainThreadInOrder) {
    QObject owner;
    QtTaskRunner runner(&owner);
    std::vector<std::string> seen;
    bool onMain = true;
    TaskSpec spec;
    spec.label = "t";
    spec.params.set("n", int32_t{3});
    spec.worker = [](Task& t) {
        for (int i = 0; i < t.params().integer("n"); ++i)
            t.postMessage(i, "m" + std::to_string(i));
    };
    spec.onMessage = [&](Task&, int, const std::string& text) {
        onMain = onMain && QThread::currentThread() == qApp->thread();
        seen.push_back(text);
    };
    spec.onCompleted = [&](Task& t) {
        onMain = onMain && QThread::currentThread() == qApp->thread();
        seen.push_back("done:" + t.label());
    };
    runner.start(std::move(spec));
    ASSERT_TRUE(spinUntil([&] { return seen.size() == 4; }));
    EXPECT_EQ(seen, (std::vector<std::string>{"m0", "m1", "m2", "done:t"}));
    EXPECT_TRUE(onMain);
}

// Each way of making a task inert: its worker still ends, nothing reaches the main thread.
enum class Inert { Cancel, OwnerGone, RunnerGone };
class QtTaskRunnerInert : public ::testing::TestWithParam<Inert> {};

TEST_P(QtTaskRunnerInert, NothingIsDeliveredLate) {
    auto owner = std::make_unique<QObject>();
    auto runner = std::make_unique<QtTaskRunner>(owner.get());
    std::atomic<bool> release{false};
    std::atomic<bool> workerEnded{false};
    bool delivered = false;
    TaskSpec spec;
    spec.worker = [&](Task& t) {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        t.postMessage(1, "late");
        workerEnded = true;
    };
    spec.onMessage = [&](Task&, int, const std::string&) { delivered = true; };
    spec.onCompleted = [&](Task&) { delivered = true; };
    TaskHandle handle = runner->start(std::move(spec));

    switch (GetParam()) {
    case Inert::Cancel:
        handle->cancel();
        release = true;
        handle->wait();
        break;
    case Inert::OwnerGone:
        owner.reset();
        release = true;
        handle->wait();
        break;
    case Inert::RunnerGone:
        release = true;
        runner.reset(); // waits for the worker
        break;
    }
    EXPECT_TRUE(workerEnded);
    EXPECT_TRUE(handle->finished());
    for (int i = 0; i < 200; ++i)
        QCoreApplication::processEvents();
    EXPECT_FALSE(delivered);
}

INSTANTIATE_TEST_SUITE_P(Ways, QtTaskRunnerInert,
                         ::testing::Values(Inert::Cancel, Inert::OwnerGone, Inert::RunnerGone));

TEST(QtTaskRunner, WaitBlocksUntilTheWorkerEndsAndStopIsSeen) {
    QtTaskRunner runner;
    std::atomic<bool> sawStop{false};
    TaskSpec spec;
    spec.worker = [&](Task& t) {
        while (!t.stopRequested())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        sawStop = true;
    };
    bool completed = false;
    spec.onCompleted = [&](Task&) { completed = true; };
    TaskHandle h = runner.start(std::move(spec));
    EXPECT_FALSE(h->finished());
    h->stop();
    h->wait();
    EXPECT_TRUE(sawStop);
    EXPECT_TRUE(h->finished());
    // stop() keeps the completion.
    EXPECT_TRUE(spinUntil([&] { return completed; }));
}

TEST(QtTaskRunner, AThrowingWorkerStillCompletes) {
    QtTaskRunner runner;
    bool completed = false;
    TaskSpec spec;
    spec.worker = [](Task&) { throw std::runtime_error("boom"); };
    spec.onCompleted = [&](Task&) { completed = true; };
    runner.start(std::move(spec));
    EXPECT_TRUE(spinUntil([&] { return completed; }));
}

TEST(QtTaskRunner, PostRunsOnTheMainThreadFromAnyThread) {
    QtTaskRunner runner;
    bool ran = false;
    std::thread([&] {
        runner.post([&] { ran = QThread::currentThread() == qApp->thread(); });
    }).join();
    EXPECT_TRUE(spinUntil([&] { return ran; }));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
