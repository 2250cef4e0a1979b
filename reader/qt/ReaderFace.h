#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include <QImage>
#include <QKeySequence>
#include <QWidget>

#include "annotations/Colours.h"
#include "annotations/Gesture.h"
#include "annotations/Note.h"
#include "base/Clock.h"
#include "base/Dialogs.h"
#include "base/JsonSlot.h"
#include "base/Tasks.h"
#include "base/Ticker.h"
#include "bookinfo/StudyNotes.h"
#include "reader/qt/PdfInput.h"
#include "reader/qt/ReaderTab.h"
#include "reader/session/Book.h"
#include "reader/session/Journal.h"
#include "reader/session/JournalFile.h"
#include "reader/session/LoanService.h"
#include "reader/session/LoanWork.h"
#include "reader/session/Outbox.h"
#include "reader/session/ReaderSettings.h"

class QCheckBox;
class QLabel;
class QComboBox;
class QLineEdit;
class QTabWidget;
class QToolButton;

namespace sumberlaras {

class TFormAnnotSettings;
class TFormStudyNotes;
class TFormNotes;
class TFormSticky;

// The navigation globals the reader shares with the catalogue's dispatcher.
struct ReaderGlobals {
    int32_t& readCount;
    int32_t& PageToJump;
    std::string& KalimatPencarian;
    bool& ReadFromSearch;
    bool& ReadFromChart;
    bool& RequestCancelled;
    bool& isOpeningBook;
    bool& isSearchRunning; // the catalogue's search and the in-book scan, one at a time
};

// What the reader asks of the rest of the main window.
struct ReaderLinks {
    std::function<void()> showDetailAgain;              // "detail.html" in Chromium3
    std::function<void()> showLoginAfterAuthFailure;    // the login page, in front
    std::function<void(int chromium)> showBehindReader; // a catalogue view, for later
    std::function<void()> bringReaderToFront;
    // The book information window, for the book of a tab; and that tab's book gone.
    std::function<void(int tab, const reader::TDetailBook& book)> showBookInfo;
    std::function<void(int tab)> bookClosed;
    // Opens a written file with the desktop's application; null: the desktop services.
    std::function<void(const QString& path)> openFile;
};

struct ReaderDeps {
    reader::LoanService& service;
    Dialogs& dialogs;
    TaskRunner& tasks;
    ReaderGlobals globals;
    ReaderLinks links;
    // The tabs' one-second timers and the outbox's; a QTimer unless a test
    // drives them.
    std::function<std::unique_ptr<Ticker>()> makeTicker;
    // Where the outbox takes its time from; the steady clock unless set.
    const Clock* clock = nullptr;
    // The folder of the journal that keeps open books and the outbox through
    // a crash; empty: nothing is journaled.
    std::string journalFolder;
};

// What a screen reader hears for a tab that holds no book.
inline const QString kFreeTabName = QStringLiteral("Tab kosong");

// The reader face, PanelReader: the toolbar over PageControl1 with its three
// tab sheets, one book in each at most.
class ReaderFace final : public QWidget {
    Q_OBJECT
public:
    explicit ReaderFace(ReaderDeps deps, QWidget* parent = nullptr);
    ~ReaderFace() override;

    // A downloaded book document and the detail of its book: read it, ask for
    // the loan, and open it in a free tab.
    void openBook(std::shared_ptr<const std::string> document, JsonPtr detail);

    bool hasOpenBooks() const;
    // A member signed in: what waits for their session is sent now, and the
    // books they had open when the program last stopped go back.
    void signedIn(const std::string& member);
    // What a return sends, kept until the service accepts it.
    const reader::Outbox& outbox() const { return outbox_; }
    Ticker& outboxTicker() { return *outboxTicker_; }
    // Books found open in the journal at the start, waiting for their
    // member's sign-in to go back.
    const std::vector<reader::JournaledBook>& booksLeftOpen() const { return leftOpen_; }
    // How many returns, of any member, are still to be sent.
    std::size_t returnsWaiting() const;
    // The journal's batching timer, while changes wait to be written.
    Ticker& journalTicker() { return *journalTicker_; }
    // Returns once what was handed to the journal is on disk; changes that
    // wait for the batch's end are not.
    void flushJournal();
    // The window closes: the journal is written, the records go, the timers stop.
    void releaseAll();

