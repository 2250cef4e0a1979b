#include "shell/MainWindow.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <future>

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWindow>

#include "base/LogCategories.h"
#include "bridge/NavigationPolicy.h"
#include "reader/qt/GlyphFont.h"
#include "service/Envelope.h"
#include "shell/PagesAdapter.h"
#include "shell/ServiceAdapter.h"

namespace sumberlaras {

using bridge::ViewId;

namespace {

std::string codeOf(const JsonPtr& j) {
    return j ? answerCode(*j) : std::string();
}
std::string msgOf(const JsonPtr& j) {
    return j ? readText(*j, "msg") : std::string();
}

} // namespace

TFormMain::TFormMain(TFormSplash& splash, ShellEnvironment env, QWidget* registration,
                     QWidget* forgotPassword)
    : splash_(&splash), env_(std::move(env)), lib_(*splash.SawiraLib()),
      registration_(registration), forgotPassword_(forgotPassword) {
    setWindowTitle(QStringLiteral("Perpustakaan"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QFont f(QStringLiteral("Segoe UI"));
    f.setPixelSize(14);
    setFont(f);
    FormCreate();
    qApp->installEventFilter(this);
}

TFormMain::~TFormMain() {
    closing_ = true;
    if (catalogue_)
        catalogue_->beginClosing();
    if (splash_)
        lib_.cancelRequests();
    tasks_.cancelAll();
}

void TFormMain::FormCreate() {
    // The partner request runs while the views are made: it touches only the
    // client's slot and the style sheet, which no view has loaded yet.
    auto clientArrived = std::make_shared<std::atomic<bool>>(false);
    auto clientJson = std::async(std::launch::async, [this, clientArrived] {
        lib_.getClientJson();
        *clientArrived = true;
        QMetaObject::invokeMethod(
            qApp, [] {}, Qt::QueuedConnection); // wakes the wait below
    });
    buildHeader();
    buildViews();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(faces_, 1);

    try {
        // The browser's own work runs on this thread: it goes on (starting the page's
        // render process) while the answer is awaited.
        while (!*clientArrived)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        clientJson.get(); // answers every failure with an envelope
        service_ = std::make_unique<ServiceAdapter>(lib_);
        pages_ = std::make_unique<CataloguePages>(
            PageSources{lib_.FPath, lib_.baseUrl(), lib_.FClientJson, env_.dialogs},
            PageSlots{lib_.FBannerJson, lib_.FHomeContentJson, lib_.FHomeDetailJson,
                      lib_.FCategoryJson, lib_.FCategoryContentJson, lib_.FSubCategoryContentJson,
                      lib_.FChartContentJson, lib_.FDetailContentJson, lib_.FSearchContentJson});
        renderer_ = std::make_unique<PagesAdapter>(*pages_);
        downloader_ = std::make_unique<bridge::QtBookDownloader>(lib_.transport().caBundle,
                                                                 static_cast<QObject*>(this));
        catalogue_ = std::make_unique<bridge::Catalogue>(bridge::Catalogue::Deps{
            *this, *renderer_, *service_, env_.dialogs, tasks_, *downloader_});
        buildReader();
    } catch (const std::exception& e) {
        env_.dialogs.warning(std::string("Startup Error : ") + e.what());
        throw;
    }
}

void TFormMain::buildReader() {
    bridge::Catalogue& c = *catalogue_;
    ReaderLinks links;
    links.showDetailAgain = [this] { catalogue_->showDetailAgain(); };
    links.showLoginAfterAuthFailure = [this] { catalogue_->showLoginAfterAuthFailure(); };
    // The list a book was opened from waits behind the reader.
    links.showBehindReader = [this](int chromium) {
        if (QWebEngineView* v = webView(static_cast<ViewId>(chromium)))
            browser_->setCurrentWidget(v);
    };
    links.bringReaderToFront = [this] { faces_->setCurrentWidget(reader_); };
    infoBuku_ = std::make_unique<TFormInfoBuku>(env_.dialogs, env_.openFile);
    links.showBookInfo = [this](int tab, const reader::TDetailBook& book) {
        infoBuku_->showFor(tab, book);
    };
    links.bookClosed = [this](int tab) { infoBuku_->bookClosed(tab); };
    links.openFile = env_.openFile;
    reader_ = new ReaderFace(
        ReaderDeps{*service_, env_.dialogs, tasks_,
                   ReaderGlobals{c.readCount, c.PageToJump, c.KalimatPencarian, c.ReadFromSearch,
                                 c.ReadFromChart, c.RequestCancelled, c.isOpeningBook,
                                 c.isSearchRunning},
                   std::move(links), env_.readerTicker, env_.readerClock, env_.journalFolder},
        faces_);
    faces_->addWidget(reader_);
    c.onBookDownloaded = [this](std::shared_ptr<const std::string> document, JsonPtr detail) {
        if (!closing_)
            reader_->openBook(std::move(document), std::move(detail));
    };
    // Returns that waited for this member go now.
    c.onSignedIn = [this] { reader_->signedIn(service_->memberId()); };
}

void TFormMain::buildHeader() {
    header_ = new QWidget(this);
    header_->setFixedHeight(41);
    header_->setAutoFillBackground(true);
    QPalette pal = header_->palette();
    pal.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0)); // menu colour
    header_->setPalette(pal);
    auto button = [this](char32_t code, const char* tip) {
        auto* b = new QPushButton(glyph(code), header_);
        b->setFont(glyphFont(20));
        b->setFixedSize(32, 32);
        b->setToolTip(QString::fromUtf8(tip));
        b->setAccessibleName(QString::fromUtf8(tip)); // spoken instead of the glyph
        b->setFlat(true);
        return b;
    };
    btnLibrary = button(0xF00A, "Daftar Buku");
    btnReader = button(0xF02D, "Reader Buku");
    btnHelp = button(0xF059, "Bantuan");
    btnAbout = button(0xF05A, "Tentang Aplikasi");
    btnLibrary->move(8, 5);
    btnReader->move(46, 5);
    connect(btnLibrary, &QPushButton::clicked, this, [this] {
        faces_->setCurrentWidget(browser_);
        browser_->setFocus();
    });
    connect(btnReader, &QPushButton::clicked, this, [this] { faces_->setCurrentWidget(reader_); });
    connect(btnAbout, &QPushButton::clicked, this, [this] { about_.show(); });
    // Ctrl+F: the search box of whichever face is in front.
    auto* find = new QShortcut(ReaderFace::kFindKeys, this);
    connect(find, &QShortcut::activated, this, [this] { focusSearch(); });
    header_->hide();
}

void TFormMain::focusSearch() {
    if (faces_->currentWidget() == reader_) {
        reader_->focusSearch();
        return;
    }
    auto* view = qobject_cast<QWebEngineView*>(browser_->currentWidget());
    if (!view)
        return;
    view->setFocus(Qt::ShortcutFocusReason);
    view->page()->runJavaScript(QStringLiteral(
        "(function(){var k=document.getElementById('keyword');if(k){k.focus();k.select();}})()"));
}

void TFormMain::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const int right = width(); // the bar spans the window; its own width lags behind the layout
    btnHelp->move(right - 75, 5);
    btnAbout->move(right - 38, 5);
}

