#include "shell/QtTaskRunner.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <thread>

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMetaObject>

namespace sumberlaras {

namespace {
Q_LOGGING_CATEGORY(lcTasks, "sumberlaras.tasks", QtWarningMsg)
}

void QtTaskRunner::Hub::post(std::function<void()> fn) {
    std::lock_guard lock(mutex);
    if (context)
        QMetaObject::invokeMethod(context, std::move(fn), Qt::QueuedConnection);
}

class QtTaskRunner::QtTask final : public Task,
                                   public TaskControl,
                                   public std::enable_shared_from_this<QtTask> {
public:
    QtTask(std::shared_ptr<Hub> hub, TaskSpec spec)
        : hub_(std::move(hub)), spec_(std::move(spec)) {}
    ~QtTask() override {
        if (!thread_.joinable())
            return;
        if (thread_.get_id() == std::this_thread::get_id())
            thread_.detach();
        else
            thread_.join();
    }

    void run() {
        auto self = shared_from_this();
        thread_ = std::thread([self] { self->body(); });
    }

    const std::string& label() const override { return spec_.label; }
    const TaskParams& params() const override { return spec_.params; }
    bool stopRequested() const override { return stop_; }
    void postMessage(int id, const std::string& text) override {
        auto self = shared_from_this();
        hub_->post([self, id, text] {
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
        doneChanged_.wait(lock, [this] { return done_; });
    }
    bool finished() const override {
        std::lock_guard lock(mutex_);
        return done_;
    }
    void join() {
        if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
            thread_.join();
    }

private:
    void body() {
        try {
            if (spec_.worker)
                spec_.worker(*this);
        } catch (const std::exception& e) {
            qCWarning(lcTasks, "task %s ended with an error: %s", spec_.label.c_str(), e.what());
        } catch (...) {
            qCWarning(lcTasks, "task %s ended with an error", spec_.label.c_str());
        }
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        doneChanged_.notify_all();
        // Posted after `done_`, so the completion reads what the worker left.
        auto self = shared_from_this();
        hub_->post([self] {
            if (!self->cancelled_ && self->spec_.onCompleted)
                self->spec_.onCompleted(*self);
        });
    }

    std::shared_ptr<Hub> hub_;
    TaskSpec spec_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> cancelled_{false};
    mutable std::mutex mutex_;
    std::condition_variable doneChanged_;
    bool done_ = false;
};

QtTaskRunner::QtTaskRunner(QObject* owner) : hub_(std::make_shared<Hub>()) {
    context_ = new QObject(owner);
    if (!owner && QCoreApplication::instance())
        context_->moveToThread(QCoreApplication::instance()->thread());
    hub_->context = context_;
    // When the owner deletes the context, later posts go nowhere.
    QObject::connect(context_, &QObject::destroyed, [hub = hub_] {
        std::lock_guard lock(hub->mutex);
        hub->context = nullptr;
    });
}

QtTaskRunner::~QtTaskRunner() {
    cancelAll();
    {
        std::lock_guard lock(hub_->mutex);
        hub_->context = nullptr;
    }
    delete context_.data();
}

void QtTaskRunner::cancelAll() {
    std::vector<std::shared_ptr<QtTask>> tasks;
    {
        std::lock_guard lock(tasksMutex_);
        tasks.swap(tasks_);
    }
    for (auto& t : tasks)
        t->cancel();
    for (auto& t : tasks) {
        t->wait();
        t->join();
    }
}

TaskHandle QtTaskRunner::start(TaskSpec spec) {
    auto task = std::make_shared<QtTask>(hub_, std::move(spec));
    {
        std::lock_guard lock(tasksMutex_);
        std::erase_if(tasks_, [](const std::shared_ptr<QtTask>& t) {
            if (!t->finished())
                return false;
            t->join();
            return true;
        });
        tasks_.push_back(task);
    }
    task->run();
    return task;
}

void QtTaskRunner::post(std::function<void()> fn) {
    hub_->post(std::move(fn));
}

} // namespace sumberlaras
