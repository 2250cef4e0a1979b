#include "tests/support/ManualTaskRunner.h"

namespace sumberlaras::testing {

class ManualTaskRunner::ManualTask final : public Task,
                                           public TaskControl,
                                           public std::enable_shared_from_this<ManualTask> {
public:
    ManualTask(ManualTaskRunner& runner, TaskSpec spec) : runner_(runner), spec_(std::move(spec)) {}
    ~ManualTask() override {
        if (thread_.joinable())
            thread_.join();
    }

    void run() {
        auto self = shared_from_this();
        thread_ = std::thread([self] {
            if (self->spec_.worker)
                self->spec_.worker(*self);
            // Queue the completion before reporting the end, so whoever waits
            // for the worker finds the completion already pending.
            self->runner_.enqueue([self] {
                if (!self->cancelled_ && self->spec_.onCompleted)
                    self->spec_.onCompleted(*self);
            });
            {
                std::lock_guard lock(self->mutex_);
                self->done_ = true;
            }
            self->doneChanged_.notify_all();
        });
    }

    const std::string& label() const override { return spec_.label; }
    const TaskParams& params() const override { return spec_.params; }
    bool stopRequested() const override { return stop_; }
    void postMessage(int id, const std::string& text) override {
        auto self = shared_from_this();
        runner_.enqueue([self, id, text] {
            if (!self->cancelled_ && self->spec_.onMessage)
                self->spec_.onMessage(*self, id, text);
        });
    }

    void stop() override { stop_ = true; }
    void cancel() override {
        stop_ = true;
        cancelled_ = true;
    }
    void wait() override {
        std::unique_lock lock(mutex_);
        if (!done_)
            ++runner_.waits_;
        doneChanged_.wait(lock, [this] { return done_; });
    }
    bool finished() const override {
        std::lock_guard lock(mutex_);
        if (!done_)
            ++runner_.waits_;
        return done_;
    }
    void join() {
        if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
            thread_.join();
    }

private:
    ManualTaskRunner& runner_;
    TaskSpec spec_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> cancelled_{false};
    mutable std::mutex mutex_;
    std::condition_variable doneChanged_;
    bool done_ = false;
};

ManualTaskRunner::~ManualTaskRunner() {
    for (auto& t : tasks_) {
        t->cancel();
        t->join();
    }
}

TaskHandle ManualTaskRunner::start(TaskSpec spec) {
    auto task = std::make_shared<ManualTask>(*this, std::move(spec));
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(task);
    }
    ++started_;
    task->run();
    return task;
}

void ManualTaskRunner::post(std::function<void()> fn) {
    enqueue(std::move(fn));
}

void ManualTaskRunner::enqueue(std::function<void()> fn) {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(fn));
}

int ManualTaskRunner::runPending() {
    int count = 0;
    for (;;) {
        std::function<void()> fn;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty())
                return count;
            fn = std::move(queue_.front());
            queue_.pop_front();
        }
        fn();
        ++count;
    }
}

void ManualTaskRunner::finishAll() {
    for (;;) {
        std::vector<std::shared_ptr<ManualTask>> tasks;
        {
            std::lock_guard lock(mutex_);
            tasks = tasks_;
        }
        for (auto& t : tasks)
            t->wait();
        if (runPending() == 0) {
            std::lock_guard lock(mutex_);
            bool allDone = true;
            for (auto& t : tasks_)
                allDone = allDone && t->finished();
            if (allDone && queue_.empty() && tasks_.size() == tasks.size())
                return;
        }
    }
}

} // namespace sumberlaras::testing
