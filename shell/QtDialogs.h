#pragma once

#include <QPointer>
#include <QWidget>

#include "service/Dialogs.h"

namespace sumberlaras {

// Modal message boxes. Callable from any thread: a call from a worker is
// carried out on the main thread and waits for the answer.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    DialogAnswer show(DialogKind kind, const std::string& text, DialogButtons buttons) override;

private:
    DialogAnswer showHere(DialogKind kind, const std::string& text, DialogButtons buttons);
    QPointer<QWidget> parent_;
};

} // namespace sumberlaras
