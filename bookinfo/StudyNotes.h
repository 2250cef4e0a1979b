#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "annotations/PageTransform.h"
#include "base/JsonSlot.h"
#include "bookinfo/Citation.h"
#include "reader/session/Book.h"

namespace sumberlaras::bookinfo {

// What a reader takes with them of a book: highlights with their text, notes,
// copied passages and marks, in page order under the book's reference.

enum class NotesFormat { Html, Markdown };

struct NotesChoice {
    CitationStyle style = CitationStyle::MLA;
    bool withCitation = true; // false when the book has no citation at all
    NotesFormat format = NotesFormat::Html;
    bool highlights = true;
    bool notes = true;
    bool copies = true;
    bool marks = true; // rectangles and pen strokes
};

// The style the window offers first: MLA when the book has it, else the first
// style it has; nothing when it has none.
std::optional<CitationStyle> defaultStyle(const reader::TDetailBook& book);

// A highlight whose text is to be read from its page.
struct HighlightToRead {
    std::size_t item = 0; // position in the annotation document
    int page = 0;
    std::vector<annotations::PageBox> boxes; // "point_data"
};
std::vector<HighlightToRead> highlightsToRead(const Json& annotationObject);

// The text of each highlight, read page by page: every box of a page in one
// call of `boxedText`. Boxes of one line join as they are, lines with a
// space. A page that cannot be read gives empty texts.
using BoxedText =
    std::function<std::vector<std::u16string>(int page, const std::vector<annotations::PageBox>&)>;
std::map<std::size_t, std::string>
readHighlightTexts(const std::vector<HighlightToRead>& highlights, const BoxedText& boxedText);

// The text of one highlight from the texts of its boxes: lines joined by a
// space, white space folded, cut at `limit` characters.
std::string highlightText(const std::vector<std::u16string>& boxTexts, std::size_t limit = 2000);
// Cut at a word boundary below `limit` characters (not bytes), ending "…".
std::string cutAtWord(const std::string& text, std::size_t limit);

enum class EntryKind { Highlight, Note, Copy, Mark };
struct NotesEntry {
    EntryKind kind = EntryKind::Mark;
    int page = 0;
    std::string label; // the copy rule's label; may be empty
    std::string text;
    std::string date;    // notes
    uint32_t colour = 0; // highlights: 0x00BBGGRR
};

// The entries of an export, in page order and, within a page, in document
// order: the annotation items, then the copied passages. A copied passage
// that an earlier export recorded from a highlight shown here is left out.
std::vector<NotesEntry> collectEntries(const Json& annotationObject, const Json& textCopyObject,
                                       int32_t halamanRomawi,
                                       const std::map<std::size_t, std::string>& highlightTexts,
                                       const NotesChoice& choice);

// The page index a copied passage's label names.
int pageOfLabel(const std::string& label, int32_t halamanRomawi);
// The colour of a highlight as a word, for Markdown.
std::string colourWord(uint32_t colorRef);

// The export's text: the book's heading, the citation (none when empty), then
// the entries. Service and reader text is escaped for the format.
std::string notesHtml(const reader::TDetailBook& book, const std::string& citation,
                      const std::vector<NotesEntry>& entries);
std::string notesMarkdown(const reader::TDetailBook& book, const std::string& citation,
                          const std::vector<NotesEntry>& entries);

// Exporting text of the book is copying it: each highlight text goes to the
// copied-text document once per label and text. Returns how many were new.
int recordExport(Json& textCopyObject, const std::vector<NotesEntry>& entries);

} // namespace sumberlaras::bookinfo
