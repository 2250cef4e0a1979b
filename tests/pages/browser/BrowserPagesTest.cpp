// The generated pages in a real browser: every clickable element sends the
// call and the arguments the page promises (hostile texts arrive unchanged),
// and the viewer assets behave: scope menu, carousels, stars, lazy images and
// the waiting ring.
#include <filesystem>
#include <functional>
#include <map>

#include <QApplication>
#include <QJsonDocument>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "tests/pages/browser/RecordingPage.h"
#include "pages/CataloguePages.h"
#include "tests/support/ScriptedDialogs.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

// Texts that would break a call, an attribute or a script if placed raw.
const std::string kHostile = "Qur'an \"Tafsir\" \\ </script><b>x</b> &amp; a\nb";
const std::string kKeyword = "a\"b'c\\d</script>";

Json card(const std::string& id, const std::string& title) {
    return Json{{"id_konten", id}, {"img", "c" + id + ".jpg"},
                {"judul", title},  {"penulis", "Penulis " + id},
                {"stok", 1},       {"qty", 2},
                {"nilai_rate", 3}};
}

Json cards(int n, const std::string& firstId) {
    Json out = Json::array();
    out.push_back(card(firstId, kHostile));
    for (int i = 1; i < n; ++i)
        out.push_back(card(std::to_string(100 + i), "Buku " + std::to_string(i)));
    return out;
}

} // namespace

class BrowserPagesTest : public QObject {
    Q_OBJECT

public:
    BrowserPagesTest() {
        char pattern[] = "/tmp/pages-browser-XXXXXX";
        folder_ = mkdtemp(pattern);
        std::filesystem::copy(PAGES_VIEWER_STAGE, folder_,
                              std::filesystem::copy_options::recursive);
        client_.store(Json{{"code", "200"},
                           {"data",
                            {{"nama", "Perpustakaan Uji"},
                             {"warna_header", "#1d3557"},
                             {"warna_button_login", "#e76f51"},
                             {"warna_hover_button_login", "#f4a261"},
                             {"warna_hover_baca", "#2a9d8f"},
                             {"logo_login", "logo.png"},
                             {"logo", "logo.png"},
                             {"foto_intro", "img/user.png"},
                             {"keterangan_intro", nullptr}}}});
        banner_.store(Json{{"code", "200"},
                           {"data",
                            {{{"img", "b1.jpg"}, {"url_link", kHostile}},
                             {{"img", "b2.jpg"}, {"url_link", "#"}},
                             {{"img", "b3.jpg"}}}}});
        home_.store(
            Json{{"code", "200"},
                 {"data",
                  {{{"id", kHostile}, {"judul_section", kHostile}, {"rows", cards(8, kHostile)}},
                   {{"id", "2"}, {"judul_section", "Kedua"}, {"rows", cards(2, "200")}}}}});
        list_.store(Json{{"code", "200"}, {"data", cards(3, kHostile)}});
        Json subs = Json::array({{{"id_sub_kategori", kHostile}, {"nama_sub_kategori", kHostile}}});
        category_.store(Json{
            {"code", "200"},
            {"data_departemen",
             {{{"id_departemen", "D1"},
               {"nama_departemen", "Buku Umum"},
               {"total_kategori", 1},
               {"data_kategori",
                {{{"id_kategori", "K1"}, {"nama_kategori", "Umum"}, {"data_sub_kategori", subs}}}}},
              {{"id_departemen", kHostile},
               {"nama_departemen", "Qur'an & Hadis"},
               {"total_kategori", 1},
               {"data_kategori",
                {{{"id_kategori", kHostile},
                  {"nama_kategori", kHostile},
                  {"data_sub_kategori", subs}}}}}}}});
        chart_.store(Json{{"code", "200"},
                          {"total", 1},
                          {"data",
                           {{{"id_konten", kHostile},
                             {"img", "c1.jpg"},
                             {"judul", kHostile},
                             {"penulis", "A"},
                             {"penerbit", "P"},
                             {"isbn", "1"},
                             {"sinopsis", "<p>ringkas</p>"},
                             {"stok", 1},
                             {"qty", 1},
                             {"nilai_rate", 4}}}}});
        detail_.store(Json{{"code", "200"},
                           {"data",
                            {{"id", kHostile},
                             {"judul", "Judul"},
                             {"cover_file", "https://127.0.0.1:9/prod/img/cover/c1.jpg"},
                             {"stok", 0},
                             {"qty", 3}}}});
        search_.store(Json{{"code", "200"}, {"total_rows", 25}, {"data", cards(2, kHostile)}});
        kalimat_.store(Json{{"code", "200"},
                            {"total_rows", 12},
                            {"data",
                             {{{"id", kHostile},
                               {"img", "c1.jpg"},
                               {"judul", kHostile},
                               {"halaman", "iv"},
                               {"hal_txt", "teks"},
                               {"hal_idx", kHostile}}}}});
    }
    ~BrowserPagesTest() override { std::filesystem::remove_all(folder_); }

private slots:
    void initTestCase();
    void elementsSendTheirCalls_data();
    void elementsSendTheirCalls();
    void scopeMenuChangesTheSearchedScope();
    void departmentChangeKeepsTheCallsIntact();
    void bannerCarouselPlaysWithDotsAndNoArrows();
    void bookRowShowsSixCardsAndStarsAreReadOnly();
    void lazyImagesGetTheirAddress();
    void waitingRingTurnsInTheMiddle();

private:
    using Render = std::function<void(CataloguePages&, BrowserView&)>;
    void show(const Render& render);
    std::map<QString, Render> renders();

