// Reading time, status reports and the two kinds of return.
#include <stdexcept>

#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>

#include "annotations/qt/TFormNotes.h"
#include "annotations/qt/TFormSticky.h"
#include "bookinfo/qt/TFormStudyNotes.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"
#include "reader/session/ReadingTime.h"
#include "reader/session/TabChoice.h"

namespace sumberlaras {

using namespace std::chrono_literals;

void ReaderFace::startTimer(Ticker& timer, const std::string& name) {
    std::weak_ptr<int> alive = alive_;
    timer.start(1000ms, [this, alive, name] {
        if (!alive.expired())
            TimerTick(name);
    });
}

void ReaderFace::TimerTick(const std::string& timerName) {
    const reader::TimerOwner owner = reader::splitTimerName(timerName);
    const int index = reader::tabIndex(owner.tab);
    reader::TReaderSettings* s = settingsOfTab(index);
    if (!s || !owner.kind)
        return;
    ReaderTab& t = tabs_[index];
    switch (reader::TimerTick(*s, *owner.kind)) {
    case reader::TickAction::None:
        break;
    case reader::TickAction::StopIdleTimer:
        t.TimerIdle->stop();
        break;
    case reader::TickAction::StartReport:
        t.TimerChecking->stop();
        startStatusReport(index);
        break;
    }
}

void ReaderFace::startStatusReport(int index) {
    reader::TReaderSettings* s = settingsOfTab(index);
    TaskSpec spec;
    spec.label = "Update";
    spec.params = reader::statusReportParams(*s, tabs_[index].name);
    reader::LoanService& service = d_.service;
    spec.worker = [&service](Task& t) { reader::UpdateReadStatus(service, t.params()); };
    std::weak_ptr<int> alive = alive_;
    spec.onCompleted = [this, alive](Task& t) {
        if (!alive.expired())
            UpdateReadStatusTerminated(t.params());
    };
    s->TimerTask = d_.tasks.start(std::move(spec));
}

void ReaderFace::UpdateReadStatusTerminated(const TaskParams& params) {
    if (d_.globals.RequestCancelled)
        return;
    const int index = reader::tabIndex(params.text("key"));
    reader::TReaderSettings* s = settingsOfTab(index);
    // The book was returned meanwhile, perhaps another opened in its tab.
    if (!s || !s->TimerTask || s->IdBaca != params.text("id_baca"))
        return;
    try {
        if (reader::reportCompleted(*s) == reader::ReportEnd::RestartTimer) {
            startTimer(*tabs_[index].TimerChecking,
                       reader::timerName(tabs_[index].name, reader::TimerKind::Checking));
            return;
        }
        // The reader's work of the session still reaches the service.
        if (const reader::TDetailBook* book = bookOfTab(index)) {
            const reader::ReturnDocuments docs = reader::returnDocuments(*s);
            outbox_.addDocuments(s->Member, book->id_baca, book->id, book->judul, docs.annotations,
                                 docs.copiedText, d_.clock->now());
        }
        closeTab(index);
        pumpOutbox();
        d_.dialogs.information("Buku otomatis kembali ke rak , karena telah mencapai waktu idle "
                               "selama 30-menit");
    } catch (const std::exception& e) {
        d_.dialogs.error(std::string("Error Exception #1578 ") + e.what());
    }
}

void ReaderFace::btnReturnClick() {
    const int index = activeIndex();
    if (index < 0 || index >= reader::kTabCount || !tabs_[index].holdsBook())
        return;
    if (!d_.dialogs.confirm("Selesai dan kembalikan Buku Ini?", DialogButtons::YesNo))
        return;
    ReaderTab& t = tabs_[index];
    t.TimerIdle->stop();
    t.TimerChecking->stop();
    const int pageIndex = t.view->PageIndex();
    const reader::TDetailBook* book = bookOfTab(index);
    const reader::TReaderSettings* s = settingsOfTab(index);
    if (book && s) {
        // The outbox keeps copies of all it sends: it outlives the records.
        const reader::ReturnDocuments docs = reader::returnDocuments(*s);
        outbox_.addReturn(s->Member, book->id_baca, book->id, book->judul, pageIndex,
                          docs.annotations, docs.copiedText, d_.clock->now());
    }
    closeTab(index);
    pumpOutbox();
}

void ReaderFace::closeTab(int index, bool countDown) {
    ReaderTab& t = tabs_[index];
    stopSearchOf(index);
    // The note windows of this book go with it, unsaved.
    sticky_->bookClosed(t.name);
    notes_->bookClosed(t.name);
    studyNotes_->bookClosed(index);
    if (d_.links.bookClosed)
        d_.links.bookClosed(index);
    if (t.TimerIdle)
        t.TimerIdle->stop();
    if (t.TimerChecking)
        t.TimerChecking->stop();
    t.TimerIdle.reset();
    t.TimerChecking.reset();
    delete t.view;
    t.view = nullptr;
    t.marks.clear();
    readerState.erase(t.name);
    bool counted = false;
    for (auto it = readDict.begin(); it != readDict.end(); ++it) {
        if (it->second.TabSheet == index) {
            readDict.erase(it);
            counted = true;
            break;
        }
    }
    if (countDown && counted)
        --d_.globals.readCount;
    t.sheet->setAccessibleName(QString());
    pageControl_->setTabText(index, QString());
    pageControl_->setTabToolTip(index, QString());
    pageControl_->tabBar()->setAccessibleTabName(index, kFreeTabName);
    pageControl_->setTabVisible(index, false);
    if (!activeView())
        edPage->clear();
    journalChanged();
}

} // namespace sumberlaras
