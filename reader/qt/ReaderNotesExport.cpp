// Study notes: a book's highlights, notes, copied passages and marks written to
// a file the reader chooses, and the exported highlight texts recorded as copies.
#include <fstream>
#include <stdexcept>

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "bookinfo/qt/TFormStudyNotes.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"

namespace sumberlaras {

void ReaderFace::btnExportNotesClick() {
    const int index = activeIndex();
    const reader::TDetailBook* book = bookOfTab(index);
    if (!activeView() || !book)
        return;
    studyNotes_->showFor(index, *book);
}

void ReaderFace::exportNotes(int tab, const bookinfo::NotesChoice& choice) {
    const reader::TDetailBook* book = bookOfTab(tab);
    const reader::TReaderSettings* s = settingsOfTab(tab);
    if (!book || !s || !tabs_[tab].holdsBook() || notesExport_)
        return;
    const bool markdown = choice.format == bookinfo::NotesFormat::Markdown;
    const std::optional<std::string> chosen =
        d_.dialogs.saveFileName(markdown ? SaveFileQuestion{"md", "Markdown File|*.md"}
                                         : SaveFileQuestion{"html", "HTML File|*.html"});
    if (!chosen)
        return;
    const std::string path =
        QFileInfo(QString::fromStdString(*chosen)).absoluteFilePath().toStdString();
    // The worker reads the book's text only; the documents go as they are now.
    std::shared_ptr<const TPdfTextReader> pages = tabs_[tab].view->Document().TextReader();
    if (!pages)
        return;
    auto highlights = std::make_shared<std::vector<bookinfo::HighlightToRead>>(
        choice.highlights ? bookinfo::highlightsToRead(s->AnnotationObject)
                          : std::vector<bookinfo::HighlightToRead>{});
    auto texts = std::make_shared<std::map<std::size_t, std::string>>();
    TaskSpec spec;
    spec.label = "notesExport";
    spec.worker = [pages, highlights, texts](Task&) {
        *texts = bookinfo::readHighlightTexts(
            *highlights, [&pages](int page, const std::vector<annotations::PageBox>& boxes) {
                std::vector<TPdfRect> rects;
                rects.reserve(boxes.size());
                for (const annotations::PageBox& b : boxes)
                    rects.push_back({b.left, b.top, b.right, b.bottom});
                return pages->BoxedText(page, rects);
            });
    };
    std::weak_ptr<int> alive = alive_;
    spec.onCompleted = [this, alive, tab, idBaca = s->IdBaca, path, choice,
                        annotations = s->AnnotationObject, copies = s->TextCopyObject,
                        texts](Task&) {
        if (alive.expired())
            return;
        notesExport_.reset();
        NotesExportTerminated(tab, idBaca, path, choice, annotations, copies, *texts);
    };
    notesExport_ = d_.tasks.start(std::move(spec));
}

void ReaderFace::NotesExportTerminated(int tab, const std::string& idBaca, const std::string& path,
                                       const bookinfo::NotesChoice& choice, const Json& annotations,
                                       const Json& copies,
                                       const std::map<std::size_t, std::string>& texts) {
    const reader::TDetailBook* book = bookOfTab(tab);
    reader::TReaderSettings* s = settingsOfTab(tab);
    // The book went back meanwhile: nothing is written, so nothing is recorded.
    if (!book || !s || s->IdBaca != idBaca)
        return;
    try {
        const std::vector<bookinfo::NotesEntry> entries =
            bookinfo::collectEntries(annotations, copies, book->halaman_romawi, texts, choice);
        const std::string citation =
            choice.withCitation ? bookinfo::citationOf(*book, choice.style) : std::string();
        const std::string text = choice.format == bookinfo::NotesFormat::Markdown
                                     ? bookinfo::notesMarkdown(*book, citation, entries)
                                     : bookinfo::notesHtml(*book, citation, entries);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out)
            throw std::runtime_error("berkas tidak dapat ditulis: " + path);
        if (bookinfo::recordExport(s->TextCopyObject, entries) > 0)
            journalChanged();
    } catch (const std::exception& e) {
        d_.dialogs.error(std::string("Ekspor catatan gagal : ") + e.what());
        return;
    }
    const QString file = QString::fromStdString(path);
    if (d_.links.openFile)
        d_.links.openFile(file);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

} // namespace sumberlaras
