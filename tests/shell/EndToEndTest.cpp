#include <fstream>

#include <QApplication>
#include <QTest>

#include "bridge/NavigationPolicy.h"
#include "tests/shell/ShellFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
using namespace sumberlaras::bridge;

namespace {

using Shell = ShellFixture;

std::vector<std::string> paths(const Standin::Json& log) {
    std::vector<std::string> out;
    for (const auto& entry : log)
        out.push_back(entry["path"].get<std::string>());
    return out;
}

const Standin::Json* lastRequest(const Standin::Json& log, const std::string& path) {
    const Standin::Json* found = nullptr;
    for (const auto& entry : log)
        if (entry["path"] == path)
            found = &entry;
    return found;
}

// Requests to the service's interface, leaving out images.
std::vector<std::string> apiPaths(const Standin::Json& log) {
    std::vector<std::string> out;
    for (const auto& p : paths(log))
        if (p.starts_with("/api/"))
            out.push_back(p);
    return out;
}

TEST_F(Shell, SignInRunsTheChainWithTheFullHeaderSet) {
    startAtLogin();
    EXPECT_FALSE(main->PanelHeader()->isVisible());
    standin.clearLog();
    signInAndWaitForHome();
    EXPECT_TRUE(main->PanelHeader()->isVisible());
    const auto log = standin.log();
    std::vector<std::string> api;
    for (const auto& p : paths(log))
        if (p.starts_with("/api/"))
            api.push_back(p);
    ASSERT_GE(api.size(), 4u);
    EXPECT_EQ(api[0], "/api/wl/executeLogin");
    const auto* banner = lastRequest(log, api[1]);
    ASSERT_TRUE(banner);
    std::vector<std::string> names;
    for (const auto& h : (*banner)["headers"])
        names.push_back(h[0].get<std::string>());
    for (const char* wanted : {"CLIENTID", "OS", "UUID", "KEY", "USERID", "USERLEVEL"})
        EXPECT_NE(std::find(names.begin(), names.end(), wanted), names.end()) << wanted;
    EXPECT_TRUE(dialogs.texts().empty());
}

TEST_F(Shell, CoversAndBannersComeFromTheServiceOverHttps) {
    startAtLogin();
    signInAndWaitForHome();
    EXPECT_TRUE(spinUntil([&] {
        return js(Chromium1, "Array.prototype.some.call(document.images, function (i) {"
                             "return i.currentSrc.indexOf('/prod/img/') > 0 && i.complete &&"
                             " i.naturalWidth > 0; })")
            .toBool();
    }));
}

TEST_F(Shell, RefusedAndEmptySignIn) {
    startAtLogin();
    signIn("", "");
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_EQ(dialogs.texts()[0], "Nama Pengguna Dan Kata Sandi Wajib Diisi");
    EXPECT_FALSE(main->catalogue().FTaskControl);

    dialogs.clear();
    signIn("siti@sumberlaras.id", "salah");
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_EQ(dialogs.shown()[0].kind, DialogKind::Warning);
    // The login page comes back afresh: its fields are empty once the new page is up
    // (the page being left still shows them filled for a moment).
    EXPECT_TRUE(spinUntil([&] {
        return pageOf(Chromium1) == "login.html" &&
               js(Chromium1, "document.readyState === 'complete' && "
                             "document.getElementById('email').value === ''")
                   .toBool();
    }));
    EXPECT_FALSE(main->PanelHeader()->isVisible());
}

TEST_F(Shell, HomePagingAndSignInAgain) {
    startAtLogin();
    signInAndWaitForHome();
    auto buttonShown = [&] {
        return js(Chromium1, "document.readyState === 'complete' && window.$ && "
                             "$('#btnMore').is(':visible')")
            .toBool();
    };
    auto& c = main->catalogue();
    ASSERT_TRUE(spinUntil([&] { return c.CountHomeContent > 0; }));
    const int pages = (c.CountHomeContent + 9) / 10;
    for (int page = 1; page < pages; ++page) {
        ASSERT_TRUE(spinUntil(buttonShown)) << page;
        ASSERT_TRUE(spinUntil([&] {
            return js(Chromium1, "(function(){var b=document.getElementById('loadMore');"
                                 "if(b){b.click();} return !!b;})()")
                .toBool();
        }));
        ASSERT_TRUE(spinUntil([&] { return c.PageHome == page + 1; }));
        ASSERT_TRUE(
            spinUntil([&] { return !c.FTaskControl && waitForPage(Chromium1, "index.html"); }));
    }
    EXPECT_TRUE(spinUntil([&] { return !buttonShown(); }));
    EXPECT_EQ(c.TotalHomeContent, c.CountHomeContent);

    dialogs.answerNext(DialogAnswer::Ok);
    ASSERT_TRUE(waitForPage(Chromium1, "index.html"));
    js(Chromium1, "app.logout()");
    ASSERT_TRUE(spinUntil([&] { return !main->PanelHeader()->isVisible(); }));
    ASSERT_TRUE(waitForPage(Chromium1, "login.html"));
    signInAndWaitForHome();
    EXPECT_EQ(c.PageHome, 1);
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Keluar dari akun anda?"});
}

TEST_F(Shell, BrowsingAndBackWithoutARequest) {
    startAtLogin();
    signInAndWaitForHome();
    js(Chromium1, "app.topChart()");
    ASSERT_TRUE(waitForPage(Chromium6, "topChart.html"));
    EXPECT_TRUE(front(Chromium6));
    const QString firstBook =
        js(Chromium6,
           "(function(){var a=document.querySelector(\"[onClick^='app.detailFromChart']\");"
           "return a ? a.getAttribute('onClick') : ''})()")
            .toString();
    ASSERT_FALSE(firstBook.isEmpty());
    js(Chromium6, firstBook);
    ASSERT_TRUE(waitForPage(Chromium3, "detail.html"));
    EXPECT_TRUE(front(Chromium3));
    standin.clearLog();
    js(Chromium3, "app.backToChart()");
    ASSERT_TRUE(spinUntil([&] { return front(Chromium6); }));
    EXPECT_TRUE(apiPaths(standin.log()).empty());

    js(Chromium1, "app.loadKategori()");
    ASSERT_TRUE(waitForPage(Chromium4, "category.html"));
    js(Chromium4, "app.changeDept('1', 'x')");
    EXPECT_TRUE(apiPaths(standin.log()).empty());
    EXPECT_TRUE(dialogs.texts().empty());
}

TEST_F(Shell, SearchChecksAndResults) {
    startAtLogin();
    signInAndWaitForHome();
    js(Chromium1, "app.searching('', 'Penulis')");
    ASSERT_TRUE(waitForDialogs(1));
    js(Chromium1, "app.searching('ab', 'Kalimat')");
    ASSERT_TRUE(waitForDialogs(2));
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Kata Kunci Pencarian Wajib Diisi",
                                                         "Minimal masukkan 3-huruf"}));
    dialogs.clear();
    // The second search arrives while the first still runs.
    standin.failNext("/api/wl/searching", "delay", 1, 1500);
    js(Chromium1, "app.searching('a', 'Penulis'); app.searching('b', 'Penulis');");
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_EQ(dialogs.texts()[0], "Harap Tunggu..Sedang Memproses Pencarian Sebelumnya");
    ASSERT_TRUE(waitForPage(Chromium7, "search_result.html"));
    EXPECT_FALSE(main->catalogue().isSearchRunning);
}

