#include "bookinfo/StudyNotes.h"

#include <algorithm>
#include <array>
#include <set>

#include "annotations/Document.h"
#include "bookinfo/CopyText.h"
#include "reader/session/PageLabels.h"
#include "reader/session/UnicodeText.h"

namespace sumberlaras::bookinfo {

namespace {

constexpr const char* kNoLabel = "\xE2\x80\x93"; // "–"

std::string shownLabel(const std::string& label) {
    return label.empty() ? kNoLabel : label;
}

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x00A0 || c == 0x2028 ||
           c == 0x2029 || c == 0x000B || c == 0x000C;
}

std::string htmlEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Text as Markdown shows it, never as markup: its punctuation escaped, and
// what HTML would read as a tag or an entity written as an entity.
std::string markdownEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\\':
        case '`':
        case '*':
        case '_':
        case '{':
        case '}':
        case '[':
        case ']':
        case '(':
        case ')':
        case '#':
        case '+':
        case '-':
        case '.':
        case '!':
        case '|':
        case '~':
            out += '\\';
            out += c;
            break;
        case '\r':
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Line breaks of the reader's own text kept inside one list item.
std::string markdownLines(const std::string& text, const std::string& indent) {
    std::string escaped = markdownEscape(text);
    std::string out;
    for (char c : escaped) {
        if (c == '\n')
            out += "\\\n" + indent;
        else
            out += c;
    }
    return out;
}

std::string htmlLines(const std::string& text) {
    std::string out;
    for (char c : htmlEscape(text)) {
        if (c == '\r')
            continue;
        if (c == '\n')
            out += "<br>";
        else
            out += c;
    }
    return out;
}

std::string hexColour(uint32_t colorRef) {
    static const char* digits = "0123456789abcdef";
    const uint32_t r = colorRef & 0xFF, g = (colorRef >> 8) & 0xFF, b = (colorRef >> 16) & 0xFF;
    std::string out = "#";
    for (uint32_t v : {r, g, b}) {
        out += digits[v >> 4];
        out += digits[v & 0xF];
    }
    return out;
}

std::string metaLine(const reader::TDetailBook& book, const char* separator) {
    std::string line;
    for (const std::string* part : {&book.penulis, &book.penerbit, &book.tahun_terbit}) {
        if (part->empty())
            continue;
        if (!line.empty())
            line += separator;
        line += *part;
    }
    return line;
}

uint32_t colourOf(const Json& item) {
    const double c = annotations::readNumber(item, "color");
    return c < 0 || c > 0xFFFFFF ? 0 : static_cast<uint32_t>(c);
}

// Two boxes share a line when they overlap over half the lower one's height.
bool sameLine(const annotations::PageBox& a, const annotations::PageBox& b) {
    const double aLow = std::min(a.top, a.bottom), aHigh = std::max(a.top, a.bottom);
    const double bLow = std::min(b.top, b.bottom), bHigh = std::max(b.top, b.bottom);
    const double overlap = std::min(aHigh, bHigh) - std::max(aLow, bLow);
    return overlap > 0.5 * std::min(aHigh - aLow, bHigh - bLow);
}

} // namespace

std::map<std::size_t, std::string>
readHighlightTexts(const std::vector<HighlightToRead>& highlights, const BoxedText& boxedText) {
    std::map<int, std::vector<const HighlightToRead*>> byPage;
    for (const HighlightToRead& h : highlights)
        byPage[h.page].push_back(&h);
    std::map<std::size_t, std::string> texts;
    for (const auto& [page, onPage] : byPage) {
        std::vector<annotations::PageBox> boxes;
        for (const HighlightToRead* h : onPage)
            boxes.insert(boxes.end(), h->boxes.begin(), h->boxes.end());
        std::vector<std::u16string> read;
        try {
            read = boxedText(page, boxes);
        } catch (const std::exception&) {
            read.clear(); // a page PDFium cannot open: its highlights have no text
        }
        std::size_t next = 0;
        for (const HighlightToRead* h : onPage) {
            // Boxes of one line (often one per glyph) join as they are; a new
            // line starts a new word.
            std::u16string joined;
            for (std::size_t i = 0; i < h->boxes.size(); ++i, ++next) {
                if (i > 0 && !sameLine(h->boxes[i - 1], h->boxes[i]))
                    joined += u'\n';
                if (next < read.size())
                    joined += read[next];
            }
            texts[h->item] = highlightText({joined});
        }
    }
    return texts;
}

std::optional<CitationStyle> defaultStyle(const reader::TDetailBook& book) {
    for (CitationStyle s : kCitationStyles)
        if (citationAvailable(citationOf(book, s)))
            return s;
    return std::nullopt;
}

std::vector<HighlightToRead> highlightsToRead(const Json& annotationObject) {
    std::vector<HighlightToRead> out;
    const Json& items = annotations::memberOf(annotationObject, "data");
    if (!items.is_array())
        return out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Json& item = items[i];
        if (annotations::readString(item, "type") != "HIGHLIGHT")
            continue;
        const std::optional<int> page = annotations::readInt(item, "page");
        if (!page)
            continue; // on no page a book can have
        HighlightToRead h{i, *page, {}};
        const Json& boxes = annotations::memberOf(item, "point_data");
        if (boxes.is_array())
            for (const Json& b : boxes)
                h.boxes.push_back(
                    {annotations::readNumber(b, "left"), annotations::readNumber(b, "top"),
                     annotations::readNumber(b, "right"), annotations::readNumber(b, "bottom")});
        out.push_back(std::move(h));
    }
    return out;
}