    std::string folder_;
    std::string base_ = "https://127.0.0.1:9";
    JsonSlot client_, banner_, home_, list_, category_, chart_, detail_, search_, kalimat_;
    ScriptedDialogs dialogs_;
    RecordingPage* page_ = nullptr;
    std::unique_ptr<QWebEngineView> webView_;
    std::unique_ptr<PageView> view_;
    std::unique_ptr<CataloguePages> pages_;
    std::unique_ptr<CataloguePages> sentencePages_;
};

void BrowserPagesTest::initTestCase() {
    page_ = new RecordingPage(this);
    // A shown view gives the pages a viewport: lazy images and carousels need one.
    webView_ = std::make_unique<QWebEngineView>();
    webView_->setPage(page_);
    webView_->resize(1366, 768);
    webView_->show();
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    view_ = std::make_unique<PageView>(*page_);
    pages_ = std::make_unique<CataloguePages>(
        PageSources{folder_, base_, client_, dialogs_},
        PageSlots{banner_, home_, list_, category_, list_, list_, chart_, detail_, search_});
    sentencePages_ = std::make_unique<CataloguePages>(
        PageSources{folder_, base_, client_, dialogs_},
        PageSlots{banner_, home_, list_, category_, list_, list_, chart_, detail_, kalimat_});
}

void BrowserPagesTest::show(const Render& render) {
    page_->calls = {};
    page_->scriptErrors.clear();
    render(*pages_, *view_);
    const auto shown = dialogs_.texts();
    QVERIFY2(shown.empty(), shown.empty() ? "" : shown.front().c_str());
    QVERIFY(page_->waitForLoad());
    // Ready handlers have run once jQuery says so.
    QTRY_VERIFY(page_->eval("window.jQuery ? jQuery.isReady : false").toBool());
}

std::map<QString, BrowserPagesTest::Render> BrowserPagesTest::renders() {
    return {
        {"login", [](auto& p, auto& v) { p.renderLoginHtmlFile(v); }},
        {"home", [](auto& p, auto& v) { p.renderHomeHtmlFile(v, 1); }},
        {"section", [](auto& p, auto& v) { p.renderHomeDetailHtmlFile(v, kHostile); }},
        {"categoryContent", [](auto& p, auto& v) { p.renderCategoryContent(v, kHostile); }},
        {"subCategory", [](auto& p, auto& v) { p.renderSubCategoryContent(v, kHostile); }},
        {"category", [](auto& p, auto& v) { p.renderCategoryHtmlFile(v); }},
        {"topChart", [](auto& p, auto& v) { p.renderTopChart(v, 1); }},
        {"lastRead", [](auto& p, auto& v) { p.renderLastRead(v, 1); }},
        {"lastView", [](auto& p, auto& v) { p.renderLastView(v, 1); }},
        {"detail", [](auto& p, auto& v) { p.renderDetailContent(v, "category"); }},
        {"search", [](auto& p, auto& v) { p.renderSearchResult(v, 2, kKeyword, kKeyword); }},
        {"sentence",
         [this](auto&, auto& v) { sentencePages_->renderSearchKalimatResult(v, 1, kKeyword); }},
    };
}

