// The study notes export of a book with 2,000 highlights over 500 pages:
//   reading the highlights' text (one call per page), ordering the entries and
//   writing the HTML / raw PDFium text extraction of the same 500 pages (load
//   page, load text page, read every character, close), in alternating rounds.
// Usage: study_notes_bench [rounds]
#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/support/BookLikePdf.h"
#include "bench/support/Median.h"
#include "bench/support/RawExtraction.h"
#include "bookinfo/StudyNotes.h"
#include "reader/engine/PdfTextReader.h"
#include "reader/engine/PdfiumHandles.h"

namespace sumberlaras {
namespace {

constexpr int kPages = 500;
constexpr int kPerPage = 4;
using Steady = std::chrono::steady_clock;

double msSince(Steady::time_point start) {
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

// Four highlights a page, each over two lines' height of the body text.
Json markedDocument() {
    Json doc = {{"id_konten", "1"}, {"data", Json::array()}};
    for (int page = 0; page < kPages; ++page)
        for (int k = 0; k < kPerPage; ++k) {
            const double top = 740 - k * 160;
            doc["data"].push_back(
                {{"page", page},
                 {"type", "HIGHLIGHT"},
                 {"color", 0x00FFFF},
                 {"point_data",
                  Json::array(
                      {{{"left", 60}, {"top", top}, {"right", 540}, {"bottom", top - 14}},
                       {{"left", 60}, {"top", top - 16}, {"right", 540}, {"bottom", top - 30}}})}});
        }
    return doc;
}

double exportNotes(const TPdfTextReader& pages, const Json& marks, std::size_t& written) {
    const auto start = Steady::now();
    const auto texts = bookinfo::readHighlightTexts(
        bookinfo::highlightsToRead(marks),
        [&pages](int page, const std::vector<annotations::PageBox>& boxes) {
            std::vector<TPdfRect> rects;
            for (const annotations::PageBox& b : boxes)
                rects.push_back({b.left, b.top, b.right, b.bottom});
            return pages.BoxedText(page, rects);
        });
    reader::TDetailBook book;
    book.judul = "Buku";
    const auto entries = bookinfo::collectEntries(marks, Json::object(), 3, texts, {});
    written = bookinfo::notesHtml(book, "Sitasi", entries).size();
    return msSince(start);
}

} // namespace
} // namespace sumberlaras

int main(int argc, char** argv) {
    using namespace sumberlaras;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QByteArray bytes = bench::bookLikePdf(kPages);
    auto doc = std::make_shared<pdfium::DocumentHandle>(
        std::vector<uint8_t>(bytes.begin(), bytes.end()), "");
    const TPdfTextReader pages(doc);
    const Json marks = markedDocument();
    std::vector<double> raw, exported;
    std::size_t written = 0;
    exportNotes(pages, marks, written); // warm-up, untimed
    for (int r = 0; r < rounds; ++r) {
        raw.push_back(bench::rawTextExtraction(doc, 0, kPages));
        exported.push_back(exportNotes(pages, marks, written));
    }
    const double rawMs = bench::median(raw), exportMs = bench::median(exported);
    std::printf("export of %d highlights over %d pages: %.1f ms (%zu bytes of HTML); raw "
                "extraction: %.1f ms; ratio %.2f (goal <= 1.5)\n",
                kPages * kPerPage, kPages, exportMs, written, rawMs, exportMs / rawMs);
    return 0;
}
