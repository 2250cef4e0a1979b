#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sumberlaras {

// The four kinds of modal message the program shows.
enum class DialogKind { Error, Warning, Information, Confirmation };
enum class DialogButtons { Ok, OkCancel, YesNo, Yes };
enum class DialogAnswer { Ok, Cancel, Yes, No };

// A file chooser's question: "HTML File|*.html" pairs a description with its
// pattern; a name typed without an extension gets the default one.
struct SaveFileQuestion {
    std::string defaultExtension;
    std::string filter;
};

// A font as the font chooser shows and answers it. The colour is a Windows
// colour value: 0x00BBGGRR, or a system colour reference such as the window
// text's, 0xFF000008 (-16777208), which the chooser hands back unchanged
// unless the user picks a colour.
struct FontChoice {
    std::string family;
    int pointSize = 8;
    int32_t color = -16777208;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontChoice&) const = default;
};

// Every modal message and chooser goes through one of these, so tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual DialogAnswer show(DialogKind kind, const std::string& text, DialogButtons buttons) = 0;
    // The full name of the file to write, or nothing when the user cancels.
    virtual std::optional<std::string> saveFileName(const SaveFileQuestion& question) = 0;
    // The chosen colour (0x00BBGGRR), preset with `initial`; nothing when cancelled.
    virtual std::optional<uint32_t> chooseColor(uint32_t initial) = 0;
    // The chosen font, preset with `initial`; nothing when cancelled.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;

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
