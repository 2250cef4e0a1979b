#pragma once

#include <deque>
#include <mutex>
#include <optional>
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

    // The next save chooser picks this file, or is cancelled with nothing.
    void answerSaveFile(std::optional<std::string> file) {
        std::lock_guard lock(mutex_);
        files_.push_back(std::move(file));
    }

    DialogAnswer show(DialogKind kind, const std::string& text, DialogButtons buttons) override {
        std::lock_guard lock(mutex_);
        DialogAnswer a = buttons == DialogButtons::YesNo || buttons == DialogButtons::Yes
                             ? DialogAnswer::Yes
                             : DialogAnswer::Ok;
        if (!answers_.empty()) {
            a = answers_.front();
            answers_.pop_front();
        }
        shown_.push_back({kind, text, buttons, a});
        return a;
    }

    // Cancelled when no answer is queued.
    std::optional<std::string> saveFileName(const SaveFileQuestion& question) override {
        std::lock_guard lock(mutex_);
        saveQuestions_.push_back(question);
        if (files_.empty())
            return std::nullopt;
        std::optional<std::string> f = std::move(files_.front());
        files_.pop_front();
        return f;
    }
    // The next colour or font chooser takes this answer; cancelled when none
    // is queued.
    void answerColor(std::optional<uint32_t> c) {
        std::lock_guard lock(mutex_);
        colors_.push_back(c);
    }
    void answerFont(std::optional<FontChoice> f) {
        std::lock_guard lock(mutex_);
        fonts_.push_back(std::move(f));
    }
    std::optional<uint32_t> chooseColor(uint32_t initial) override {
        std::lock_guard lock(mutex_);
        colorQuestions_.push_back(initial);
        return takeFront(colors_);
    }
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override {
        std::lock_guard lock(mutex_);
        fontQuestions_.push_back(initial);
        return takeFront(fonts_);
    }
    // The presets the choosers were opened with.
    std::vector<uint32_t> colorQuestions() const {
        std::lock_guard lock(mutex_);
        return colorQuestions_;
    }
    std::vector<FontChoice> fontQuestions() const {
        std::lock_guard lock(mutex_);
        return fontQuestions_;
    }

    std::vector<SaveFileQuestion> saveQuestions() const {
        std::lock_guard lock(mutex_);
        return saveQuestions_;
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
        files_.clear();
        saveQuestions_.clear();
        colors_.clear();
        fonts_.clear();
        colorQuestions_.clear();
        fontQuestions_.clear();
    }

private:
    template <class T> static std::optional<T> takeFront(std::deque<std::optional<T>>& queue) {
        if (queue.empty())
            return std::nullopt;
        std::optional<T> front = std::move(queue.front());
        queue.pop_front();
        return front;
    }

    mutable std::mutex mutex_;
    std::deque<DialogAnswer> answers_;
    std::vector<Shown> shown_;
    std::deque<std::optional<std::string>> files_;
    std::vector<SaveFileQuestion> saveQuestions_;
    std::deque<std::optional<uint32_t>> colors_;
    std::deque<std::optional<FontChoice>> fonts_;
    std::vector<uint32_t> colorQuestions_;
    std::vector<FontChoice> fontQuestions_;
};

} // namespace sumberlaras::testing
