// Opening a downloaded book: read it, ask for the loan, prepare its tab.
#include <stdexcept>

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>

#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"
#include "reader/session/Documents.h"
#include "reader/session/PageLabels.h"
#include "reader/session/ReadingTime.h"
#include "reader/session/StartPage.h"
#include "reader/session/TabChoice.h"
#include "service/Envelope.h"

namespace sumberlaras {

namespace {
constexpr int kChromiumCharts = 6;
constexpr int kChromiumSearch = 7;
} // namespace

void ReaderFace::openBook(std::shared_ptr<const std::string> document, JsonPtr detail) {
    TempStream = std::move(document);
    // A document nobody can read is found before a loan is opened for it.
    std::unique_ptr<TPdfControl> view;
    try {
        if (!TempStream)
            throw std::runtime_error("Dokumen buku kosong");
        view = std::make_unique<TPdfControl>();
        QByteArray bytes =
            QByteArray::fromRawData(TempStream->data(), static_cast<qsizetype>(TempStream->size()));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        view->LoadFromStream(buffer);
    } catch (const std::exception& e) {
        TempStream.reset();
        openingEnded();
        d_.dialogs.error(std::string("Error Exception #1287 : ") + e.what());
        d_.links.showDetailAgain();
        return;
    }
    // The view keeps its own copy in memory.
    TempStream.reset();
    startReadPermission(std::move(view), std::move(detail));
}

void ReaderFace::startReadPermission(std::unique_ptr<TPdfControl> view, JsonPtr detail) {
    std::string id;
    if (detail && detail->is_object() && detail->contains("data"))
        id = readText((*detail)["data"], "id");
    pendingView_ = std::move(view);
    pendingDetail_ = std::move(detail);
    auto result = std::make_shared<reader::PermissionResult>();
    TaskSpec spec;
    spec.label = "readPermission";
    spec.params.set("id", id);
    reader::LoanService& service = d_.service;
    spec.worker = [&service, result](Task& t) {
        *result = reader::ReadPermissionRequest(service, t.params().text("id"));
    };
    std::weak_ptr<int> alive = alive_;
    spec.onCompleted = [this, alive, result](Task& t) {
        if (!alive.expired())
            ReadPermissionRequestTerminated(t.params().text("id"), *result);
    };
    permissionTask_ = d_.tasks.start(std::move(spec));
}

void ReaderFace::openingEnded() {
    d_.globals.isOpeningBook = false;
    d_.globals.PageToJump = 0;
    d_.globals.ReadFromSearch = false;
    d_.globals.ReadFromChart = false;
}

void ReaderFace::ReadPermissionRequestTerminated(const std::string& id,
                                                 const reader::PermissionResult& r) {
    permissionTask_.reset();
    std::unique_ptr<TPdfControl> view = std::move(pendingView_);
    const JsonPtr detail = std::move(pendingDetail_);
    if (d_.globals.RequestCancelled)
        return;
    const Json& answer = r.answer;
    if (answerCode(answer) != "200") {
        openingEnded();
        if (answerCode(answer) == "500" && readText(answer, "msg") == "Auth Failed") {
            d_.dialogs.error("Authentication Error : Akun Anda Digunakan Di Perangkat Lain");
            d_.links.showLoginAfterAuthFailure();
        } else {
            d_.dialogs.warning(readText(answer, "msg"));
            d_.links.showDetailAgain();
        }
        return;
    }

    reader::TDetailBook book;
    int tab = -1;
    try {
        if (readDict.count(id))
            throw std::runtime_error("Buku ini sudah dibuka di tab lain");
        if (!detail)
            throw std::runtime_error("Detail buku tidak tersedia");
        book = reader::makeDetailBook(answer, *detail);
        std::array<bool, reader::kTabCount> taken{};
        for (const ReaderTab& t : tabs_)
            taken[t.index] = t.holdsBook();
        tab = reader::chooseTab(taken);
        if (tab < 0)
            throw std::runtime_error("Tidak ada tab yang kosong");
    } catch (const std::exception& e) {
        // The fetched annotation copy belongs to no tab.
        reader::takeStoredAnnotation(d_.service.dataFolder(), id, r.fetch);
        openingEnded();
        d_.dialogs.error(std::string("Error Exception #1098 : ") + e.what());
        d_.links.showDetailAgain();
        return;
    }
    // Known by its tab from the start, so that what the opening journals
    // finds the book.
    book.TabSheet = tab;
    readDict[id] = book;
    ++d_.globals.readCount;
    if (!streamProcess(std::move(view), book, tab, r.fetch)) {
        readDict.erase(id);
        --d_.globals.readCount;
    }
    openingEnded();
    d_.links.showDetailAgain();
}

bool ReaderFace::streamProcess(std::unique_ptr<TPdfControl> view, const reader::TDetailBook& book,
                               int tab, reader::AnnotationFetch fetch) {
    ReaderTab& t = tabs_[tab];
    bool prepared = false;
    try {
        const QString title = QString::fromStdString(book.judul);
        t.view = view.release();
        t.view->setParent(t.sheet);
        t.view->setObjectName(QStringLiteral("PDFView"));
        t.view->setAccessibleName(title);
        t.sheet->layout()->addWidget(t.view);

        const std::string name = t.name;
        t.view->OnPageChange = [this](TPdfControl* sender) { PDFViewPageChange(sender); };
        t.view->OnKeyUp = [this](TPdfControl* sender, int& key, TShiftState shift) {
            PDFViewKeyUp(sender, key, shift);
        };

        QString caption = title;
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        pageControl_->setTabText(tab, caption);
        pageControl_->setTabToolTip(tab, bookTabToolTip(title));
        pageControl_->tabBar()->setAccessibleTabName(tab, title);
        t.sheet->setAccessibleName(title);
        pageControl_->setTabVisible(tab, true);
        pageControl_->setCurrentIndex(tab);
        t.view->show();

        t.view->setScaleMode(TPdfControlScaleMode::smZoom);
        t.view->setZoomPercentage(100);
        t.view->setAllowUserTextSelection(false);
        cmbZoom->setCurrentIndex(2);

        auto& g = d_.globals;
        bool resume = false;
        const reader::StartKind kind = reader::startKind(book.page_index, g.PageToJump);
        if (kind == reader::StartKind::AskResume)
            resume = d_.dialogs.confirm("Lanjut ke halaman terakhir yang anda baca?",
                                        DialogButtons::YesNo);
        const reader::StartPage start =
            reader::chooseStartPage(book.page_index, g.PageToJump, resume);
        t.view->setPageIndex(start.pageIndex);
        edPage->setText(QString::fromStdString(
            reader::pageDisplayText(t.view->PageIndex(), book.halaman_total)));
        std::string searchKeyWord;
        if (start.searchJump) {
            edSearch->setText(QString::fromStdString(g.KalimatPencarian));
            g.PageToJump = 0;
            t.view->HightlightText(QString::fromStdString(g.KalimatPencarian), false, true);
            // Coming back to this tab shows the sentence again.
            searchKeyWord = g.KalimatPencarian;
        }

        reader::TReaderSettings s;
        s.CurrentPage = edPage->text().toStdString();
        s.CurrentZoomIndex = 2;
        s.CurrentAnnotViewState = AnnotView->isChecked();
        s.CurrentSearchKeyWord = searchKeyWord;
        s.AutoPageChange = true;
        reader::TReaderSettings& record = readerState[name] = std::move(s);

        t.TimerIdle = d_.makeTicker();
        t.TimerChecking = d_.makeTicker();
        startTimer(*t.TimerIdle, reader::timerName(name, reader::TimerKind::Idle));
        startTimer(*t.TimerChecking, reader::timerName(name, reader::TimerKind::Checking));

        record.ReadStatus = 1;
        record.TextCopyObject = reader::emptyDocument(book.id);
        CheckAutoPage->setChecked(true);
        t.view->setAutoPageChange(true);
        record.IdBaca = book.id_baca;
        record.Member = d_.service.memberId();

        reader::StoredAnnotation stored =
            reader::takeStoredAnnotation(d_.service.dataFolder(), book.id, fetch);
        record.AnnotationObject = std::move(stored.document);
        record.KeepStoredAnnotation = stored.unreadable;
        attachAnnotationTools(*t.view, name);

        if (g.ReadFromSearch) {
            g.ReadFromSearch = false;
            d_.links.showBehindReader(kChromiumSearch);
        }
        if (g.ReadFromChart) {
            g.ReadFromChart = false;
            d_.links.showBehindReader(kChromiumCharts);
        }
        showToolStates(record);
        t.view->setFocus();
        prepared = true;
        if (stored.unreadable)
            d_.dialogs.warning("Error Exception #1287 : Anotasi tersimpan tidak dapat dibaca");
    } catch (const std::exception& e) {
        if (!prepared)
            closeTab(tab, false);
        d_.dialogs.error(std::string("Error Exception #1287 : ") + e.what());
    }
    d_.links.bringReaderToFront();
    return prepared;
}

} // namespace sumberlaras
