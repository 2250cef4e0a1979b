// In-book search: a worker scans the page texts of the book it started on.
#include <stdexcept>

#include <QLineEdit>
#include <QTabWidget>

#include "reader/engine/PdfTextReader.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"
#include "reader/session/BookSearch.h"
#include "reader/session/TabChoice.h"

namespace sumberlaras {

void ReaderFace::startSearch(int direction) {
    const int index = activeIndex();
    TPdfControl* v = activeView();
    reader::TReaderSettings* s = activeSettings();
    if (!v || !s || !pageControl_->isTabVisible(index) || edSearch->text().isEmpty() ||
        d_.globals.isSearchRunning)
        return;
    try {
        const std::string keyword = edSearch->text().toStdString();
        s->CurrentSearchKeyWord = keyword;
        std::shared_ptr<const TPdfTextReader> pages = v->Document().TextReader();
        if (!pages)
            return;
        TaskSpec spec;
        spec.label = "searchWorker";
        spec.params = reader::searchParams(keyword, direction, v->PageIndex(), pages->PageCount(),
                                           tabs_[index].name, s->IdBaca);
        // The worker holds the document itself, never the view or the records.
        spec.worker = [pages](Task& task) {
            reader::SearchWorker(task, [&pages](int page) { return pages->PageText(page); });
        };
        std::weak_ptr<int> alive = alive_;
        spec.onMessage = [this, alive](Task& task, int id, const std::string& text) {
            if (!alive.expired())
                SearchWorkerMessage(task.params(), id, text);
        };
        spec.onCompleted = [this, alive](Task& task) {
            if (!alive.expired())
                SearchWorkerTerminated(task.params());
        };
        // Raised before the start, so no second search slips in before the worker runs.
        d_.globals.isSearchRunning = true;
        search_.tab = index;
        search_.task = d_.tasks.start(std::move(spec));
    } catch (const std::exception& e) {
        d_.globals.isSearchRunning = false;
        search_ = {};
        d_.dialogs.show(DialogKind::Error, std::string("Error Exception #1338 : ") + e.what(),
                        DialogButtons::Yes);
    }
}

void ReaderFace::SearchWorkerMessage(const TaskParams& params, int id, const std::string& text) {
    // The result belongs to the book the scan started on, active or not.
    const int index = reader::tabIndex(params.text("key"));
    const reader::TReaderSettings* s = settingsOfTab(index);
    if (!s || s->IdBaca != params.text("id_baca") || !tabs_[index].view)
        return;
    TPdfControl* v = tabs_[index].view;
    try {
        switch (id) {
        case reader::kSearchFound:
            v->setPageIndex(std::stoi(text));
            v->HightlightText(QString::fromStdString(params.text("keyword")), false, true);
            break;
        case reader::kSearchNotFound:
            d_.dialogs.show(DialogKind::Information, text, DialogButtons::Yes);
            break;
        case reader::kSearchFailed:
            d_.dialogs.show(DialogKind::Error, text, DialogButtons::Yes);
            break;
        default:
            break;
        }
    } catch (const std::exception& e) {
        d_.dialogs.show(DialogKind::Error, std::string("Error Exception #1338 : ") + e.what(),
                        DialogButtons::Yes);
    }
}

void ReaderFace::SearchWorkerTerminated(const TaskParams& params) {
    if (search_.tab != reader::tabIndex(params.text("key")))
        return;
    search_ = {};
    d_.globals.isSearchRunning = false;
}

void ReaderFace::stopSearchOf(int tab) {
    if (!search_.task || search_.tab != tab)
        return;
    // Its messages and completion are dropped: the book is going.
    search_.task->cancel();
    search_ = {};
    d_.globals.isSearchRunning = false;
}

} // namespace sumberlaras
