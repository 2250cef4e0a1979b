#include "bookinfo/StudyNotes.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "bookinfo/CopyText.h"
#include "reader/session/UnicodeText.h"
#include "tests/bookinfo/CitedBook.h"

namespace sumberlaras::bookinfo {
namespace {

using sumberlaras::testing::citedBook;

// The golden file `name`; with UPDATE_GOLDEN set, `actual` is written as it.
std::string golden(const std::string& name, const std::string& actual) {
    const std::string path = std::string(BOOKINFO_GOLDEN_DIR) + "/" + name;
    if (std::getenv("UPDATE_GOLDEN"))
        std::ofstream(path, std::ios::binary) << actual;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Json box(double l, double t, double r, double b) {
    return {{"left", l}, {"top", t}, {"right", r}, {"bottom", b}};
}

// A book with three front pages: one item of each kind on pages 0, 2 and 7,
// whose labels are "", "II" and "4".
struct Studied {
    reader::TDetailBook book = citedBook();
    Json annotations = {{"id_konten", "42"}, {"data", Json::array()}};
    Json copies = {{"id_konten", "42"}, {"data", Json::array()}};
    std::map<std::size_t, std::string> texts;

    Studied() {
        book.halaman_romawi = 3;
        for (int page : {7, 2, 0}) { // not in page order: the export sorts
            const std::string p = std::to_string(page);
            Json& data = annotations["data"];
            texts[data.size()] = "Teks sorotan halaman " + p;
            data.push_back({{"page", page},
                            {"type", "HIGHLIGHT"},
                            {"color", 0x00FFFF},
                            {"point_data", Json::array({box(72, 700, 300, 688)})}});
            data.push_back({{"page", page},
                            {"type", "NOTES"},
                            {"color", 374470},
                            {"date", "10/12/26"},
                            {"text", "Catatan halaman " + p + "\nbaris kedua"}});
            data.push_back({{"page", page}, {"type", "RECTANGLE"}, {"color", 255}});
        }
        for (const char* label : {"II", "", "4"})
            copies["data"].push_back(
                {{"page", label}, {"text", std::string("Kutipan halaman ") + label}});
    }
    std::vector<NotesEntry> entries(const NotesChoice& choice = {}) const {
        return collectEntries(annotations, copies, book.halaman_romawi, texts, choice);
    }
};

TEST(StudyNotes, TheExportMatchesItsGoldenFiles) {
    const Studied s;
    const std::string citation = citationOf(s.book, CitationStyle::MLA);
    const std::string html = notesHtml(s.book, citation, s.entries());
    const std::string md = notesMarkdown(s.book, citation, s.entries());
    EXPECT_EQ(html, golden("study-notes.html", html));
    EXPECT_EQ(md, golden("study-notes.md", md));
}

TEST(StudyNotes, EntriesComeInPageOrderWithTheCopyRulesLabels) {
    const Studied s;
    std::vector<std::pair<int, std::string>> order;
    for (const NotesEntry& e : s.entries())
        order.emplace_back(e.page, e.label);
    const std::vector<std::pair<int, std::string>> expected = {
        {0, ""},   {0, ""},   {0, ""},  {0, ""},  {2, "II"}, {2, "II"},
        {2, "II"}, {2, "II"}, {7, "4"}, {7, "4"}, {7, "4"},  {7, "4"}};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(s.entries()[3].kind, EntryKind::Copy) << "copies after the page's marks";
}

TEST(StudyNotes, WhatIsLeftOutIsNotShownAndEmptySectionsGo) {
    const Studied s;
    NotesChoice onlyNotes;
    onlyNotes.highlights = onlyNotes.copies = onlyNotes.marks = false;
    const std::vector<NotesEntry> notes = s.entries(onlyNotes);
    ASSERT_EQ(notes.size(), 3u);
    for (const NotesEntry& e : notes)
        EXPECT_EQ(e.kind, EntryKind::Note);
    NotesChoice nothing = onlyNotes;
    nothing.notes = false;
    const std::string html = notesHtml(s.book, "", s.entries(nothing));
    EXPECT_EQ(html.find("<section>"), std::string::npos);
    EXPECT_EQ(html.find("class=\"citation\""), std::string::npos);
    reader::TDetailBook bare = s.book;
    bare.penulis = bare.penerbit = bare.tahun_terbit = "";
    EXPECT_EQ(notesMarkdown(bare, "", {}), "# Ekonomi Desa\n\n");
}

TEST(StudyNotes, AnItemOnAPageBeyondAnyBookIsLeftOut) {
    Studied s;
    const std::size_t before = s.entries().size();
    for (const double page : {1e300, -1e300, 4294967296.0}) {
        SCOPED_TRACE(page);
        Studied far = s;
        far.annotations["data"][0]["page"] = page; // a highlight
        far.annotations["data"][1]["page"] = page; // a note
        EXPECT_EQ(highlightsToRead(far.annotations).size(), 2u);
        EXPECT_EQ(far.entries().size(), before - 2);
    }
}

TEST(StudyNotes, TextOfAnyScriptArrivesIntact) {
    Studied s;
    s.annotations["data"][1]["text"] = "Ğüzel çalışma — 読書ノート ✓";
    s.texts[0] = "Pendidikan Anak Usia Dini — café Çelik 𝔘";
    for (const std::string& out :
         {notesHtml(s.book, "", s.entries()), notesMarkdown(s.book, "", s.entries())}) {
        EXPECT_NE(out.find("Ğüzel çalışma — 読書ノート ✓"), std::string::npos) << out;
        EXPECT_NE(out.find("café Çelik 𝔘"), std::string::npos) << out;
    }
}

TEST(StudyNotes, HostileTextStaysText) {
    Studied s;
    const std::string hostile =
        "<script>alert(1)</script> [klik](javascript:alert(1)) <img src=x onerror=alert(1)>";
    s.annotations["data"][1]["text"] = hostile;
    s.annotations["data"][1]["date"] = "\"><b>";
    s.book.judul = "<i>Judul</i> & [x](javascript:y)";
    const std::string html = notesHtml(s.book, hostile, s.entries());
    for (const char* never : {"<script", "<img", "<i>", "<b>"})
        EXPECT_EQ(html.find(never), std::string::npos) << never;
    EXPECT_NE(html.find("(&quot;&gt;&lt;b&gt;)"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    const std::string md = notesMarkdown(s.book, hostile, s.entries());
    for (const char* never : {"<script", "<img", "<i>", "](javascript", "[klik]"})
        EXPECT_EQ(md.find(never), std::string::npos) << never;
    EXPECT_NE(md.find("\\[klik\\]\\(javascript:alert\\(1\\)\\)"), std::string::npos) << md;
}

TEST(StudyNotes, AnExportRecordsEachHighlightTextOnceAndAgainNothing) {
    Studied s;
    Json record = s.copies;
    const std::vector<NotesEntry> first = s.entries();
    EXPECT_EQ(recordExport(record, first), 3);
    ASSERT_EQ(record["data"].size(), 6u);
    // In the export's order: by page.
    EXPECT_EQ(record["data"][3], (Json{{"page", ""}, {"text", "Teks sorotan halaman 0"}}));
    EXPECT_EQ(record["data"][5], (Json{{"page", "4"}, {"text", "Teks sorotan halaman 7"}}));
    // The next export reads the record, and shows no highlight twice.
    const std::vector<NotesEntry> second =
        collectEntries(s.annotations, record, 3, s.texts, NotesChoice{});
    EXPECT_EQ(second.size(), first.size());
    EXPECT_EQ(recordExport(record, second), 0);
    EXPECT_EQ(record["data"].size(), 6u);
}

TEST(StudyNotes, HighlightTextIsFoldedAndLongTextCutAtAWord) {
    EXPECT_EQ(highlightText({u"  Baris pertama\r\n", u"baris\tkedua  "}),
              "Baris pertama baris kedua");
    EXPECT_EQ(highlightText({}), "");
    const struct {
        const char* text;
        std::size_t limit;
        const char* expected;
    } cases[] = {
        {"satu dua tiga", 20, "satu dua tiga"},
        {"satu dua tiga", 13, "satu dua tiga"},
        {"satu dua tiga", 10, "satu dua…"},
        {"satu dua tiga", 8, "satu dua…"},
        {"satu dua tiga", 6, "satu…"},
        {"panjangsekali", 5, "panja…"},
        {"çççç çççç", 6, "çççç…"},
        {"𝔘𝔘𝔘 𝔘𝔘𝔘", 5, "𝔘𝔘𝔘…"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cutAtWord(c.text, c.limit), c.expected);
    }
    const std::string long2000(2500, 'a');
    std::string words;
    while (words.size() < 2100)
        words += "kata ";
    const std::string cut = highlightText({reader::utf16(words)});
    EXPECT_LE(cut.size(), 2000u + 3u);
    EXPECT_TRUE(cut.ends_with("kata\xE2\x80\xA6"));
}

TEST(StudyNotes, HighlightsAreReadOnePageAtATime) {
    using annotations::PageBox;
    // Glyph boxes on one line, then a second line; the page of the third fails.
    const std::vector<HighlightToRead> highlights = {
        {0, 4, {{10, 700, 16, 690}, {16, 700, 22, 690}, {10, 680, 16, 670}}},
        {3, 4, {{30, 600, 40, 590}}},
        {5, 9, {{1, 2, 3, 4}}},
    };
    std::vector<int> pagesRead;
    const auto texts =
        readHighlightTexts(highlights, [&](int page, const std::vector<PageBox>& boxes) {
            pagesRead.push_back(page);
            if (page == 9)
                throw std::runtime_error("page cannot be opened");
            EXPECT_EQ(boxes.size(), 4u);
            return std::vector<std::u16string>{u"A", u"b", u"c", u"kata"};
        });
    EXPECT_EQ(pagesRead, (std::vector<int>{4, 9}));
    EXPECT_EQ(texts.at(0), "Ab c");
    EXPECT_EQ(texts.at(3), "kata");
    EXPECT_EQ(texts.at(5), "");
}

TEST(StudyNotes, StylesLabelsAndColours) {
    reader::TDetailBook b = citedBook();
    EXPECT_EQ(defaultStyle(b), CitationStyle::MLA);
    b.mla_style = "N/A";
    EXPECT_EQ(defaultStyle(b), CitationStyle::CHG);
    for (std::string* s : {&b.chicago_style, &b.turabian_style, &b.harvard_style, &b.ieee_style})
        *s = "N/A";
    EXPECT_EQ(defaultStyle(b), std::nullopt);

    for (int page : {0, 1, 2, 3, 4, 17})
        EXPECT_EQ(pageOfLabel(copyPageLabel(page, 3), 3), page) << page;
    EXPECT_EQ(pageOfLabel("XLII", 3), 0) << "a numeral beyond the front pages";
    EXPECT_EQ(colourWord(0x00FFFF), "kuning");
    EXPECT_EQ(colourWord(0x00FF00), "hijau");
    EXPECT_EQ(colourWord(0x0000FF), "merah");
}

} // namespace
} // namespace sumberlaras::bookinfo