void TFormMain::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!screenFollowed_ && windowHandle()) {
        screenFollowed_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, &TFormMain::followScreen);
    }
    followScreen(screen());
}

void TFormMain::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    // Some window managers add the border only after the first showing.
    QScreen* s = screen();
    if (s && isVisible() && windowHandle() && windowHandle()->frameMargins() != fittedFrame_)
        fitToArea(s->availableGeometry());
}

void TFormMain::followScreen(QScreen* s) {
    disconnect(screenWatch_);
    if (!s)
        return;
    screenWatch_ = connect(s, &QScreen::availableGeometryChanged, this, &TFormMain::fitToArea);
    fitToArea(s->availableGeometry());
}

void TFormMain::fitToArea(const QRect& area) {
    if (area.isEmpty())
        return;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    fittedFrame_ = frame;
    const QRect client = area.marginsRemoved(frame);
    setFixedSize(client.size());
    if (isMinimized())
        return;
    setGeometry(client);
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TFormMain::buildViews() {
    faces_ = new QStackedWidget(this);
    browser_ = new QStackedWidget(faces_);
    faces_->addWidget(browser_);
    const std::string serviceHost =
        QUrl(QString::fromStdString(lib_.baseUrl())).host().toStdString();
    for (int i = 0; i < 7; ++i) {
        const ViewId id = static_cast<ViewId>(i + 1);
        rules_[i].dataFolder = lib_.FPath;
        rules_[i].serviceBase = lib_.baseUrl();
        rules_[i].serviceHost = serviceHost;
        rules_[i].caFile = lib_.transport().caBundle;
        rules_[i].deliver = [this, id](const bridge::BridgeMessage& m) {
            if (catalogue_ && !closing_)
                catalogue_->receive(m, id);
        };
        rules_[i].openExternally = [this](const std::string& url) {
            if (!closing_)
                openExternally(url);
        };
        adapters_[i] =
            std::make_unique<WebEngineBrowserView>(this, [this, i] { return makeView(i); });
    }
    // Only the first view is needed to start; a page costs its setup, so the
    // others wait until the catalogue first uses them. The first gets its start
    // address at once, so the browser prepares the page while the window is made.
    if (QWebEngineView* first = adapters_[0]->view())
        first->setUrl(QUrl(QString::fromStdString(loadingPage())));
}

QWebEngineView* TFormMain::makeView(int i) {
    if (closing_)
        return nullptr;
    QWebEngineProfile* profile = env_.profile ? env_.profile : QWebEngineProfile::defaultProfile();
    auto* v = new QWebEngineView(browser_);
    auto* page = new bridge::CataloguePage(profile, rules_[i], v);
    v->setPage(page);
    v->setContextMenuPolicy(Qt::NoContextMenu);
    if (i == 0) {
        auto* s = page->settings();
        s->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
        s->setAttribute(QWebEngineSettings::PluginsEnabled, true);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    }
    // Every catalogue page shows the service's covers, banners or logo, which a local
    // page may load only with this; the page's request lock keeps it to the service's host.
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    browser_->addWidget(v);
    return v;
}

std::string TFormMain::loadingPage() const {
    return bridge::fileUrl(lib_.FPath + "/loading.html");
}

bool TFormMain::FormShow() {
    if (splash_ && splash_->SignalUpdate()) {
        if (env_.startUpdater)
            env_.startUpdater(splash_->UpdateURL());
        close();
        return false;
    }
    bringBrowserToFront(bridge::Chromium1);
    webView(bridge::Chromium1)->setFocus();
    std::error_code ec;
    if (!std::filesystem::exists(lib_.FPath + "/loading.html", ec)) {
        if (!env_.dialogs.confirm("Harap mulai ulang aplikasi ini"))
            return true; // the window stays, with no page to go to
        exitCode_ = 1;
        close();
        return false;
    }
    // The window was made with the loading page as its start address: loading it again
    // would only restart the page that is already coming.
    const QUrl loading(QString::fromStdString(loadingPage()));
    if (webView(bridge::Chromium1)->url() != loading)
        view(bridge::Chromium1).load(loadingPage());
    header_->hide();
    // The decision waits for the loading page to be up before the login page replaces it.
    TaskSpec spec;
    spec.label = "loginPage";
    spec.worker = [](Task&) {};
    spec.onCompleted = [this](Task&) {
        catalogue_->FTaskControl.reset();
        if (closing_)
            return;
        const JsonPtr client = lib_.FClientJson.get();
        if (codeOf(client) == "200")
            pages_->renderLoginHtmlFile(view(bridge::Chromium1));
        else
            env_.dialogs.error("Error : " + msgOf(client));
    };
    catalogue_->FTaskControl = tasks_.start(std::move(spec));
    return true;
}

BrowserView& TFormMain::view(ViewId id) {
    return *adapters_[id - 1];
}

void TFormMain::bringBrowserToFront(ViewId id) {
    faces_->setCurrentWidget(browser_);
    if (QWebEngineView* v = webView(id))
        browser_->setCurrentWidget(v);
}

void TFormMain::setHeaderVisible(bool visible) {
    header_->setVisible(visible);
}

namespace {
// A window that is already open, perhaps behind this one or minimised, comes to the front.
void bringForward(QWidget* w) {
    if (!w)
        return;
    w->show();
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->raise();
    w->activateWindow();
}
} // namespace

void TFormMain::showRegistration() {
    bringForward(registration_);
}

void TFormMain::showForgotPassword() {
    bringForward(forgotPassword_);
}

void TFormMain::openExternally(const std::string& url) {
    // A page's script cannot send the user to the web on its own.
    const bool userActed =
        std::chrono::steady_clock::now() - lastUserInput_ < std::chrono::seconds(2);
    if (env_.openExternally && userActed && bridge::isWebAddress(url))
        env_.openExternally(url);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress) {
        if (auto* w = qobject_cast<QWidget*>(watched); w && browser_->isAncestorOf(w))
            lastUserInput_ = std::chrono::steady_clock::now();
    }
    return QWidget::eventFilter(watched, event);
}

