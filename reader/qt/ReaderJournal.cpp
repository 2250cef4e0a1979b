// The journal of the reader: the open books and the outbox, written as they
// change, so that a crash or a power cut loses none of the reader's work.
#include <QLoggingCategory>

#include "base/LogCategories.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"

namespace sumberlaras {

using namespace std::chrono_literals;

namespace {
// Changes that come quicker are written together.
constexpr auto kJournalBatch = 2s;
} // namespace

void ReaderFace::openJournal() {
    if (d_.journalFolder.empty())
        return;
    reader::JournalFile file{std::filesystem::path(d_.journalFolder)};
    try {
        if (const std::optional<std::string> text = file.load()) {
            reader::JournalContents contents = reader::readJournal(*text);
            leftOpen_ = std::move(contents.books);
            outbox_ = std::move(contents.outbox);
        }
    } catch (const std::exception& e) {
        qCWarning(lcReader) << "journal unreadable:" << e.what();
        try {
            file.setAside(); // kept for a person to look at, never overwritten
        } catch (const std::exception& moved) {
            qCWarning(lcReader) << "journal not set aside:" << moved.what();
        }
        showNotice("Catatan pemulihan tidak dapat dibaca dan disimpan terpisah: " +
                   std::string(e.what()));
    }
    journal_ = std::make_unique<reader::JournalWriter>(std::move(file));
}

void ReaderFace::journalChanged() {
    if (!journal_)
        return;
    journalDirty_ = true;
    if (journalTicker_->active())
        return; // written at the batch's end
    // The first change after a quiet spell is written at once; the ones that
    // follow within the batch wait for its end.
    writeJournal();
    std::weak_ptr<int> alive = alive_;
    journalTicker_->start(kJournalBatch, [this, alive] {
        if (alive.expired())
            return;
        if (journalDirty_)
            writeJournal();
        else
            journalTicker_->stop();
    });
}

void ReaderFace::writeJournal() {
    if (!journal_)
        return;
    journalDirty_ = false;
    std::vector<reader::JournaledBook> books = openBooksForJournal();
    books.insert(books.end(), leftOpen_.begin(), leftOpen_.end());
    // Only copies here: the text is made on the journal's thread.
    journal_->submit([books = std::move(books), outbox = outbox_] {
        return reader::journalText(books, outbox);
    });
    if (const std::optional<std::string> error = journal_->takeError()) {
        qCWarning(lcReader) << "journal not written:" << error->c_str();
        showNotice("Catatan pemulihan tidak dapat ditulis: " + *error);
    }
}

std::vector<reader::JournaledBook> ReaderFace::openBooksForJournal() {
    std::vector<reader::JournaledBook> books;
    for (const ReaderTab& t : tabs_) {
        const reader::TDetailBook* book = bookOfTab(t.index);
        const reader::TReaderSettings* s = settingsOfTab(t.index);
        if (!t.holdsBook() || !book || !s)
            continue;
        const reader::ReturnDocuments docs = reader::returnDocuments(*s);
        books.push_back({s->Member, book->id_baca, book->id, book->judul, t.view->PageIndex(),
                         docs.annotations, docs.copiedText});
    }
    return books;
}

void ReaderFace::returnBooksLeftOpen(const std::string& member) {
    std::vector<std::string> titles;
    for (auto it = leftOpen_.begin(); it != leftOpen_.end();) {
        if (it->member != member) {
            ++it;
            continue;
        }
        outbox_.addReturn(it->member, it->idBaca, it->idKonten, it->title, it->pageIndex,
                          it->annotations, it->copiedText, d_.clock->now());
        titles.push_back(it->title);
        it = leftOpen_.erase(it);
    }
    if (titles.empty())
        return;
    journalChanged();
    std::string list;
    for (const std::string& t : titles)
        list += "\n- " + t;
    d_.dialogs.information("Buku yang masih terbuka saat aplikasi terakhir berhenti dikembalikan "
                           "pada halaman terakhir yang dibaca, bersama anotasi dan kutipannya:" +
                           list);
}

std::size_t ReaderFace::returnsWaiting() const {
    std::set<std::string> loans;
    for (const reader::OutboxEntry& e : outbox_.entries())
        loans.insert(e.member + '\n' + e.idBaca);
    for (const reader::JournaledBook& b : leftOpen_)
        loans.insert(b.member + '\n' + b.idBaca);
    return loans.size();
}

void ReaderFace::flushJournal() {
    if (journal_)
        journal_->flush();
}

} // namespace sumberlaras