    // Records of the open books: by content id, and by tab name.
    std::map<std::string, reader::TDetailBook> readDict;
    std::map<std::string, reader::TReaderSettings> readerState;
    // The document between the download and its page view.
    std::shared_ptr<const std::string> TempStream;

    // The tab sheets and the active one.
    const ReaderTab& tab(int index) const { return tabs_[index]; }
    int activeIndex() const;
    QTabWidget* PageControl1() const { return pageControl_; }

    // Handlers, as the toolbar and the timers call them.
    void btnNextClick();
    void btnPreviousClick();
    void cmbZoomChange(int item);
    void PageControl1Change(int index);
    void btnReturnClick();
    void TimerTick(const std::string& timerName);
    void btnSearchNextClick() { startSearch(1); }
    void btnSearchPreviousClick() { startSearch(0); }
    void btnInfoClick() { ButtonAnnotClick(ToolControl::Info); }
    // Ctrl+C in a page view: the passage and its source to the clipboard.
    void PDFViewKeyUp(TPdfControl* sender, int& key, unsigned shift);
    void btnAnnotSettingsClick() { ButtonAnnotClick(ToolControl::Settings); }
    // Keys: Ctrl+F belongs to the main window, which hands it to the face in front.
    static const QKeySequence kFindKeys;
    void focusSearch();
    void nextBook() { switchBook(1); }
    void previousBook() { switchBook(-1); }
    void zoomIn() { zoomTo(cmbZoomIndex() + 1); }
    void zoomOut() { zoomTo(cmbZoomIndex() - 1); }
    void zoomReset() { zoomTo(2); } // "100%"
    // A book tab's tooltip: its title and the keys that switch books.
    static QString bookTabToolTip(const QString& title);
    // The study notes window for the active tab's book; nothing without one.
    void btnExportNotesClick();
    TFormStudyNotes& FormStudyNotes() const { return *studyNotes_; }

    // The annotation tools: the colours new marks take, the one gesture of the
    // window, and the note and colour windows.
    annotations::ToolColours& colours() { return colours_; }
    const annotations::GestureRecorder& gesture() const { return gesture_; }
    TFormSticky& FormSticky() const { return *sticky_; }
    TFormNotes& FormNotes() const { return *notes_; }
    TFormAnnotSettings& FormAnnotSettings() const { return *annotSettings_; }
    const QImage NoteAnnotationImage;

private:
    enum class ToolControl {
        TextSelect,
        Highlight,
        Rect,
        Pen,
        Text,
        Delete,
        AnnotView,
        AutoPage,
        Info,
        Settings
    };

    void buildToolbar(QWidget* bar);
    void installKeys();
    void switchBook(int step);
    void zoomTo(int item);
    int cmbZoomIndex() const;
    QToolButton* glyphButton(QWidget* parent, const char* name, char32_t code, const char* hint,
                             bool checkable);
    QWidget* group(QWidget* bar, const char* label, std::initializer_list<QWidget*> controls);

    // Opening.
    void startReadPermission(std::unique_ptr<TPdfControl> view, JsonPtr detail);
    void ReadPermissionRequestTerminated(const std::string& id, const reader::PermissionResult& r);
    // Prepares the tab's page view; false (with the tab free again) on failure.
    bool streamProcess(std::unique_ptr<TPdfControl> view, const reader::TDetailBook& book, int tab,
                       reader::AnnotationFetch fetch);
    void openingEnded();
    void startTimer(Ticker& timer, const std::string& name);

    // The active tab and its records.
    TPdfControl* activeView() const;
    reader::TReaderSettings* activeSettings();
    reader::TDetailBook* bookOfTab(int index);
    reader::TReaderSettings* settingsOfTab(int index);

    // Toolbar handlers.
    void PDFViewPageChange(TPdfControl* sender);
    void ButtonAnnotClick(ToolControl control);
    void edSearchChange();
    void showToolStates(const reader::TReaderSettings& s);
    void setModeButton(QToolButton* b, bool on);

    // In-book search: the scan runs on a worker over the book it started on.
    void startSearch(int direction);
    void SearchWorkerMessage(const TaskParams& params, int id, const std::string& text);
    void SearchWorkerTerminated(const TaskParams& params);
    void stopSearchOf(int tab);