TEST_F(Shell, ClosingDuringAStalledRequestDoesNotWaitForIt) {
    startAtLogin();
    signInAndWaitForHome();
    standin.failNext("/api/wl/searching", "stall", 1, 60000);
    js(Chromium1, "app.searching('ekonomi', 'Penulis')");
    ASSERT_TRUE(spinUntil([&] { return main->catalogue().isSearchRunning; }));
    // The stall limit is two minutes; a close that waited for it would hang the window.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(main->close());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_TRUE(dialogs.texts().empty());
}

TEST_F(Shell, AnotherDeviceSignsInAsTheSameMember) {
    startAtLogin();
    signInAndWaitForHome();
    auto other = [&] {
        Dialogs& d = dialogs;
        SawiraLibOptions o = options("FFFF0002");
        o.dataRoot = (root / "other").string();
        TSawiraLib second(d, o);
        return second.LoginRequest("siti@sumberlaras.id", "baca1234");
    };
    EXPECT_EQ(other()["code"], "200");
    js(Chromium1, "app.topChart()");
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_EQ(dialogs.texts()[0], "Authentication Error : Akun Anda Digunakan Pada Perangkat Lain");
    ASSERT_TRUE(waitForPage(Chromium1, "login.html"));
    EXPECT_TRUE(front(Chromium1));

    dialogs.clear();
    signInAndWaitForHome();
    EXPECT_EQ(other()["code"], "200");
    js(Chromium1, "app.searching('buku', 'Semua')");
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_EQ(dialogs.texts()[0], "Authentication Error : Akun Anda Digunakan Di Perangkat Lain");
    ASSERT_TRUE(waitForPage(Chromium1, "login.html"));
}

