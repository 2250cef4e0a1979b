#pragma once

#include <cstdint>

namespace sumberlaras::annotations {

// The colours new marks take, 0x00BBGGRR. They live in memory only and start
// from these at every run.
struct ToolColours {
    uint32_t clHighlighter = 0x00FFFF; // yellow
    uint32_t clRectangle = 0x0000FF;   // red
    uint32_t clPen = 0xFF0000;         // blue
};

// How the marks are drawn.
constexpr int kLiveHighlightOpacity = 127;
constexpr int kPaintedHighlightOpacity = 130;
constexpr int kRectangleWidth = 2;
constexpr int kInkWidth = 3;
constexpr int kNoteSquare = 50; // pixels of a note's box at the zoom it was placed
constexpr uint32_t kNoteColor = 374470;
// The system colour reference of window text, as a note's font colour until
// the user picks one.
constexpr int32_t kWindowTextColor = -16777208;

} // namespace sumberlaras::annotations