    // Annotations: the view's mouse and paint events, and the note windows.
    void attachAnnotationTools(TPdfControl& view, const std::string& tabName);
    void PDFViewMouseDown(TPdfControl* sender, TMouseButton button, TShiftState shift, int X,
                          int Y);
    void PDFViewMouseMove(TPdfControl* sender, TShiftState shift, int X, int Y);
    void PDFViewMouseUp(TPdfControl* sender, TMouseButton button, TShiftState shift, int X, int Y);
    void PDFViewClick(TPdfControl* sender);
    void PDFViewDblClick(TPdfControl* sender);
    void PDFViewPaint(TPdfControl* sender);
    void clickToolOff(annotations::ToolButton tool);
    // The document of `s` changed: its marks are drawn afresh, and journaled.
    void annotationsChanged(reader::TReaderSettings& s) {
        s.AnnotationRevision = ++revisions_;
        journalChanged();
    }
    void saveNote(const std::string& itemKey, TPdfControl& control,
                  const annotations::NoteText& note);
    bool deleteNote(const std::string& key, std::size_t position, const Json& item);
    reader::TReaderSettings* settingsOfView(const TPdfControl* view);
    // The tab a page view belongs to; null for none.
    ReaderTab* tabOfView(const TPdfControl* view);

    // The outbox: returns and their documents, sent in order and tried again.
    void pumpOutbox();
    void OutboxEntryTerminated(uint64_t id, const std::optional<reader::EntrySent>& sent);
    void showPending();
    void showNotice(const std::string& text);

    // The journal: what is open and what waits, kept through a crash.
    void openJournal();
    void journalChanged();
    void writeJournal();
    std::vector<reader::JournaledBook> openBooksForJournal();
    void returnBooksLeftOpen(const std::string& member);

    // Study notes: the highlights' text is read on a worker, the file written here.
    void exportNotes(int tab, const bookinfo::NotesChoice& choice);
    void NotesExportTerminated(int tab, const std::string& idBaca, const std::string& path,
                               const bookinfo::NotesChoice& choice, const Json& annotations,
                               const Json& copies, const std::map<std::size_t, std::string>& texts);

    // Reading time and return.
    void startStatusReport(int tab);
    void UpdateReadStatusTerminated(const TaskParams& params);
    // Frees a tab: timers, view, records, header and the count of open books.
    void closeTab(int index, bool countDown = true);

    ReaderDeps d_;
    std::array<ReaderTab, 3> tabs_;
    std::unique_ptr<TPdfControl> pendingView_; // read before the loan is asked for
    JsonPtr pendingDetail_;
    TaskHandle permissionTask_;
    struct RunningSearch {
        TaskHandle task;
        int tab = -1;
    } search_;

    QWidget* PanelToolbar = nullptr;
    QTabWidget* pageControl_ = nullptr;
    QToolButton* btnPrevious = nullptr;
    QLineEdit* edPage = nullptr;
    QToolButton* btnNext = nullptr;
    QComboBox* cmbZoom = nullptr;
    QCheckBox* CheckAutoPage = nullptr;
    QToolButton* btnTextSelect = nullptr;
    QToolButton* btnAnnotHighlight = nullptr;
    QToolButton* btnAnnotRect = nullptr;
    QToolButton* btnAnnotPen = nullptr;
    QToolButton* btnAnnotText = nullptr;
    QToolButton* btnAnnotDelete = nullptr;
    QToolButton* btnAnnotSettings = nullptr;
    QCheckBox* AnnotView = nullptr;
    QLineEdit* edSearch = nullptr;
    QToolButton* btnSearchPrevious = nullptr;
    QToolButton* btnSearchNext = nullptr;
    QToolButton* btnInfo = nullptr;
    QToolButton* btnExportNotes = nullptr;
    QToolButton* btnReturn = nullptr;
    annotations::GestureRecorder gesture_;
    annotations::ToolColours colours_;
    TFormSticky* sticky_ = nullptr;
    TFormNotes* notes_ = nullptr;
    TFormAnnotSettings* annotSettings_ = nullptr;
    TFormStudyNotes* studyNotes_ = nullptr;
    TaskHandle notesExport_;
    bool paintErrorPending_ = false;
    uint64_t revisions_ = 0;
    reader::Outbox outbox_;
    std::set<uint64_t> inFlight_;
    std::unique_ptr<Ticker> outboxTicker_;
    SteadyClock steadyClock_;
    std::unique_ptr<reader::JournalWriter> journal_;
    std::unique_ptr<Ticker> journalTicker_;
    bool journalDirty_ = false;
    std::vector<reader::JournaledBook> leftOpen_;
    QLabel* lblPending = nullptr;
    QLabel* lblNotice = nullptr;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace sumberlaras
