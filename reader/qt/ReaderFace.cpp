#include "reader/qt/ReaderFace.h"

#include <stdexcept>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "annotations/qt/NoteAnnotationImage.h"
#include "annotations/qt/TFormAnnotSettings.h"
#include "annotations/qt/TFormNotes.h"
#include "annotations/qt/TFormSticky.h"
#include "bookinfo/qt/TFormStudyNotes.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/QtTicker.h"
#include "reader/session/PageLabels.h"
#include "reader/session/TabChoice.h"

namespace sumberlaras {

using reader::TReaderSettings;

ReaderFace::ReaderFace(ReaderDeps deps, QWidget* parent)
    : QWidget(parent), NoteAnnotationImage(annotations::loadNoteAnnotationImage()),
      d_(std::move(deps)) {
    setObjectName(QStringLiteral("PanelReader"));
    sticky_ = new TFormSticky(
        d_.dialogs,
        [this](const std::string& key, TPdfControl& control, const annotations::NoteText& note) {
            saveNote(key, control, note);
        },
        this);
    notes_ = new TFormNotes(
        d_.dialogs,
        [this](const std::string& key, std::size_t position, const Json& item) {
            return deleteNote(key, position, item);
        },
        this);
    annotSettings_ = new TFormAnnotSettings(colours_, d_.dialogs, this);
    studyNotes_ = new TFormStudyNotes(
        [this](int tab, const bookinfo::NotesChoice& choice) { exportNotes(tab, choice); }, this);
    if (!d_.makeTicker)
        d_.makeTicker = [] { return std::make_unique<QtTicker>(); };
    if (!d_.clock)
        d_.clock = &steadyClock_;
    outboxTicker_ = d_.makeTicker();
    journalTicker_ = d_.makeTicker();
    // A narrow window scrolls the toolbar rather than squeezing its buttons.
    auto* toolbarScroll = new QScrollArea(this);
    toolbarScroll->setFrameShape(QFrame::NoFrame);
    toolbarScroll->setWidgetResizable(true);
    toolbarScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    toolbarScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    PanelToolbar = new QWidget(toolbarScroll);
    PanelToolbar->setObjectName(QStringLiteral("PanelToolbar"));
    buildToolbar(PanelToolbar);
    installKeys();
    toolbarScroll->setWidget(PanelToolbar);
    toolbarScroll->setFixedHeight(PanelToolbar->sizeHint().height() +
                                  toolbarScroll->horizontalScrollBar()->sizeHint().height());

    pageControl_ = new QTabWidget(this);
    pageControl_->setObjectName(QStringLiteral("PageControl1"));
    pageControl_->setDocumentMode(true);
    for (int i = 0; i < reader::kTabCount; ++i) {
        ReaderTab& t = tabs_[i];
        t.index = i;
        t.name = reader::tabName(i);
        t.sheet = new QWidget(pageControl_);
        t.sheet->setObjectName(QString::fromStdString(t.name));
        auto* fill = new QVBoxLayout(t.sheet);
        fill->setContentsMargins(0, 0, 0, 0);
        pageControl_->addTab(t.sheet, QString());
        pageControl_->setTabVisible(i, false); // a free tab shows no header
        // Qt still offers hidden tabs to screen readers: a free one says so.
        pageControl_->tabBar()->setAccessibleTabName(i, kFreeTabName);
    }
    connect(pageControl_, &QTabWidget::currentChanged, this,
            [this](int index) { PageControl1Change(index); });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbarScroll);
    column->addWidget(pageControl_, 1);

    openJournal();
    std::weak_ptr<int> alive = alive_;
    outboxTicker_->start(std::chrono::seconds(1), [this, alive] {
        if (!alive.expired())
            pumpOutbox();
    });
}

ReaderFace::~ReaderFace() {
    releaseAll();
}

bool ReaderFace::hasOpenBooks() const {
    for (const ReaderTab& t : tabs_)
        if (t.holdsBook())
            return true;
    return false;
}

void ReaderFace::releaseAll() {
    notesExport_.reset();
    // Written while the records still stand; books still open stay in it.
    if (journal_) {
        journalTicker_->stop();
        writeJournal();
        journal_.reset(); // waits for the write
    }
    for (ReaderTab& t : tabs_) {
        stopSearchOf(t.index);
        if (t.TimerIdle)
            t.TimerIdle->stop();
        if (t.TimerChecking)
            t.TimerChecking->stop();
    }
    readerState.clear();
    readDict.clear();
}

int ReaderFace::cmbZoomIndex() const {
    return cmbZoom->currentIndex();
}

int ReaderFace::activeIndex() const {
    return pageControl_->currentIndex();
}

TPdfControl* ReaderFace::activeView() const {
    const int i = activeIndex();
    return i >= 0 && i < reader::kTabCount ? tabs_[i].view : nullptr;
}

TReaderSettings* ReaderFace::settingsOfTab(int index) {
    if (index < 0 || index >= reader::kTabCount)
        return nullptr;
    const auto it = readerState.find(tabs_[index].name);
    return it == readerState.end() ? nullptr : &it->second;
}

TReaderSettings* ReaderFace::activeSettings() {
    return settingsOfTab(activeIndex());
}

reader::TDetailBook* ReaderFace::bookOfTab(int index) {
    for (auto& [id, book] : readDict)
        if (book.TabSheet == index)
            return &book;
    return nullptr;
}

// Paging and zoom ------------------------------------------------------------

void ReaderFace::btnNextClick() {
    const int i = activeIndex();
    TPdfControl* v = activeView();
    if (!v || !pageControl_->isTabVisible(i))
        return;
    try {
        v->setPageIndex(v->PageIndex() + 1);
    } catch (const std::exception& e) {
        d_.dialogs.error(std::string("Failed Going Next Page : ") + e.what());
    }
}

