#pragma once

#include <cstdint>
#include <string>

#include "base/JsonSlot.h"

namespace sumberlaras::annotations {

// What the sticky-note window holds when a note is saved.
struct NoteText {
    std::string font;
    int size = 8; // points
    int32_t fontColor = -16777208;
    std::string date; // the user's short date format
    std::string text; // plain
};

// A "NOTES" item with its members in their written order; `box` is the
// page-space image of the note's square.
Json noteItem(int page, const NoteText& note, Json box);

} // namespace sumberlaras::annotations