struct VersionCase {
    const char* name;
    Standin::Json verdict;
    std::vector<DialogAnswer> answers;
    bool goesOn;
    std::string dialog;
    bool updater;
};

// Keeps the test list readable: the case's name instead of its bytes.
void PrintTo(const VersionCase& c, std::ostream* os) {
    *os << c.name;
}

class VersionCheck : public ShellFixture, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionCheck, DecidesWhetherTheProgramGoesOn) {
    const auto& c = GetParam();
    standin.setVersion(c.verdict);
    for (auto a : c.answers)
        dialogs.answerNext(a);
    startSplash();
    EXPECT_EQ(splash->terminateRequested(), !c.goesOn && !c.updater);
    if (c.dialog.empty())
        EXPECT_TRUE(dialogs.texts().empty());
    else
        EXPECT_EQ(dialogs.texts(), std::vector<std::string>{c.dialog});
    if (!c.goesOn && !c.updater)
        return;
    main = std::make_unique<TFormMain>(
        *splash,
        ShellEnvironment{dialogs, nullptr,
                         [this](const std::string& u) { updaterCalls.push_back(u); }, nullptr});
    main->show();
    EXPECT_EQ(main->FormShow(), c.goesOn);
    if (c.updater) {
        EXPECT_EQ(updaterCalls, std::vector<std::string>{"https://unduh.sumberlaras.id/v5"});
    } else {
        EXPECT_TRUE(updaterCalls.empty());
        EXPECT_TRUE(waitForPage(Chromium1, "login.html"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Verdicts, VersionCheck,
    ::testing::Values(
        VersionCase{"go", {{"code", "200"}}, {}, true, "", false},
        VersionCase{"updateOk",
                    {{"code", "300"}, {"url", "https://unduh.sumberlaras.id/v5"}, {"msg", "x"}},
                    {DialogAnswer::Ok},
                    false,
                    "Update baru telah tersedia, download sekarang?",
                    true},
        VersionCase{"updateCancel",
                    {{"code", "300"}, {"url", "https://unduh.sumberlaras.id/v5"}},
                    {DialogAnswer::Cancel},
                    true,
                    "Update baru telah tersedia, download sekarang?",
                    false},
        VersionCase{"refused",
                    {{"code", "403"}, {"msg", "Versi ini tidak berlaku"}},
                    {},
                    false,
                    "Versi ini tidak berlaku",
                    false}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(Shell, UnreachableServiceEndsTheProgram) {
    const int port = standin.port();
    standin.stop();
    setenv("SUMBERLARAS_SERVICE_URL", ("https://127.0.0.1:" + std::to_string(port)).c_str(), 1);
    startSplash();
    EXPECT_TRUE(splash->terminateRequested());
    ASSERT_EQ(dialogs.texts().size(), 1u);
    EXPECT_TRUE(dialogs.texts()[0].starts_with("#301 ")) << dialogs.texts()[0];
}

TEST_F(Shell, BookDownloadFailuresAndTheReadingLimit) {
    startAtLogin();
    signInAndWaitForHome();
    const QString card =
        js(Chromium1, "(function(){var a=document.querySelector(\"[onClick^='app.detail(']\");"
                      "return a ? a.getAttribute('onClick') : ''})()")
            .toString();
    ASSERT_FALSE(card.isEmpty());
    js(Chromium1, card);
    ASSERT_TRUE(waitForPage(Chromium3, "detail.html"));
    const JsonPtr detail = splash->SawiraLib()->FDetailContentJson.get();
    const std::string file = "/pc/swr/" + (*detail)["data"]["nama_pc_file"].get<std::string>();
    // The detail page is loaded again after each download: each click waits for the new
    // document (one not yet clicked in), or the click could go to the page being left.
    const auto clickReadButton = [&] {
        ASSERT_TRUE(spinUntil([&] {
            return js(Chromium3, "!window.readClicked && !!document.querySelector('.btn-baca') "
                                 "&& document.readyState === 'complete'")
                .toBool();
        }));
        js(Chromium3, "window.readClicked = true; document.querySelector('.btn-baca').click()");
    };

    dialogs.clear();
    clickReadButton();
    ASSERT_TRUE(spinUntil(
        [&] { return main->catalogue().readCount == 1 && !main->catalogue().isOpeningBook; }));
    EXPECT_TRUE(main->reader().hasOpenBooks());
    EXPECT_FALSE(main->catalogue().TempStream) << "the reader took the document";
    EXPECT_TRUE(dialogs.texts().empty());

    main->catalogue().readCount = 3;
    js(Chromium1, "app.baca('1'); app.bacaSection('1'); app.bacaKalimat('1', '2');");
    ASSERT_TRUE(waitForDialogs(3));
    for (const auto& t : dialogs.texts())
        EXPECT_EQ(t, "Anda melebihi batas baca sebanyak 3 Buku");
    main->catalogue().readCount = 1;

    dialogs.clear();
    standin.failNext(file, "http404");
    clickReadButton();
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_EQ(dialogs.texts()[0], "Jaringan Error dengan Status : 404");
    EXPECT_TRUE(waitForPage(Chromium3, "detail.html"));

    // The service gone altogether: a connection failure.
    dialogs.clear();
    standin.stop();
    clickReadButton();
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_TRUE(dialogs.texts()[0].starts_with("Request Error #671: ")) << dialogs.texts()[0];
    EXPECT_TRUE(waitForPage(Chromium3, "detail.html"));
}

TEST_F(Shell, PagesCannotLeaveTheDataFolderOrForgeMessages) {
    startAtLogin();
    ASSERT_TRUE(showOwnPage(
        "probe.html",
        "<html><body><a id='f' href='file:///etc/hostname'>f</a>"
        "<iframe id='fr' srcdoc=\"<script>try{app.back();parent.iframeSaw='app'}catch(e)"
        "{parent.iframeSaw='none'}</script>\"></iframe>"
        "<script>window.opened = window.open('https://example.com/');</script>"
        "</body></html>"));
    ASSERT_TRUE(
        spinUntil([&] { return js(Chromium2, "window.iframeSaw || ''").toString() != ""; }));
    EXPECT_EQ(js(Chromium2, "window.iframeSaw").toString(), "none");

    // Neither a script's own navigation nor a click it fakes leaves the folder
    // or reaches the user's browser.
    js(Chromium2, "document.getElementById('f').click()");
    js(Chromium2, "location = 'https://example.com/'");
    js(Chromium2, "var a = document.createElement('a'); a.href = 'https://example.com/x';"
                  "document.body.appendChild(a); a.click();");
    // Forged messages: not in the table, or with the wrong types.
    js(Chromium2, "new QWebChannel(qt.webChannelTransport, function (c) {"
                  "c.objects.sumberlaras.receive('login', '[1, 2]');"
                  "c.objects.sumberlaras.receive('eval', '[]');"
                  "c.objects.sumberlaras.receive('back', '[\"x\"]'); });");
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(pageOf(Chromium2), "probe.html");
    EXPECT_TRUE(front(Chromium2));
    EXPECT_TRUE(dialogs.texts().empty());
    EXPECT_TRUE(externalOpens.empty());
}

TEST_F(Shell, AClickedLinkForANewWindowOpensInTheUsersBrowser) {
    startAtLogin();
    ASSERT_TRUE(showOwnPage("links.html",
                            "<html><body style='margin:0'>"
                            "<a id='web' target='_blank' href='https://sumberlaras.id/bantuan'"
                            " style='display:block;width:300px;height:60px'>bantuan</a>"
                            "<a id='file' target='_blank' href='file:///etc/hostname'"
                            " style='display:block;width:300px;height:60px'>f</a>"
                            "</body></html>"));
    QWidget* input = main->webView(Chromium2)->focusProxy();
    ASSERT_TRUE(input);
    // Only a click of the user's counts; a script asking for a window gets nothing.
    js(Chromium2, "window.open('https://example.com/')");
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(100, 90)); // the file link
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(100, 30)); // the web link
    EXPECT_TRUE(spinUntil([&] { return !externalOpens.empty(); }));
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(externalOpens, std::vector<std::string>{"https://sumberlaras.id/bantuan"});
    EXPECT_EQ(pageOf(Chromium2), "links.html");
}

} // namespace
