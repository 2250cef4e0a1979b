#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include <QObject>
#include <QPointer>

#include "base/Tasks.h"

namespace sumberlaras {

// Runs each worker on its own thread; messages, completions and posted work
// reach the main thread through queued invokes on a context object that is a
// child of `owner`, so once the owner is gone nothing late is delivered.
class QtTaskRunner final : public TaskRunner {
public:
    explicit QtTaskRunner(QObject* owner = nullptr);
    // Makes every task inert and waits for the workers still running.
    ~QtTaskRunner() override;
    QtTaskRunner(const QtTaskRunner&) = delete;
    QtTaskRunner& operator=(const QtTaskRunner&) = delete;

    TaskHandle start(TaskSpec spec) override;
    void post(std::function<void()> fn) override;

    // Cancels every task and waits for their workers.
    void cancelAll();

    // The context object; shared with tasks through a guarded pointer.
    struct Hub {
        std::mutex mutex;
        QObject* context = nullptr;
        void post(std::function<void()> fn);
    };

private:
    class QtTask;
    std::shared_ptr<Hub> hub_;
    QPointer<QObject> context_;
    std::mutex tasksMutex_;
    std::vector<std::shared_ptr<QtTask>> tasks_;
};

} // namespace sumberlaras
