#pragma once

#include <deque>
#include <functional>
#include <string>

#include <QPointer>
#include <QWidget>

#include "base/Dialogs.h"

namespace sumberlaras {

// Modal message boxes. Callable from any thread: a call from a worker is
// carried out on the main thread and waits for the answer.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    DialogAnswer show(DialogKind kind, const std::string& text, DialogButtons buttons) override;
    std::optional<std::string> saveFileName(const SaveFileQuestion& question) override;
    std::optional<uint32_t> chooseColor(uint32_t initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;

    // Answers given in advance, for runs with nobody at the screen: each box
    // still opens and is logged, then takes the next answer at once.
    void setScriptedAnswers(std::deque<DialogAnswer> answers) { scripted_ = std::move(answers); }
    // "ok,cancel,yes,no" (any case); unknown words are skipped.
    static std::deque<DialogAnswer> answersFromText(const std::string& text);

private:
    // Runs `ask` on the main thread, waiting for it from any other.
    template <class Answer> Answer onMainThread(const std::function<Answer()>& ask);
    DialogAnswer showHere(DialogKind kind, const std::string& text, DialogButtons buttons);
    QPointer<QWidget> parent_;
    std::deque<DialogAnswer> scripted_; // used on the main thread only
};

} // namespace sumberlaras
