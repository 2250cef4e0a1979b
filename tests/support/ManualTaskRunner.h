#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "base/Tasks.h"

namespace sumberlaras::testing {

// Runs each worker on its own thread at once, but delivers messages,
// completions and posted functions only when the test calls runPending(),
// so a test decides exactly when the "main thread" acts.
class ManualTaskRunner final : public TaskRunner {
public:
    ~ManualTaskRunner() override;

    TaskHandle start(TaskSpec spec) override;
    void post(std::function<void()> fn) override;

    // Delivers everything queued so far on the calling thread; returns how many.
    int runPending();
    // Waits for every started worker, then delivers until nothing is left.
    void finishAll();
    int started() const { return started_; }
    // How often the "main thread" waited on, or polled, a worker still running.
    int waitsOnRunningWorkers() const { return waits_; }

private:
    class ManualTask;
    void enqueue(std::function<void()> fn);

    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
    std::vector<std::shared_ptr<ManualTask>> tasks_;
    std::atomic<int> started_{0};
    std::atomic<int> waits_{0};
};

} // namespace sumberlaras::testing