bool TFormMain::FormCloseQuery() {
    if (reader_ && reader_->hasOpenBooks()) {
        env_.dialogs.warning("Harap kembalikan terlebih dahulu semua buku yang anda baca sebelum "
                             "menutup aplikasi ini");
        return false;
    }
    // What the service has not taken yet stays on this machine.
    if (const std::size_t kept = reader_ ? reader_->returnsWaiting() : 0)
        env_.dialogs.information(std::to_string(kept) +
                                 " pengembalian buku belum terkirim. Semuanya disimpan dan akan "
                                 "dikirim saat Anda masuk lagi.");
    closing_ = true;
    catalogue_->beginClosing();
    if (reader_)
        reader_->releaseAll();
    // Workers use the service client: they end before it goes, and a request that
    // waits on a slow service is cut rather than waited for.
    lib_.cancelRequests();
    tasks_.cancelAll();
    about_.hide();
    if (infoBuku_)
        infoBuku_->hide();
    if (registration_)
        registration_->hide();
    if (forgotPassword_)
        forgotPassword_->hide();
    // Last: the splash window owns the service client and the data folder.
    if (splash_) {
        delete splash_;
        splash_ = nullptr;
    }
    return true;
}

void TFormMain::closeEvent(QCloseEvent* e) {
    if (closing_ || FormCloseQuery())
        e->accept();
    else
        e->ignore();
}

} // namespace sumberlaras