void BrowserPagesTest::elementsSendTheirCalls_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("call"); // JSON [name, [args]]

    const QJsonValue hostile = QString::fromStdString(kHostile);
    const QJsonValue keyword = QString::fromStdString(kKeyword);
    auto call = [](const char* name, QJsonArray args = {}) {
        return QString::fromUtf8(
            QJsonDocument(QJsonArray{QString(name), args}).toJson(QJsonDocument::Compact));
    };
    auto click = [](const QString& selector, int index = 0) {
        return QString("document.querySelectorAll(%1)[%2].click()")
            .arg(QString::fromUtf8(QJsonDocument(QJsonArray{selector}).toJson()).mid(1).chopped(2))
            .arg(index);
    };
    auto row = [](const char* page, const char* what) {
        return &QTest::newRow(QString("%1: %2").arg(page, what).toUtf8().constData());
    };
    const QString submitHostile =
        "$('#keyword').val(" +
        QString::fromUtf8(QJsonDocument(QJsonArray{keyword}).toJson()).mid(1).chopped(2) +
        "); $('#submitSearch').submit()";

    *row("login", "register") << "login" << click("a[onClick*=registerPage]")
                              << call("registerPage");
    *row("login", "forgot") << "login" << click(".forgot-password") << call("forgotPass");
    *row("login", "submit") << "login"
                            << "document.getElementById('email').value = 'siti@sumberlaras.id';"
                               "document.getElementById('kata_sandi').value = 'ba\"c\\'a';"
                               "document.querySelector('button[type=submit]').click()"
                            << call("executeLogin", {"siti@sumberlaras.id", "ba\"c'a"});

    *row("home", "banner") << "home" << click("img[alt=banner][onClick]")
                           << call("openBanner", {hostile});
    *row("home", "unlinked banners")
        << "home"
        << "document.querySelectorAll('img[alt=banner]:not([onClick])')"
           ".forEach(function (b) { b.click(); }); app.marker()"
        << call("marker");
    *row("home", "top chart") << "home" << click("li[onClick*=topChart]") << call("topChart");
    *row("home", "last read") << "home" << click("li[onClick*=lastRead]") << call("lastRead");
    *row("home", "last view") << "home" << click("li[onClick*=lastView]") << call("lastView");
    *row("home", "categories") << "home" << click("li[onClick*=loadKategori]")
                               << call("loadKategori");
    *row("home", "see all") << "home" << click(".link-see-all")
                            << call("homeDetail", {hostile, hostile});
    *row("home", "card") << "home"
                         << click(".slick-slide:not(.slick-cloned) a[onClick^='app.detail(']")
                         << call("detail", {hostile});
    *row("home", "more") << "home" << click("#loadMore") << call("loadMore");
    *row("home", "account") << "home" << click("a[onClick*=account]") << call("account");
    *row("home", "logout") << "home" << click("a[onClick*=logout]") << call("logout");
    *row("home", "search") << "home" << submitHostile << call("searching", {keyword, "Semua"});
    *row("home", "search icon") << "home" << click(".icon-search")
                                << call("searching", {"", "Semua"});

    for (const char* list : {"section", "categoryContent", "subCategory"}) {
        *row(list, "home") << list << click("a[onClick*='app.back()']") << call("back");
        const char* fn = QByteArray(list) == "section" ? "detailFromSection" : "detailFromCategory";
        *row(list, "card") << list << click("a[onClick^='app.detailFrom']") << call(fn, {hostile});
    }
    *row("categoryContent", "category")
        << "categoryContent" << click("a[onClick*=backKategori]") << call("backKategori");
    *row("subCategory", "category")
        << "subCategory" << click("a[onClick*=backKategori]") << call("backKategori");

    *row("category", "home") << "category" << click("a[onClick*='app.back()']") << call("back");
    *row("category", "department") << "category"
                                   << "$('.select-category').val($('.select-category option')"
                                      ".eq(1).val()).trigger('change')"
                                   << call("changeDept", {hostile, "Qur'an & Hadis"});
    *row("category", "category title") << "category" << click("a[onClick^='app.kategoriKonten']")
                                       << call("kategoriKonten", {"K1", "1", "D1", "Umum"});
    *row("category", "sub-category") << "category" << click("a[onClick^='app.subKategoriKonten']")
                                     << call("subKategoriKonten", {hostile, "1", "D1", hostile});

    for (const char* chart : {"topChart", "lastRead", "lastView"}) {
        *row(chart, "home") << chart << click("a[onClick*='app.back()']") << call("back");
        *row(chart, "title") << chart << click("a[onClick^='app.detailFromChart']")
                             << call("detailFromChart", {hostile});
        *row(chart, "read") << chart << click("button[onClick^='app.bacaSection']")
                            << call("bacaSection", {hostile});
        *row(chart, "search") << chart << submitHostile << call("searching", {keyword, "Semua"});
    }
    *row("topChart", "more") << "topChart" << click("#loadMore") << call("loadMoreChart", {2});
    *row("lastRead", "more") << "lastRead" << click("#loadMore") << call("loadMoreLastRead", {2});
    *row("lastView", "more") << "lastView" << click("#loadMore") << call("loadMoreLastView", {2});

    *row("detail", "home") << "detail" << click("a[onClick*='app.back()']") << call("back");
    *row("detail", "category") << "detail" << click("a[onClick*=backToCategory]")
                               << call("backToCategory");
    *row("detail", "read") << "detail" << click(".btn-baca") << call("baca", {hostile});

    *row("search", "home") << "search" << click("a[onClick*='app.back()']") << call("back");
    *row("search", "card") << "search" << click("a[onClick^='app.detailFromSearch']")
                           << call("detailFromSearch", {hostile});
    *row("search", "page 3") << "search" << click("a[onClick^='app.searchResult']", 1)
                             << call("searchResult", {keyword, keyword, 3});
    *row("search", "keyword kept") << "search"
                                   << "app.kept($('#keyword').val())" << call("kept", {keyword});
    *row("search", "search") << "search" << click(".icon-search")
                             << call("searching", {keyword, "Semua"});

    *row("sentence", "home") << "sentence" << click("a[onClick*='app.back()']") << call("back");
    *row("sentence", "title") << "sentence" << click("a[onClick^='app.detailFromSearch']")
                              << call("detailFromSearch", {hostile});
    *row("sentence", "read") << "sentence" << click("button[onClick^='app.bacaKalimat']")
                             << call("bacaKalimat", {hostile, hostile});
    *row("sentence", "page 2") << "sentence" << click("a[onClick^='app.searchResult']")
                               << call("searchResult", {keyword, "Kalimat", 2});
    *row("sentence", "search") << "sentence" << click(".icon-search")
                               << call("searching", {keyword, "Kalimat"});
}

