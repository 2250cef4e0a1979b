#include "annotations/Note.h"

#include "annotations/Colours.h"

namespace sumberlaras::annotations {

Json noteItem(int page, const NoteText& note, Json box) {
    return {{"page", page},
            {"type", "NOTES"},
            {"note_id", ""},
            {"color", kNoteColor},
            {"font", note.font},
            {"size", note.size},
            {"font_color", note.fontColor},
            {"date", note.date},
            {"text", note.text},
            {"point", std::move(box)}};
}

} // namespace sumberlaras::annotations
