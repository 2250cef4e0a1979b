#pragma once

#include <memory>
#include <mutex>

#include <nlohmann/json.hpp>

namespace sumberlaras {

using Json = nlohmann::ordered_json;
using JsonPtr = std::shared_ptr<const Json>;

// One answer slot. Storing a new answer releases the previous one; a reader
// holds a shared reference, so nothing ever reads an answer that was released
// under it. The lock only guards the pointer swap.
class JsonSlot {
public:
    void store(Json answer) {
        auto fresh = std::make_shared<const Json>(std::move(answer));
        std::lock_guard lock(mutex_);
        value_ = std::move(fresh);
    }
    void clear() {
        std::lock_guard lock(mutex_);
        value_.reset();
    }
    // Empty when nothing is stored.
    JsonPtr get() const {
        std::lock_guard lock(mutex_);
        return value_;
    }
    explicit operator bool() const { return get() != nullptr; }

private:
    mutable std::mutex mutex_;
    JsonPtr value_;
};

} // namespace sumberlaras