void BrowserPagesTest::elementsSendTheirCalls() {
    QFETCH(QString, page);
    QFETCH(QString, trigger);
    QFETCH(QString, call);
    show(renders().at(page));
    page_->eval(trigger);
    QTRY_VERIFY(!page_->calls.isEmpty());
    const QString got = QString::fromUtf8(
        QJsonDocument(page_->calls.first().toArray()).toJson(QJsonDocument::Compact));
    QCOMPARE(got, call);
    QCOMPARE(page_->calls.size(), 1);
    QVERIFY2(page_->scriptErrors.isEmpty(), qPrintable(page_->scriptErrors.join('\n')));
}

void BrowserPagesTest::scopeMenuChangesTheSearchedScope() {
    for (const char* name : {"home", "topChart", "sentence"}) {
        show(renders().at(name));
        page_->eval("$('.search-panel .dropdown-menu a[href=\"#its_equal\"]').click()");
        QCOMPARE(page_->eval("$('#search_concept').text()").toString(), QString("Penerbit"));
        page_->eval("$('#keyword').val('Mizan'); $('#submitSearch').submit()");
        QTRY_COMPARE(page_->calls.size(), 1);
        QCOMPARE(QJsonDocument(page_->calls.first().toArray()).toJson(QJsonDocument::Compact),
                 QByteArray(R"(["searching",["Mizan","Penerbit"]])"));
        QVERIFY2(page_->scriptErrors.isEmpty(), qPrintable(page_->scriptErrors.join('\n')));
    }
}

