// The main pages with the stand-in's own data, in a shown view: covers,
// banners and the logo must really load and the theme colours must apply.
// With PAGES_SCREENSHOT_DIR set, each page is also saved there as a PNG.
#include <filesystem>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "tests/pages/browser/RecordingPage.h"
#include "tests/pages/browser/StandinAnswers.h"
#include "pages/CataloguePages.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/Standin.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

class ScreenshotPagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pageLooksFinished_data();
    void pageLooksFinished();

private:
    std::string textOf(const Json& object, const char* name) {
        if (!object.is_object() || !object.contains(name))
            return {};
        return object[name].is_string() ? object[name].get<std::string>() : object[name].dump();
    }

    std::unique_ptr<Standin> standin_;
    std::string folder_, base_;
    JsonSlot client_, banner_, home_, homeDetail_, category_, categoryContent_, subCategory_,
        chart_, detail_, search_, kalimat_;
    ScriptedDialogs dialogs_;
    RecordingPage* page_ = nullptr;
    std::unique_ptr<QWebEngineView> webView_;
    std::unique_ptr<PageView> view_;
    std::unique_ptr<CataloguePages> pages_, sentencePages_;
    std::string sectionTitle_, categoryName_;
};

void ScreenshotPagesTest::initTestCase() {
#ifndef SUMBERLARAS_STANDIN_EXE
    QSKIP("the stand-in service is not part of this build");
#endif
    standin_ = std::make_unique<Standin>();
    base_ = standin_->baseUrl();
    char pattern[] = "/tmp/pages-shots-XXXXXX";
    folder_ = mkdtemp(pattern);
    std::filesystem::copy(PAGES_VIEWER_STAGE, folder_, std::filesystem::copy_options::recursive);

    StandinAnswers service(base_, standin_->caFile());
    client_.store(service.get("/api/wl/mitra"));
    QVERIFY(service.login("siti@sumberlaras.id", "baca1234"));
    banner_.store(service.get("/api/wl/listBanner"));
    category_.store(service.get("/api/wl/menu"));
    const Json home = service.post("/api/wl/listHomepage", {{"page", "1"}, {"limit", "10"}});
    home_.store(home);
    QVERIFY2(!home.value("data", Json::array()).empty(), home.dump().c_str());
    const Json& section = home["data"][0];
    sectionTitle_ = textOf(section, "judul_section");
    homeDetail_.store(service.post("/api/wl/listHomepageDetail",
                                   {{"id_homepage", textOf(section, "id")}, {"page", "1"}}));
    const Json& dept = (*category_.get())["data_departemen"][0];
    const Json& kategori = dept["data_kategori"][0];
    categoryName_ = textOf(kategori, "nama_kategori");
    categoryContent_.store(service.post("/api/wl/listContentCategory",
                                        {{"id_dept", textOf(dept, "id_departemen")},
                                         {"id_kategori", textOf(kategori, "id_kategori")}}));
    chart_.store(service.post("/api/wl/listTopRead", {{"page", "1"}}));
    detail_.store(service.post("/api/wl/detailKonten",
                               {{"id_konten", textOf(section["rows"][0], "id_konten")}}));
    search_.store(
        service.post("/api/wl/searching", {{"page", "1"}, {"keyword", "a"}, {"field", "Semua"}}));
    kalimat_.store(service.post("/api/wl/searchingKalimat", {{"page", "1"}, {"keyword", "a"}}));

    page_ = new RecordingPage(this);
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    webView_ = std::make_unique<QWebEngineView>();
    webView_->setPage(page_);
    webView_->resize(1366, 900);
    webView_->show();
    view_ = std::make_unique<PageView>(*page_);
    pages_ = std::make_unique<CataloguePages>(PageSources{folder_, base_, client_, dialogs_},
                                              PageSlots{banner_, home_, homeDetail_, category_,
                                                        categoryContent_, subCategory_, chart_,
                                                        detail_, search_});
    sentencePages_ = std::make_unique<CataloguePages>(
        PageSources{folder_, base_, client_, dialogs_},
        PageSlots{banner_, home_, homeDetail_, category_, categoryContent_, subCategory_, chart_,
                  detail_, kalimat_});
}

