#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "base/Dialogs.h"

namespace sumberlaras::testing {

// Answers dialogs from a queue (OK/Yes when the queue is empty) and records
// every one shown, so no test ever blocks on a modal box.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        DialogKind kind;
        std::string text;
        DialogButtons buttons;
        DialogAnswer answer;
    };

    void answerNext(DialogAnswer a) {
        std::lock_guard lock(mutex_);
        answers_.push_back(a);
    }

    DialogAnswer show(DialogKind kind, const std::string& text, DialogButtons buttons) override {
        std::lock_guard lock(mutex_);
        DialogAnswer a = buttons == DialogButtons::YesNo ? DialogAnswer::Yes : DialogAnswer::Ok;
        if (!answers_.empty()) {
            a = answers_.front();
            answers_.pop_front();
        }
        shown_.push_back({kind, text, buttons, a});
        return a;
    }

    std::vector<Shown> shown() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }
    std::vector<std::string> texts() const {
        std::lock_guard lock(mutex_);
        std::vector<std::string> out;
        for (const auto& s : shown_)
            out.push_back(s.text);
        return out;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        shown_.clear();
        answers_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::deque<DialogAnswer> answers_;
    std::vector<Shown> shown_;
};

} // namespace sumberlaras::testing