std::string highlightText(const std::vector<std::u16string>& boxTexts, std::size_t limit) {
    std::u16string joined;
    bool pendingSpace = false;
    for (const std::u16string& box : boxTexts) {
        for (char16_t c : box) {
            if (isSpace(c) || c == 0xFFFE || c == 0) {
                pendingSpace = !joined.empty();
                continue;
            }
            if (pendingSpace)
                joined += u' ';
            pendingSpace = false;
            joined += c;
        }
        pendingSpace = !joined.empty();
    }
    return cutAtWord(reader::utf8(joined), limit);
}

std::string cutAtWord(const std::string& text, std::size_t limit) {
    const std::u16string wide = reader::utf16(text);
    // Counted in characters as a reader counts them, not in UTF-16 units.
    std::size_t chars = 0, cut = wide.size();
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const bool trailing = wide[i] >= 0xDC00 && wide[i] <= 0xDFFF;
        if (trailing)
            continue;
        if (chars == limit) {
            cut = i;
            break;
        }
        ++chars;
    }
    if (cut == wide.size())
        return text;
    std::size_t end = cut;
    while (end > 0 && !isSpace(wide[end]) && !isSpace(wide[end - 1]))
        --end;
    if (end == 0)
        end = cut; // one word longer than the limit: cut inside it
    while (end > 0 && isSpace(wide[end - 1]))
        --end;
    return reader::utf8(wide.substr(0, end)) + "\xE2\x80\xA6";
}

int pageOfLabel(const std::string& label, int32_t halamanRomawi) {
    if (label.empty())
        return 0;
    if (std::all_of(label.begin(), label.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return label.size() > 9 ? 0 : std::stoi(label) + halamanRomawi;
    for (int page = 1; page < std::max(halamanRomawi, 0); ++page)
        if (reader::IntToRoman(page) == label)
            return page;
    return 0;
}

std::string colourWord(uint32_t colorRef) {
    static const struct {
        uint32_t rgb;
        const char* word;
    } kWords[] = {{0xFFFF00, "kuning"},     {0x00FF00, "hijau"}, {0x00FFFF, "biru muda"},
                  {0x0000FF, "biru"},       {0xFF0000, "merah"}, {0xFFA500, "oranye"},
                  {0xFFC0CB, "merah muda"}, {0x800080, "ungu"},  {0x808080, "abu-abu"},
                  {0x000000, "hitam"},      {0xFFFFFF, "putih"}, {0x8B4513, "cokelat"}};
    const int r = colorRef & 0xFF, g = (colorRef >> 8) & 0xFF, b = (colorRef >> 16) & 0xFF;
    const char* best = "kuning";
    long bestDistance = -1;
    for (const auto& w : kWords) {
        const int wr = (w.rgb >> 16) & 0xFF, wg = (w.rgb >> 8) & 0xFF, wb = w.rgb & 0xFF;
        const long d = long(r - wr) * (r - wr) + long(g - wg) * (g - wg) + long(b - wb) * (b - wb);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = w.word;
        }
    }
    return best;
}

std::vector<NotesEntry> collectEntries(const Json& annotationObject, const Json& textCopyObject,
                                       int32_t halamanRomawi,
                                       const std::map<std::size_t, std::string>& highlightTexts,
                                       const NotesChoice& choice) {
    std::vector<NotesEntry> entries;
    std::set<std::pair<std::string, std::string>> shownHighlights;
    const Json& items = annotations::memberOf(annotationObject, "data");
    if (items.is_array()) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Json& item = items[i];
            const std::string type = annotations::readString(item, "type");
            const std::optional<int> page = annotations::readInt(item, "page");
            if (!page)
                continue;
            NotesEntry e;
            e.page = *page;
            e.label = copyPageLabel(e.page, halamanRomawi);
            if (type == "HIGHLIGHT" && choice.highlights) {
                e.kind = EntryKind::Highlight;
                const auto text = highlightTexts.find(i);
                e.text = text == highlightTexts.end() ? std::string() : text->second;
                e.colour = colourOf(item);
                shownHighlights.insert({e.label, e.text});
            } else if (type == "NOTES" && choice.notes) {
                e.kind = EntryKind::Note;
                e.text = annotations::readString(item, "text");
                e.date = annotations::readString(item, "date");
            } else if ((type == "RECTANGLE" || type == "INK") && choice.marks) {
                e.kind = EntryKind::Mark;
            } else {
                continue;
            }
            entries.push_back(std::move(e));
        }
    }
    const Json& copies = annotations::memberOf(textCopyObject, "data");
    if (choice.copies && copies.is_array()) {
        for (const Json& copy : copies) {
            if (!copy.is_object())
                continue;
            NotesEntry e;
            e.kind = EntryKind::Copy;
            e.label = annotations::readString(copy, "page");
            e.text = annotations::readString(copy, "text");
            e.page = pageOfLabel(e.label, halamanRomawi);
            if (shownHighlights.count({e.label, e.text}))
                continue;
            entries.push_back(std::move(e));
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const NotesEntry& a, const NotesEntry& b) { return a.page < b.page; });
    return entries;
}

