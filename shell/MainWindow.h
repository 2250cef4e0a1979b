#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include <QPushButton>
#include <QStackedWidget>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>

#include "bookinfo/qt/TFormInfoBuku.h"
#include "bridge/Catalogue.h"
#include "bridge/qt/CataloguePage.h"
#include "bridge/qt/QtBookDownloader.h"
#include "pages/CataloguePages.h"
#include "reader/qt/ReaderFace.h"
#include "shell/About.h"
#include "shell/QtTaskRunner.h"
#include "shell/Splash.h"
#include "shell/WebEngineBrowserView.h"

namespace sumberlaras {

class ServiceAdapter;
class PagesAdapter;

// What the main window hands to the world outside the program.
struct ShellEnvironment {
    Dialogs& dialogs;
    std::function<void(const std::string& url)> openExternally;
    std::function<void(const std::string& url)> startUpdater;
    QWebEngineProfile* profile = nullptr; // null: the default profile
    // The reader's one-second timers; null: the event loop's timers.
    std::function<std::unique_ptr<Ticker>()> readerTicker = nullptr;
    // Opens a saved file with the desktop's application; null: the desktop services.
    std::function<void(const QString& path)> openFile = nullptr;
    // The reader's journal of open books and unsent returns; empty: none.
    std::string journalFolder = {};
    // Where the reader's outbox takes its time from; null: the steady clock.
    const Clock* readerClock = nullptr;
};

// The main window: header bar, the catalogue face with its seven views and
// the reader face.
class TFormMain final : public QWidget, public bridge::CatalogueFace {
    Q_OBJECT
public:
    TFormMain(TFormSplash& splash, ShellEnvironment env, QWidget* registration = nullptr,
              QWidget* forgotPassword = nullptr);
    ~TFormMain() override;

    // Runs when the message loop first shows the window; false when the
    // window closed at once (update hand-off, or a restart the user agreed to).
    bool FormShow();
    // The program's exit status after FormShow closed the window: 0 for the
    // update hand-off, non-zero when the program cannot go on.
    int exitCode() const { return exitCode_; }

    // CatalogueFace
    BrowserView& view(bridge::ViewId id) override;
    void bringBrowserToFront(bridge::ViewId id) override;
    void setHeaderVisible(bool visible) override;
    void showRegistration() override;
    void showForgotPassword() override;
    void openExternally(const std::string& url) override;

    // Views past the first are made on first use.
    QWebEngineView* webView(bridge::ViewId id) { return adapters_[id - 1]->view(); }
    // The registration and password-reset windows, created after this one.
    void setAccountWindows(QWidget* registration, QWidget* forgotPassword) {
        registration_ = registration;
        forgotPassword_ = forgotPassword;
    }
    // Tasks that must end before the service client goes.
    TaskRunner& tasks() { return tasks_; }
    bridge::Catalogue& catalogue() { return *catalogue_; }
    QWidget* PanelHeader() const { return header_; }
    QWidget* PanelReader() const { return reader_; }
    // Ctrl+F: focus in the search box of the face in front.
    void focusSearch();
    ReaderFace& reader() { return *reader_; }
    QWidget* panelBrowser() const { return browser_; }
    TFormAbout& about() { return about_; }
    TFormInfoBuku& infoBuku() { return *infoBuku_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    // Maximised with a border that cannot be resized: the window takes the
    // screen's available area and follows it when that changes.
    void followScreen(QScreen* screen);
    void fitToArea(const QRect& area);
    void FormCreate();
    bool FormCloseQuery();
    void buildHeader();
    void buildViews();
    void buildReader();
    QWebEngineView* makeView(int index);
    std::string loadingPage() const;

    TFormSplash* splash_;
    ShellEnvironment env_;
    TSawiraLib& lib_;
    QWidget* registration_;
    QWidget* forgotPassword_;

    QWidget* header_ = nullptr;
    QPushButton* btnLibrary = nullptr;
    QPushButton* btnReader = nullptr;
    QPushButton* btnHelp = nullptr;
    QPushButton* btnAbout = nullptr;
    QStackedWidget* faces_ = nullptr;
    QStackedWidget* browser_ = nullptr;
    ReaderFace* reader_ = nullptr;
    std::array<std::unique_ptr<WebEngineBrowserView>, 7> adapters_;
    std::array<bridge::CataloguePageRules, 7> rules_;
    TFormAbout about_;
    std::unique_ptr<TFormInfoBuku> infoBuku_;

    QtTaskRunner tasks_{this};
    std::unique_ptr<ServiceAdapter> service_;
    std::unique_ptr<CataloguePages> pages_;
    std::unique_ptr<PagesAdapter> renderer_;
    std::unique_ptr<bridge::QtBookDownloader> downloader_;
    std::unique_ptr<bridge::Catalogue> catalogue_;
    bool closing_ = false;
    int exitCode_ = 0;
    QMetaObject::Connection screenWatch_;
    bool screenFollowed_ = false;
    QMargins fittedFrame_; // the border the last fit allowed for
    // Outside links open only right after the user clicked or typed in a view.
    std::chrono::steady_clock::time_point lastUserInput_{};
};

} // namespace sumberlaras