void ScreenshotPagesTest::cleanupTestCase() {
    webView_.reset();
    if (!folder_.empty())
        std::filesystem::remove_all(folder_);
}

void ScreenshotPagesTest::pageLooksFinished_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("images"); // selector of images that must load from the service
    QTest::newRow("login") << "login"
                           << "img[alt=logo]";
    QTest::newRow("home")
        << "home"
        << ".banner .slick-active img, #myBooks > .section-item:first-child .slick-active img";
    QTest::newRow("section") << "section"
                             << "img.img-books";
    QTest::newRow("category") << "category"
                              << "";
    QTest::newRow("categoryContent") << "categoryContent"
                                     << "img.img-books";
    QTest::newRow("detail") << "detail"
                            << "img.img-books";
    QTest::newRow("chart") << "chart"
                           << "#listChart > .list-chart-row:first-child img";
    QTest::newRow("search") << "search"
                            << "img.img-books";
    QTest::newRow("sentence") << "sentence"
                              << "";
}

void ScreenshotPagesTest::pageLooksFinished() {
    QFETCH(QString, name);
    QFETCH(QString, images);
    const std::map<QString, std::function<void()>> render = {
        {"login", [&] { pages_->renderLoginHtmlFile(*view_); }},
        {"home", [&] { pages_->renderHomeHtmlFile(*view_, 1); }},
        {"section", [&] { pages_->renderHomeDetailHtmlFile(*view_, sectionTitle_); }},
        {"category", [&] { pages_->renderCategoryHtmlFile(*view_); }},
        {"categoryContent", [&] { pages_->renderCategoryContent(*view_, categoryName_); }},
        {"detail", [&] { pages_->renderDetailContent(*view_, "home"); }},
        {"chart", [&] { pages_->renderTopChart(*view_, 1); }},
        {"search", [&] { pages_->renderSearchResult(*view_, 1, "a", "Semua"); }},
        {"sentence", [&] { sentencePages_->renderSearchKalimatResult(*view_, 1, "a"); }},
    };
    page_->scriptErrors.clear();
    render.at(name)();
    QVERIFY(dialogs_.shown().empty());
    QVERIFY(page_->waitForLoad());
    QTRY_VERIFY(page_->eval("window.jQuery ? jQuery.isReady : false").toBool());
    // The introduction window would cover the home page; close it for the picture.
    page_->eval("window.jQuery && $('#myModal').modal && $('#myModal').modal('hide')");

    const QString logo = name == "login" || name == "home" || name == "chart" || name == "search"
                             ? "img[alt='logo header'], img[alt=logo]"
                             : "";
    for (const QString& selector : {images, logo}) {
        if (selector.isEmpty())
            continue;
        const QString loaded =
            QString(
                "(function () { var all = document.querySelectorAll(\"%1\");"
                " if (!all.length) return false;"
                " return Array.prototype.every.call(all, function (i) {"
                "  return i.complete && i.naturalWidth > 0 && i.src.indexOf('%2') === 0; }); })()")
                .arg(selector, QString::fromStdString(base_));
        QTRY_VERIFY2_WITH_TIMEOUT(page_->eval(loaded).toBool(), qPrintable(selector), 15000);
    }
    if (name == "home" || name == "chart" || name == "search" || name == "sentence") {
        const std::string header = textOf((*client_.get())["data"], "warna_header");
        const QString colour =
            page_
                ->eval("getComputedStyle(document.querySelector('.navbar-default'))"
                       ".backgroundColor")
                .toString();
        QVERIFY2(!colour.isEmpty() && colour != "rgba(0, 0, 0, 0)",
                 qPrintable(colour + " for " + QString::fromStdString(header)));
    }
    QVERIFY2(page_->scriptErrors.isEmpty(), qPrintable(page_->scriptErrors.join('\n')));

    const QByteArray dir = qgetenv("PAGES_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QTest::qWait(1200); // let fades and the first carousel frame settle for the picture
        QDir().mkpath(QString::fromLocal8Bit(dir));
        QVERIFY(webView_->grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png"));
    }
}

int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ScreenshotPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScreenshotPagesTest.moc"