void ReaderFace::btnPreviousClick() {
    const int i = activeIndex();
    TPdfControl* v = activeView();
    if (!v || !pageControl_->isTabVisible(i))
        return;
    try {
        if (v->PageIndex() > 0)
            v->setPageIndex(v->PageIndex() - 1);
    } catch (const std::exception& e) {
        d_.dialogs.error(std::string("Failed Going Previous Page : ") + e.what());
    }
}

void ReaderFace::PDFViewPageChange(TPdfControl* sender) {
    for (ReaderTab& t : tabs_) {
        if (t.view != sender)
            continue;
        const reader::TDetailBook* book = bookOfTab(t.index);
        TReaderSettings* s = settingsOfTab(t.index);
        if (!book || !s)
            return;
        s->CurrentPage = reader::pageDisplayText(sender->PageIndex(), book->halaman_total);
        if (t.index == activeIndex())
            edPage->setText(QString::fromStdString(s->CurrentPage));
        journalChanged();
        return;
    }
}

namespace {
void ZoomTo(TPdfControl& view, int item) {
    switch (item) {
    case 0:
        view.setScaleMode(TPdfControlScaleMode::smFitAuto);
        break;
    case 1:
        view.setScaleMode(TPdfControlScaleMode::smFitWidth);
        break;
    case 2:
        view.setScaleMode(TPdfControlScaleMode::smZoom);
        view.setZoomPercentage(100);
        break;
    case 3:
        view.setScaleMode(TPdfControlScaleMode::smZoom);
        view.setZoomPercentage(200);
        break;
    default:
        break;
    }
}
} // namespace

void ReaderFace::cmbZoomChange(int item) {
    TPdfControl* v = activeView();
    TReaderSettings* s = activeSettings();
    if (!v || !s)
        return;
    ZoomTo(*v, item);
    s->CurrentZoomIndex = item;
}

// Tool buttons and check boxes -------------------------------------------------

void ReaderFace::showToolStates(const TReaderSettings& s) {
    setModeButton(btnTextSelect, s.CurrentTextSelectState);
    setModeButton(btnAnnotHighlight, s.CurrentHighlightAnnotState);
    setModeButton(btnAnnotRect, s.CurrentRectAnnotState);
    setModeButton(btnAnnotPen, s.CurrentPenAnnotState);
    setModeButton(btnAnnotText, s.CurrentTextAnnotState);
    setModeButton(btnAnnotDelete, s.CurrentAnnotDeleteState);
}

void ReaderFace::ButtonAnnotClick(ToolControl control) {
    if (control == ToolControl::Settings) {
        annotSettings_->showCentred();
        return;
    }
    TPdfControl* v = activeView();
    TReaderSettings* s = activeSettings();
    if (!v || !s) {
        // Without a book a button keeps showing off.
        showToolStates(TReaderSettings{});
        return;
    }
    try {
        switch (control) {
        case ToolControl::AutoPage:
            s->AutoPageChange = CheckAutoPage->isChecked();
            v->setAutoPageChange(s->AutoPageChange);
            return;
        case ToolControl::AnnotView:
            s->CurrentAnnotViewState = AnnotView->isChecked();
            v->Repaint();
            return;
        case ToolControl::Info:
            if (const reader::TDetailBook* book = bookOfTab(activeIndex());
                book && d_.links.showBookInfo)
                d_.links.showBookInfo(activeIndex(), *book);
            return;
        default:
            break;
        }
        using annotations::ToolButton;
        static const std::map<ToolControl, ToolButton> kButtons = {
            {ToolControl::TextSelect, ToolButton::TextSelect},
            {ToolControl::Highlight, ToolButton::Highlight},
            {ToolControl::Rect, ToolButton::Rect},
            {ToolControl::Pen, ToolButton::Pen},
            {ToolControl::Text, ToolButton::Text},
            {ToolControl::Delete, ToolButton::Delete}};
        const annotations::ModeEffect effect = annotations::switchMode(*s, kButtons.at(control));
        showToolStates(*s);
        if (effect.allowTextSelection)
            v->setAllowUserTextSelection(*effect.allowTextSelection);
        if (effect.showOverlay) {
            s->CurrentAnnotViewState = true;
            AnnotView->setChecked(true);
            v->Repaint();
        }
    } catch (const std::exception& e) {
        d_.dialogs.error(std::string("Error Exception #1355 : ") + e.what());
    }
}

void ReaderFace::edSearchChange() {
    if (!edSearch->text().isEmpty())
        return;
    if (TPdfControl* v = activeView())
        v->ClearHighlightText();
}

// Tab switch -------------------------------------------------------------------

void ReaderFace::PageControl1Change(int index) {
    if (index < 0 || index >= reader::kTabCount)
        return;
    TPdfControl* v = tabs_[index].view;
    TReaderSettings* s = settingsOfTab(index);
    if (!v || !s)
        return;
    try {
        edPage->setText(QString::fromStdString(s->CurrentPage));
        cmbZoom->setCurrentIndex(s->CurrentZoomIndex);
        edSearch->setText(QString::fromStdString(s->CurrentSearchKeyWord));
        AnnotView->setChecked(s->CurrentAnnotViewState);
        showToolStates(*s);
        v->setAllowUserTextSelection(annotations::textSelectionAllowed(*s));
        v->setAutoPageChange(s->AutoPageChange);
        CheckAutoPage->setChecked(s->AutoPageChange);
        // Showing the tab paints the view anyway: one paint, not two.
        v->Invalidate();
    } catch (const std::exception& e) {
        d_.dialogs.error(std::string("Error Exception #1336 : ") + e.what());
    }
}

} // namespace sumberlaras