std::string notesHtml(const reader::TDetailBook& book, const std::string& citation,
                      const std::vector<NotesEntry>& entries) {
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"id\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Catatan Baca: " +
        htmlEscape(book.judul) +
        "</title>\n<style>\n"
        "body{font-family:\"DejaVu Serif\",Georgia,serif;max-width:42em;margin:2em auto;"
        "padding:0 1em;line-height:1.5;color:#111;background:#fff}\n"
        "h1{font-size:1.6em;margin-bottom:.2em}\n"
        ".meta{color:#444;margin-top:0}\n"
        ".citation{border-left:3px solid #999;padding-left:.8em;color:#222}\n"
        "h2{font-size:1.1em;border-bottom:1px solid #ccc;margin-top:1.6em}\n"
        "ul{list-style:none;padding-left:0}\n"
        "li{margin:.5em 0}\n"
        ".kind{font-weight:bold}\n"
        ".date{color:#555}\n"
        ".swatch{display:inline-block;width:.9em;height:.9em;border:1px solid #777;"
        "vertical-align:-.1em;margin-right:.3em;-webkit-print-color-adjust:exact;"
        "print-color-adjust:exact}\n"
        "@media print{body{margin:0;max-width:none}h2{break-after:avoid}li{break-inside:avoid}}\n"
        "</style>\n</head>\n<body>\n<h1>" +
        htmlEscape(book.judul) + "</h1>\n";
    if (const std::string meta = metaLine(book, " \xC2\xB7 "); !meta.empty())
        out += "<p class=\"meta\">" + htmlEscape(meta) + "</p>\n";
    if (!citation.empty())
        out += "<p class=\"citation\">" + htmlEscape(citation) + "</p>\n";
    int page = -1;
    for (const NotesEntry& e : entries) {
        if (e.page != page) {
            if (page >= 0)
                out += "</ul>\n</section>\n";
            page = e.page;
            out += "<section>\n<h2>Halaman " + htmlEscape(shownLabel(e.label)) + "</h2>\n<ul>\n";
        }
        switch (e.kind) {
        case EntryKind::Highlight:
            out += "<li><span class=\"swatch\" style=\"background:" + hexColour(e.colour) +
                   "\"></span><span class=\"kind\">Sorotan:</span> " + htmlEscape(e.text) +
                   "</li>\n";
            break;
        case EntryKind::Note:
            out += "<li><span class=\"kind\">Catatan</span> <span class=\"date\">(" +
                   htmlEscape(e.date) + ")</span>: " + htmlLines(e.text) + "</li>\n";
            break;
        case EntryKind::Copy:
            out += "<li><span class=\"kind\">Kutipan:</span> " + htmlEscape(e.text) + "</li>\n";
            break;
        case EntryKind::Mark:
            out += "<li>Tanda pada halaman " + htmlEscape(shownLabel(e.label)) + "</li>\n";
            break;
        }
    }
    if (page >= 0)
        out += "</ul>\n</section>\n";
    out += "</body>\n</html>\n";
    return out;
}

std::string notesMarkdown(const reader::TDetailBook& book, const std::string& citation,
                          const std::vector<NotesEntry>& entries) {
    std::string out = "# " + markdownEscape(book.judul) + "\n\n";
    if (const std::string meta = metaLine(book, " \xC2\xB7 "); !meta.empty())
        out += markdownEscape(meta) + "\n\n";
    if (!citation.empty())
        out += "> " + markdownEscape(citation) + "\n\n";
    int page = -1;
    for (const NotesEntry& e : entries) {
        if (e.page != page) {
            if (page >= 0)
                out += "\n";
            page = e.page;
            out += "## Halaman " + markdownEscape(shownLabel(e.label)) + "\n\n";
        }
        switch (e.kind) {
        case EntryKind::Highlight:
            out += "- **Sorotan** (" + colourWord(e.colour) + "): " + markdownEscape(e.text) + "\n";
            break;
        case EntryKind::Note:
            out += "- **Catatan** (" + markdownEscape(e.date) +
                   "): " + markdownLines(e.text, "  ") + "\n";
            break;
        case EntryKind::Copy:
            out += "- **Kutipan**: " + markdownEscape(e.text) + "\n";
            break;
        case EntryKind::Mark:
            out += "- Tanda pada halaman " + markdownEscape(shownLabel(e.label)) + "\n";
            break;
        }
    }
    return out;
}

int recordExport(Json& textCopyObject, const std::vector<NotesEntry>& entries) {
    int added = 0;
    for (const NotesEntry& e : entries)
        if (e.kind == EntryKind::Highlight && !e.text.empty() &&
            recordCopy(textCopyObject, e.label, e.text))
            ++added;
    return added;
}

} // namespace sumberlaras::bookinfo
