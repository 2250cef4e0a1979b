#include "annotations/ModeTable.h"

namespace sumberlaras::annotations {

namespace {

bool& stateOf(ToolStates& s, ToolButton b) {
    switch (b) {
    case ToolButton::TextSelect:
        return s.CurrentTextSelectState;
    case ToolButton::Highlight:
        return s.CurrentHighlightAnnotState;
    case ToolButton::Rect:
        return s.CurrentRectAnnotState;
    case ToolButton::Pen:
        return s.CurrentPenAnnotState;
    case ToolButton::Text:
        return s.CurrentTextAnnotState;
    case ToolButton::Delete:
        break;
    }
    return s.CurrentAnnotDeleteState;
}

// One row of the table: what turning the mode on also does, and what turning
// it off does.
struct Row {
    ToolButton button;
    bool offTextSelect, offHighlight, offRect, offPen, offText;
    std::optional<bool> selectionWhenOn;
    bool overlayWhenOn;
    bool disallowSelectionWhenOff;
};

constexpr Row kRows[] = {
    {ToolButton::TextSelect, false, true, true, true, true, true, false, true},
    {ToolButton::Highlight, true, false, true, true, true, true, true, true},
    {ToolButton::Rect, true, true, false, true, true, false, true, true},
    {ToolButton::Pen, true, true, true, false, true, false, true, false},
    {ToolButton::Text, true, true, true, true, false, std::nullopt, true, false},
    {ToolButton::Delete, true, true, true, true, true, false, true, false},
};

} // namespace

ModeEffect switchMode(ToolStates& s, ToolButton clicked) {
    const Row* row = nullptr;
    for (const Row& r : kRows)
        if (r.button == clicked)
            row = &r;
    ModeEffect effect;
    bool& state = stateOf(s, clicked);
    state = !state;
    if (!state) {
        if (row->disallowSelectionWhenOff)
            effect.allowTextSelection = false;
        return effect;
    }
    if (row->offTextSelect)
        s.CurrentTextSelectState = false;
    if (row->offHighlight)
        s.CurrentHighlightAnnotState = false;
    if (row->offRect)
        s.CurrentRectAnnotState = false;
    if (row->offPen)
        s.CurrentPenAnnotState = false;
    if (row->offText)
        s.CurrentTextAnnotState = false;
    effect.allowTextSelection = row->selectionWhenOn;
    effect.showOverlay = row->overlayWhenOn;
    return effect;
}

} // namespace sumberlaras::annotations
