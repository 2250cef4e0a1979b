#pragma once

#include <string>

namespace sumberlaras {

// The four kinds of modal message the program shows.
enum class DialogKind { Error, Warning, Information, Confirmation };
enum class DialogButtons { Ok, OkCancel, YesNo };
enum class DialogAnswer { Ok, Cancel, Yes, No };

// Every modal message goes through one of these, so tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual DialogAnswer show(DialogKind kind, const std::string& text, DialogButtons buttons) = 0;

    void error(const std::string& text) { show(DialogKind::Error, text, DialogButtons::Ok); }
    void warning(const std::string& text) { show(DialogKind::Warning, text, DialogButtons::Ok); }
    void information(const std::string& text) {
        show(DialogKind::Information, text, DialogButtons::Ok);
    }
    // True only for OK or Yes.
    bool confirm(const std::string& text, DialogButtons buttons = DialogButtons::OkCancel) {
        const DialogAnswer a = show(DialogKind::Confirmation, text, buttons);
        return a == DialogAnswer::Ok || a == DialogAnswer::Yes;
    }
};

} // namespace sumberlaras
