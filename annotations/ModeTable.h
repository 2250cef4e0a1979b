#pragma once

#include <optional>

namespace sumberlaras::annotations {

// The tool and mode states of one reader tab, as its toolbar shows them.
struct ToolStates {
    bool CurrentTextSelectState = false;
    bool CurrentHighlightAnnotState = false;
    bool CurrentRectAnnotState = false;
    bool CurrentPenAnnotState = false;
    bool CurrentTextAnnotState = false;
    bool CurrentAnnotDeleteState = false;
};

enum class ToolButton { TextSelect, Highlight, Rect, Pen, Text, Delete };

// What a click on a tool button asks of the page view beyond the states.
struct ModeEffect {
    std::optional<bool> allowTextSelection; // empty: left as it is
    bool showOverlay = false;               // tick "Tampilkan Anotasi" and repaint
};

// Toggles `clicked` and switches off the modes that exclude it. The delete
// mode is switched off only by its own button.
ModeEffect switchMode(ToolStates& states, ToolButton clicked);

// Whether the view allows text selection for these states: the highlight tool
// selects text to mark it.
inline bool textSelectionAllowed(const ToolStates& s) {
    return s.CurrentHighlightAnnotState || s.CurrentTextSelectState;
}

} // namespace sumberlaras::annotations