void BrowserPagesTest::departmentChangeKeepsTheCallsIntact() {
    show(renders().at("category"));
    pages_->renderDept(*view_, kHostile);
    QTRY_COMPARE(page_->eval("$('#categoryContainer h3 a').text()").toString(),
                 QString::fromStdString(kHostile));
    QCOMPARE(page_->eval("$('.select-category').length").toInt(), 1);
    page_->eval("$('#categoryContainer h3 a')[0].click(); $('#categoryContainer li a')[0].click()");
    QTRY_COMPARE(page_->calls.size(), 2);
    const QJsonValue h = QString::fromStdString(kHostile);
    QCOMPARE(page_->calls[0].toArray(), (QJsonArray{"kategoriKonten", QJsonArray{h, "1", h, h}}));
    QCOMPARE(page_->calls[1].toArray(),
             (QJsonArray{"subKategoriKonten", QJsonArray{h, "1", h, h}}));
    pages_->renderDept(*view_, "none");
    QTRY_COMPARE(page_->eval("$('#categoryContainer').children().length").toInt(), 0);
    QVERIFY2(page_->scriptErrors.isEmpty(), qPrintable(page_->scriptErrors.join('\n')));
}

void BrowserPagesTest::bannerCarouselPlaysWithDotsAndNoArrows() {
    show(renders().at("home"));
    QTRY_VERIFY(page_->eval("$('.banner').hasClass('slick-initialized')").toBool());
    QCOMPARE(page_->eval("$('.banner .slick-dots li').length").toInt(), 3);
    QCOMPARE(page_->eval("$('.banner .slick-arrow').length").toInt(), 0);
    QCOMPARE(page_->eval("$('.banner').slick('slickGetOption', 'autoplaySpeed')").toInt(), 2000);
    // It moves on by itself, a couple of seconds at most.
    QTRY_VERIFY_WITH_TIMEOUT(page_->eval("$('.banner').slick('slickCurrentSlide')").toInt() != 0,
                             8000);
}

void BrowserPagesTest::bookRowShowsSixCardsAndStarsAreReadOnly() {
    show(renders().at("home"));
    QTRY_VERIFY(page_->eval("$('.multiple-items').first().hasClass('slick-initialized')").toBool());
    QCOMPARE(page_->eval("$('.multiple-items').first().find('.slick-slide.slick-active').length")
                 .toInt(),
             6);
    QCOMPARE(page_->eval("$('.multiple-items').first().slick('slickGetOption', 'slidesToScroll')")
                 .toInt(),
             6);
    const int inputs = page_->eval("$('input.rating-detail').length").toInt();
    QVERIFY(inputs > 0);
    QCOMPARE(page_->eval("$('.rating-container.rating-disabled').length").toInt(), inputs);
    QCOMPARE(page_->eval("$('input.rating-detail[readonly]').length").toInt(), inputs);
    page_->eval("var s = $('.rating-container').first(); var e = $.Event('click');"
                "e.pageX = s.offset().left + 2; s.find('.rating-stars').trigger(e);");
    QCOMPARE(page_->eval("$('input.rating-detail').first().val()").toString(), QString("3"));
}

void BrowserPagesTest::lazyImagesGetTheirAddress() {
    for (const char* name : {"home", "section", "detail", "topChart"}) {
        show(renders().at(name));
        // The first image in view: carousels put copies of their last slides first.
        const QString firstShown =
            "(function () { var i = document.querySelector('.slick-active img.lazyload') ||"
            " document.querySelector('img.lazyload');"
            " return i.getAttribute('src') === i.getAttribute('data-src'); })()";
        QTRY_VERIFY2(page_->eval(firstShown).toBool(), name);
    }
}

void BrowserPagesTest::waitingRingTurnsInTheMiddle() {
    QVERIFY(
        page_->loadAndWait(QUrl::fromLocalFile(QString::fromStdString(folder_) + "/loading.html")));
    const QString style =
        "(function () { var s = getComputedStyle(document.querySelector('.loader'));"
        " return [s.width, s.height, s.borderTopColor, s.borderLeftColor,"
        " s.borderTopWidth, s.borderRadius, s.position, s.animationDuration,"
        " s.animationTimingFunction, s.animationIterationCount].join('|'); })()";
    QCOMPARE(page_->eval(style).toString(),
             QString("100px|100px|rgb(52, 152, 219)|rgb(171, 171, 171)|16px|50%|absolute|2s|"
                     "linear|infinite"));
    const QString centred =
        "(function () { var r = document.querySelector('.loader').getBoundingClientRect();"
        " return Math.abs(r.left + r.width / 2 - innerWidth / 2) < 1 &&"
        " Math.abs(r.top + r.height / 2 - innerHeight / 2) < 1; })()";
    QVERIFY(page_->eval(centred).toBool());
}

int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    BrowserPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "BrowserPagesTest.moc"
