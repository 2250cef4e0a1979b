#include "standin/Control.h"

namespace standin {
namespace {
// Keeps a long demo run from growing without bound.
constexpr size_t kMaxLogEntries = 20000;
} // namespace

std::optional<FailureMode> failureModeNamed(const std::string& name) {
    static const std::map<std::string, FailureMode> kModes{
        {"http500", FailureMode::Http500},
        {"http404", FailureMode::Http404},
        {"empty", FailureMode::Empty},
        {"array", FailureMode::Array},
        {"html", FailureMode::Html},
        {"broken", FailureMode::Broken},
        {"delay", FailureMode::Delay},
        {"stall", FailureMode::Stall},
        {"drop", FailureMode::Drop},
        {"numeric", FailureMode::Numeric},
        {"oversized", FailureMode::Oversized},
        {"oversized-chunked", FailureMode::OversizedChunked}};
    const auto found = kModes.find(name);
    if (found == kModes.end()) {
        return std::nullopt;
    }
    return found->second;
}

Json ControlState::versionVerdict() const {
    std::lock_guard lock(mutex_);
    return verdict_;
}

void ControlState::setVersionVerdict(Json verdict) {
    std::lock_guard lock(mutex_);
    verdict_ = std::move(verdict);
}

void ControlState::planFailures(const std::string& path, Failure failure, int count) {
    std::lock_guard lock(mutex_);
    if (count <= 0) {
        plans_.erase(path);
        return;
    }
    plans_[path] = Plan{failure, count};
}

void ControlState::clearFailures() {
    std::lock_guard lock(mutex_);
    plans_.clear();
}

std::optional<Failure> ControlState::takeFailure(const std::string& path) {
    std::lock_guard lock(mutex_);
    auto found = plans_.find(path);
    if (found == plans_.end()) {
        // A planned path ending in "/" covers everything below it.
        for (auto it = plans_.begin(); it != plans_.end(); ++it) {
            if (!it->first.empty() && it->first.back() == '/' && path.rfind(it->first, 0) == 0) {
                found = it;
                break;
            }
        }
    }
    if (found == plans_.end()) {
        return std::nullopt;
    }
    const Failure failure = found->second.failure;
    if (--found->second.remaining <= 0) {
        plans_.erase(found);
    }
    return failure;
}

void ControlState::setRewrite(const std::string& path, Json members) {
    std::lock_guard lock(mutex_);
    rewrites_[path] = std::move(members);
}

Json ControlState::rewriteFor(const std::string& path) const {
    std::lock_guard lock(mutex_);
    const auto found = rewrites_.find(path);
    return found == rewrites_.end() ? Json::object() : found->second;
}

void ControlState::clearRewrites() {
    std::lock_guard lock(mutex_);
    rewrites_.clear();
}

void ControlState::record(Json entry) {
    std::lock_guard lock(mutex_);
    log_.push_back(std::move(entry));
    if (log_.size() > kMaxLogEntries) {
        log_.pop_front();
    }
}

Json ControlState::log() const {
    std::lock_guard lock(mutex_);
    Json list = Json::array();
    for (const Json& entry : log_) {
        list.push_back(entry);
    }
    return list;
}

void ControlState::clearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

} // namespace standin
