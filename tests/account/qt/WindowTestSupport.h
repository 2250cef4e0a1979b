#pragma once

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include "account/HttpFetch.h"
#include "tests/support/ManualTaskRunner.h"

namespace sumberlaras::testing {

// A scripted service: answers by path (after the base address) and records
// every request it was sent. Called from task threads.
class ScriptedService {
public:
    static constexpr const char* kBase = "https://service.test";

    void answer(const std::string& path, std::string body) {
        std::lock_guard lock(mutex_);
        HttpResponse r;
        r.ok = true;
        r.status = 200;
        r.body = std::move(body);
        answers_[path] = r;
    }
    void fail(const std::string& path, std::string error) {
        std::lock_guard lock(mutex_);
        HttpResponse r;
        r.error = std::move(error);
        answers_[path] = r;
    }
    std::vector<HttpRequest> requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::vector<std::string> paths() const {
        std::lock_guard lock(mutex_);
        std::vector<std::string> out;
        for (const auto& r : requests_)
            out.push_back(r.url.substr(std::string(kBase).size()));
        return out;
    }
    void clearRequests() {
        std::lock_guard lock(mutex_);
        requests_.clear();
    }

    // With the gate closed every request waits until release() lets it through,
    // so a test decides when an answer arrives.
    void closeGate() {
        std::lock_guard lock(mutex_);
        gated_ = true;
    }
    void openGate() {
        {
            std::lock_guard lock(mutex_);
            gated_ = false;
        }
        changed_.notify_all();
    }
    void release(int count = 1) {
        {
            std::lock_guard lock(mutex_);
            released_ += count;
        }
        changed_.notify_all();
    }

    HttpFetch fetch() {
        return [this](const HttpRequest& request) {
            std::unique_lock lock(mutex_);
            requests_.push_back(request);
            const int ticket = ++arrived_;
            changed_.wait(lock, [&] { return !gated_ || released_ >= ticket; });
            auto it = answers_.find(request.url.substr(std::string(kBase).size()));
            if (it != answers_.end())
                return it->second;
            HttpResponse missing;
            missing.error = "The requested URL returned error: 404";
            return missing;
        };
    }

private:
    mutable std::mutex mutex_;
    std::map<std::string, HttpResponse> answers_;
    std::vector<HttpRequest> requests_;
    std::condition_variable changed_;
    bool gated_ = false;
    int arrived_ = 0;
    int released_ = 0;
};

// Delivers exactly the completions that are ready once at least one is: the
// window then sees one finished request while the next one is still pending.
// The deadline only keeps a broken test from hanging.
inline bool deliverNext(ManualTaskRunner& runner) {
    QDeadlineTimer guard(10000);
    while (!guard.hasExpired()) {
        if (runner.runPending() > 0)
            return true;
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return false;
}

// Delivers completions until the window says it is idle. The runner's own
// finishAll() can return between a worker's end and the queuing of its
// completion, so the window's state is what decides.
inline bool settleUntil(ManualTaskRunner& runner, const std::function<bool()>& idle) {
    QDeadlineTimer guard(10000);
    while (!guard.hasExpired()) {
        runner.runPending();
        if (idle())
            return true;
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return false;
}

// Lets the next gated request through and delivers its completion.
inline bool answerNext(ScriptedService& service, ManualTaskRunner& runner) {
    service.release();
    return deliverNext(runner);
}

} // namespace sumberlaras::testing
