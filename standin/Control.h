#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "standin/Json.h"

namespace standin {

enum class FailureMode {
    Http500,
    Http404,
    Empty,
    Array,
    Html,
    Broken,
    Delay,
    Stall,
    Drop,
    Numeric,
    Oversized,
    OversizedChunked
};

std::optional<FailureMode> failureModeNamed(const std::string& name);

struct Failure {
    FailureMode mode;
    int delayMs = 0;
    int64_t size = 0; // bytes of an oversized document
};

// What tests and demos steer through /control/: the version verdict, planned
// failures per path and the log of requests received.
class ControlState {
public:
    Json versionVerdict() const;
    void setVersionVerdict(Json verdict);

    void planFailures(const std::string& path, Failure failure, int count);
    void clearFailures();
    // The failure planned for the next request to `path`, if any; uses it up.
    std::optional<Failure> takeFailure(const std::string& path);

    // Member values that replace the service's own in every answer to `path`
    // until cleared (see rewriteMembers).
    void setRewrite(const std::string& path, Json members);
    Json rewriteFor(const std::string& path) const;
    void clearRewrites();

    void record(Json entry);
    Json log() const;
    void clearLog();

private:
    struct Plan {
        Failure failure;
        int remaining;
    };

    mutable std::mutex mutex_;
    Json verdict_ = Json{{"code", "200"}, {"msg", "Versi aplikasi terbaru"}};
    std::map<std::string, Plan> plans_;
    std::map<std::string, Json> rewrites_;
    std::deque<Json> log_;
};

} // namespace standin
