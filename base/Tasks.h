#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <variant>

namespace sumberlaras {

// Named parameters of a task: texts and 32-bit integers.
class TaskParams {
public:
    using Value = std::variant<std::string, int32_t>;
    TaskParams& set(const std::string& name, Value v) {
        values_[name] = std::move(v);
        return *this;
    }
    // Absent or of the other type: empty text / 0.
    std::string text(const std::string& name) const {
        auto it = values_.find(name);
        if (it == values_.end())
            return {};
        if (auto* s = std::get_if<std::string>(&it->second))
            return *s;
        return std::to_string(std::get<int32_t>(it->second));
    }
    int32_t integer(const std::string& name) const {
        auto it = values_.find(name);
        if (it == values_.end())
            return 0;
        if (auto* i = std::get_if<int32_t>(&it->second))
            return *i;
        return 0;
    }
    bool has(const std::string& name) const { return values_.count(name) != 0; }

private:
    std::map<std::string, Value> values_;
};

// What a worker sees of its own task.
class Task {
public:
    virtual ~Task() = default;
    virtual const std::string& label() const = 0;
    virtual const TaskParams& params() const = 0;
    // Set by stop() or cancel(); long workers check it between steps.
    virtual bool stopRequested() const = 0;
    // Delivered to TaskSpec::onMessage on the main thread.
    virtual void postMessage(int id, const std::string& text) = 0;
};

struct TaskSpec {
    std::string label;
    TaskParams params;
    std::function<void(Task&)> worker;                                     // task thread
    std::function<void(Task&, int id, const std::string& text)> onMessage; // main thread
    std::function<void(Task&)> onCompleted;                                // main thread
};

// The caller's handle on a running task.
class TaskControl {
public:
    virtual ~TaskControl() = default;
    virtual void stop() = 0;   // ask the worker to stop; its completion still runs
    virtual void cancel() = 0; // stop, and drop its messages and completion
    virtual void wait() = 0;   // until the worker has ended
    virtual bool finished() const = 0;
    virtual const std::string& label() const = 0;
};
using TaskHandle = std::shared_ptr<TaskControl>;

// Starts tasks and runs work on the main thread.
class TaskRunner {
public:
    virtual ~TaskRunner() = default;
    virtual TaskHandle start(TaskSpec spec) = 0;
    // Runs fn later on the main thread.
    virtual void post(std::function<void()> fn) = 0;
};

} // namespace sumberlaras
