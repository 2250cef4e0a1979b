#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "bridge/Catalogue.h"
#include "tests/bridge/CatalogueFakes.h"
#include "tests/support/ManualTaskRunner.h"
#include "tests/support/ScriptedDialogs.h"

using namespace sumberlaras;
using namespace sumberlaras::bridge;
using namespace sumberlaras::testing;

namespace {

Json ok(Json extra = Json::object()) {
    Json j{{"code", "200"}, {"data", Json::object()}};
    for (auto& [k, v] : extra.items())
        j[k] = v;
    return j;
}
Json failure(const std::string& msg) {
    return Json{{"code", "500"}, {"msg", msg}};
}

BridgeMessage msg(std::string name, std::vector<MessageValue> args = {}) {
    return {std::move(name), std::move(args)};
}

class CatalogueTest : public ::testing::Test {
protected:
    FakeFace face;
    RecordingPages pages;
    FakeService service;
    ScriptedDialogs dialogs;
    ManualTaskRunner tasks;
    FakeDownloader downloader;
    Catalogue catalogue{{face, pages, service, dialogs, tasks, downloader}};

    void send(const BridgeMessage& m, ViewId from = Chromium1) {
        catalogue.receive(m, from);
        settle();
    }
    // A worker marks itself done a moment before its completion is queued,
    // so one finishAll() can return early; a few short rounds close the gap.
    void settle() {
        for (int round = 0; round < 5; ++round) {
            tasks.finishAll();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        tasks.finishAll();
    }
    void signIn() {
        send(msg("login", {std::string("siti"), std::string("baca1234")}));
        dialogs.clear();
        pages.rendered.clear();
    }
};

TEST_F(CatalogueTest, LoginWithAnEmptyFieldShowsTheErrorAndStartsNothing) {
    for (auto [user, pass] : {std::pair{"", "x"}, std::pair{"x", ""}, std::pair{"", ""}}) {
        dialogs.clear();
        catalogue.receive(msg("login", {std::string(user), std::string(pass)}), Chromium1);
        EXPECT_EQ(dialogs.texts(),
                  std::vector<std::string>{"Nama Pengguna Dan Kata Sandi Wajib Diisi"});
        EXPECT_EQ(dialogs.shown()[0].kind, DialogKind::Error);
    }
    EXPECT_EQ(tasks.started(), 0);
    EXPECT_TRUE(face.rec(Chromium1).calls.empty());
}

TEST_F(CatalogueTest, SignInRunsTheChainAndShowsTheHeader) {
    service.respond = [](const std::string& call) {
        if (call.starts_with("login"))
            return ok({{"data", {{"nama", "Siti"}, {"token", "T"}}}});
        if (call == "home:1")
            return ok({{"count", 3}, {"total", 3}});
        return ok();
    };
    send(msg("login", {std::string("siti"), std::string("pw")}));
    EXPECT_EQ(service.calls(),
              (std::vector<std::string>{"login:siti", "banner", "category", "home:1"}));
    EXPECT_TRUE(face.header);
    EXPECT_EQ(service.identity["token"], "T");
    EXPECT_EQ(pages.rendered, std::vector<std::string>{"home:1"});
    EXPECT_EQ(face.lastScript(Chromium1), "$(\"#btnMore\").hide();");
    EXPECT_FALSE(catalogue.FTaskControl);
}

// A refusal at any step of the chain: warning with "msg", the login page again.
class SignInStepRefused : public CatalogueTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(SignInStepRefused, ShowsMsgAndTheLoginPage) {
    const std::string refused = GetParam();
    service.respond = [refused](const std::string& call) {
        return call.starts_with(refused) ? failure("ditolak " + refused) : ok();
    };
    send(msg("login", {std::string("siti"), std::string("pw")}));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, DialogKind::Warning);
    EXPECT_EQ(dialogs.shown()[0].text, "ditolak " + refused);
    EXPECT_EQ(face.lastLoad(Chromium1), "file:///data/login.html");
    // The header comes only with an accepted login.
    EXPECT_EQ(face.header, refused != "login");
    EXPECT_TRUE(pages.rendered.empty());
}

INSTANTIATE_TEST_SUITE_P(Steps, SignInStepRefused,
                         ::testing::Values("login", "banner", "category"));

TEST_F(CatalogueTest, HomePagingShowsTheButtonUntilEverythingArrived) {
    service.respond = [](const std::string& call) {
        if (call == "home:1" || call == "home:2")
            return ok({{"count", 25}, {"total", 10}});
        if (call == "home:3")
            return ok({{"count", 25}, {"total", 5}});
        return ok();
    };
    signIn();
    EXPECT_EQ(face.lastScript(Chromium1), "$(\"#btnMore\").show();");
    send(msg("loadMore"));
    EXPECT_EQ(face.lastScript(Chromium1), "$(\"#btnMore\").show();");
    send(msg("loadMore"));
    EXPECT_EQ(face.lastScript(Chromium1), "$(\"#btnMore\").hide();");
    EXPECT_EQ(pages.rendered, (std::vector<std::string>{"home:2", "home:3"}));
    send(msg("loadMore"));
    EXPECT_EQ(catalogue.PageHome, 3);
    EXPECT_EQ(service.calls().back(), "home:3");

    // Signing in again starts the listing over.
    signIn();
    EXPECT_EQ(catalogue.PageHome, 1);
    EXPECT_EQ(catalogue.TotalHomeContent, 10);
    EXPECT_EQ(face.lastScript(Chromium1), "$(\"#btnMore\").show();");
}

TEST_F(CatalogueTest, AFailedHomePageSaysSoAndCanBeAskedAgain) {
    bool fail = false;
    service.respond = [&fail](const std::string& call) {
        if (call == "home:2" && fail)
            return failure("#5 rusak");
        if (call.starts_with("home"))
            return ok({{"count", 25}, {"total", 10}});
        return ok();
    };
    signIn();
    fail = true;
    send(msg("loadMore"));
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"#5 rusak"});
    EXPECT_EQ(catalogue.PageHome, 1);
    EXPECT_EQ(face.lastScript(Chromium1), "$(\"#btnMore\").show();");
    fail = false;
    send(msg("loadMore"));
    EXPECT_EQ(service.calls().back(), "home:2");
}

// Each content message: the view it uses, the request, the page written.
struct ContentCase {
    BridgeMessage message;
    ViewId view;
    std::string call;
    std::string page;
    std::string authText;
};

class ContentMessages : public CatalogueTest, public ::testing::WithParamInterface<ContentCase> {};

const char* kPada = "Authentication Error : Akun Anda Digunakan Pada Perangkat Lain";
const char* kDi = "Authentication Error : Akun Anda Digunakan Di Perangkat Lain";

TEST_P(ContentMessages, RenderOnSuccess) {
    const auto& c = GetParam();
    signIn();
    const size_t before = service.calls().size();
    send(c.message);
    EXPECT_EQ(face.front, c.view);
    ASSERT_EQ(service.calls().size(), before + 1);
    EXPECT_EQ(service.calls().back(), c.call);
    EXPECT_EQ(pages.rendered, std::vector<std::string>{c.page});
    EXPECT_TRUE(dialogs.texts().empty());
}

TEST_P(ContentMessages, AuthFailureUsesTheHandlersWordingAndReturnsToLogin) {
    const auto& c = GetParam();
    signIn();
    service.respond = [](const std::string&) { return failure("Auth Failed"); };
    send(c.message);
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{c.authText});
    EXPECT_EQ(face.front, Chromium1);
    EXPECT_EQ(face.lastLoad(Chromium1), "file:///data/login.html");
    EXPECT_TRUE(pages.rendered.empty());
}

INSTANTIATE_TEST_SUITE_P(
    All, ContentMessages,
    ::testing::Values(
        ContentCase{msg("homeDetail", {std::string("7"), std::string("Baru")}), Chromium2,
                    "homeDetail:7", "homeDetail:Baru", kPada},
        ContentCase{msg("kategoriKonten", {std::string("D"), std::string("C"), std::string("1"),
                                           std::string("Fiksi")}),
                    Chromium5, "categoryContent:D:C", "categoryContent:Fiksi", kPada},
        ContentCase{msg("subKategoriKonten", {std::string("D"), std::string("S"), std::string("1"),
                                              std::string("Novel")}),
                    Chromium5, "subCategoryContent:D:S", "subCategoryContent:Novel", kPada},
        ContentCase{msg("topChart"), Chromium6, "chart:topRead:1", "topChart:1", kPada},
        ContentCase{msg("lastRead"), Chromium6, "chart:lastRead:1", "lastRead:1", kPada},
        ContentCase{msg("lastView"), Chromium6, "chart:lastView:1", "lastView:1", kPada},
        ContentCase{msg("detail", {std::string("9")}), Chromium3, "detail:9", "detail:home", kDi},
        ContentCase{msg("detailFromSection", {std::string("9")}), Chromium3, "detail:9",
                    "detail:homeSection", kDi},
        ContentCase{msg("detailFromCategory", {std::string("9")}), Chromium3, "detail:9",
                    "detail:category", kDi},
        ContentCase{msg("detailFromChart", {std::string("9")}), Chromium3, "detail:9",
                    "detail:chart", kDi},
        ContentCase{msg("detailFromSearch", {std::string("9")}), Chromium3, "detail:9",
                    "detail:search", kDi},
        ContentCase{msg("searching", {std::string("Ani"), std::string("Penulis"), int32_t{1}}),
                    Chromium7, "search:Penulis:Ani:1", "search:Penulis:Ani:1", kDi},
        ContentCase{msg("searching", {std::string("hujan"), std::string("Kalimat"), int32_t{2}}),
                    Chromium7, "kalimat:hujan:2", "kalimat:hujan:2", kDi}));

TEST_F(CatalogueTest, BackMessagesOnlySwitchViews) {
    const std::pair<const char*, ViewId> cases[] = {
        {"back", Chromium1},         {"backToSection", Chromium2}, {"backToCategory", Chromium5},
        {"backKategori", Chromium4}, {"backToChart", Chromium6},   {"backToSearch", Chromium7}};
    for (auto [name, view] : cases) {
        send(msg(name));
        EXPECT_EQ(face.front, view) << name;
    }
    EXPECT_EQ(tasks.started(), 0);
    for (auto& v : face.views)
        EXPECT_TRUE(v.calls.empty());
}

TEST_F(CatalogueTest, CategoryMenuAndDepartmentNeedNoRequest) {
    send(msg("loadKategori"));
    send(msg("changeDept", {std::string("4"), std::string("Sains")}));
    EXPECT_EQ(pages.rendered, (std::vector<std::string>{"category", "dept:4"}));
    EXPECT_EQ(face.front, Chromium4);
    EXPECT_EQ(tasks.started(), 0);
    EXPECT_FALSE(catalogue.FTaskControl);
}

struct SearchRefusal {
    std::string keyword, field, text;
    DialogKind kind;
};
class SearchRefused : public CatalogueTest, public ::testing::WithParamInterface<SearchRefusal> {};

TEST_P(SearchRefused, StartsNothing) {
    const auto& c = GetParam();
    send(msg("searching", {c.keyword, c.field, int32_t{1}}));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, c.text);
    EXPECT_EQ(dialogs.shown()[0].kind, c.kind);
    EXPECT_EQ(tasks.started(), 0);
    EXPECT_FALSE(catalogue.isSearchRunning);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, SearchRefused,
    ::testing::Values(
        SearchRefusal{"", "Penulis", "Kata Kunci Pencarian Wajib Diisi", DialogKind::Warning},
        SearchRefusal{"", "Kalimat", "Kata Kunci Pencarian Wajib Diisi", DialogKind::Warning},
        SearchRefusal{"ab", "Kalimat", "Minimal masukkan 3-huruf", DialogKind::Warning},
        SearchRefusal{"é", "Kalimat", "Minimal masukkan 3-huruf", DialogKind::Warning}));

TEST_F(CatalogueTest, ASecondSearchWhileOneRunsIsRefusedAtOnce) {
    catalogue.receive(msg("searching", {std::string("a"), std::string("ISBN"), int32_t{1}}),
                      Chromium1);
    // The lock holds before the first worker has even been looked at.
    EXPECT_TRUE(catalogue.isSearchRunning);
    catalogue.receive(msg("searching", {std::string("b"), std::string("ISBN"), int32_t{1}}),
                      Chromium1);
    EXPECT_EQ(dialogs.texts(),
              std::vector<std::string>{"Harap Tunggu..Sedang Memproses Pencarian Sebelumnya"});
    settle();
    EXPECT_FALSE(catalogue.isSearchRunning);
    EXPECT_EQ(tasks.started(), 1);
    send(msg("searching", {std::string("tiga"), std::string("Kalimat"), int32_t{1}}));
    EXPECT_EQ(catalogue.KalimatPencarian, "tiga");
}

TEST_F(CatalogueTest, AnOlderAnswerOfTheSameKindNeverReplacesTheNewer) {
    // The answer is set first: the workers start at once on their own threads.
    service.respond = [](const std::string& call) { return ok({{"id", call}}); };
    // Both detail requests run before either completion is delivered.
    catalogue.receive(msg("detailFromChart", {std::string("1")}), Chromium6);
    catalogue.receive(msg("detailFromSearch", {std::string("2")}), Chromium7);
    settle();
    EXPECT_EQ(pages.rendered, std::vector<std::string>{"detail:search"});
    EXPECT_EQ((*service.slot(Slot::DetailContent).get())["id"], "detail:2");
}

TEST_F(CatalogueTest, ADetailClickNeverWaitsForTheRequestItReplaces) {
    // The next home page hangs at the service until the test lets it go.
    std::mutex mutex;
    std::condition_variable released;
    bool letGo = false;
    service.respond = [&](const std::string& call) {
        if (call == "home:2") {
            std::unique_lock lock(mutex);
            released.wait(lock, [&] { return letGo; });
        }
        return ok({{"count", 25}, {"total", 10}, {"id", call}});
    };
    signIn();
    catalogue.receive(msg("loadMore"), Chromium1);
    ASSERT_TRUE(catalogue.FTaskControl);

    const int waitsBefore = tasks.waitsOnRunningWorkers();
    catalogue.receive(msg("detail", {std::string("7")}), Chromium1);
    EXPECT_EQ(tasks.waitsOnRunningWorkers(), waitsBefore);
    EXPECT_EQ(face.lastLoad(Chromium3), "file:///data/loading.html");
    {
        std::lock_guard lock(mutex);
        letGo = true;
    }
    released.notify_all();
    settle();
    // The detail is shown and stays in front; the home page quietly gets the
    // sections the user asked for.
    std::vector<std::string> rendered = pages.rendered;
    std::sort(rendered.begin(), rendered.end());
    EXPECT_EQ(rendered, (std::vector<std::string>{"detail:home", "home:2"}));
    EXPECT_EQ(catalogue.frontView(), Chromium3);
}

TEST_F(CatalogueTest, CompletionsAfterClosingDoNothingButFreeTheSearchLock) {
    catalogue.receive(msg("searching", {std::string("a"), std::string("ISBN"), int32_t{1}}),
                      Chromium1);
    catalogue.receive(msg("topChart"), Chromium1);
    catalogue.beginClosing();
    settle();
    EXPECT_TRUE(pages.rendered.empty());
    EXPECT_TRUE(dialogs.texts().empty());
}

TEST_F(CatalogueTest, FailedDetailGoesBackToTheViewTheUserCameFrom) {
    send(msg("topChart"));
    service.respond = [](const std::string&) { return failure("#9 tidak ada"); };
    send(msg("detailFromChart", {std::string("5")}), Chromium6);
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"#9 tidak ada"});
    EXPECT_EQ(face.front, Chromium6);
}

TEST_F(CatalogueTest, ReadingLimitRefusesEveryReadMessage) {
    catalogue.readCount = 3;
    for (const char* name : {"baca", "bacaSection", "bacaKalimat"}) {
        dialogs.clear();
        send(msg(name, name == std::string("bacaKalimat")
                           ? std::vector<MessageValue>{std::string("1"), std::string("17")}
                           : std::vector<MessageValue>{std::string("1")}));
        EXPECT_EQ(dialogs.texts(),
                  std::vector<std::string>{"Anda melebihi batas baca sebanyak 3 Buku"});
    }
    EXPECT_EQ(tasks.started(), 0);
    EXPECT_TRUE(downloader.urls.empty());
}

struct DownloadEnd {
    const char* name;
    std::function<void(BookDownloader::Handlers&)> finish;
    std::string dialog; // empty: success
};

class BookDownload : public CatalogueTest, public ::testing::WithParamInterface<DownloadEnd> {};

TEST_P(BookDownload, EndsWithTheDetailPageOrTheDocumentInMemory) {
    service.slot(Slot::DetailContent).store(ok({{"data", {{"nama_pc_file", "buku 1.pdf"}}}}));
    send(msg("baca", {std::string("1")}), Chromium3);
    ASSERT_EQ(downloader.urls, std::vector<std::string>{"https://svc/pc/swr/buku%201.pdf"});
    EXPECT_EQ(face.lastLoad(Chromium3), "file:///data/loading.html");
    downloader.pending.progress(50, 100);
    EXPECT_NE(face.lastScript(Chromium3).find("50%"), std::string::npos);
    GetParam().finish(downloader.pending);
    if (GetParam().dialog.empty()) {
        EXPECT_TRUE(dialogs.texts().empty());
        ASSERT_TRUE(catalogue.TempStream);
        EXPECT_EQ(*catalogue.TempStream, "%PDF");
    } else {
        EXPECT_EQ(dialogs.texts(), std::vector<std::string>{GetParam().dialog});
        EXPECT_FALSE(catalogue.TempStream);
    }
    EXPECT_EQ(face.lastLoad(Chromium3), "file:///data/detail.html");
}

INSTANTIATE_TEST_SUITE_P(
    Ends, BookDownload,
    ::testing::Values(
        DownloadEnd{"ok",
                    [](auto& h) { h.completed(200, std::make_shared<const std::string>("%PDF")); },
                    ""},
        DownloadEnd{"notFound",
                    [](auto& h) { h.completed(404, std::make_shared<const std::string>("x")); },
                    "Jaringan Error dengan Status : 404"},
        DownloadEnd{"emptyBody",
                    [](auto& h) { h.completed(200, std::make_shared<const std::string>()); },
                    "Jaringan Error dengan Status : 200"},
        DownloadEnd{"dropped", [](auto& h) { h.failed("Connection closed"); },
                    "Request Error #671: Connection closed"}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(CatalogueTest, ReadsFromAChartOrASentenceHitFetchTheDetailThenTheBook) {
    service.respond = [](const std::string&) {
        return ok({{"data", {{"nama_pc_file", "a.pdf"}}}});
    };
    send(msg("bacaSection", {std::string("3")}), Chromium6);
    EXPECT_TRUE(catalogue.ReadFromChart);
    EXPECT_EQ(face.front, Chromium3);
    EXPECT_EQ(downloader.urls.size(), 1u);
    // One book opens at a time: a second read waits for the first to end.
    send(msg("bacaKalimat", {std::string("3"), std::string("17")}), Chromium7);
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Harap Tunggu..Sedang Membuka Buku"});
    EXPECT_EQ(downloader.urls.size(), 1u);
    downloader.pending.failed("Connection closed");
    EXPECT_FALSE(catalogue.ReadFromChart);
    dialogs.clear();
    send(msg("bacaKalimat", {std::string("3"), std::string("17")}), Chromium7);
    EXPECT_EQ(catalogue.PageToJump, 17);
    EXPECT_TRUE(catalogue.ReadFromSearch);
    EXPECT_EQ(downloader.urls.size(), 2u);
    EXPECT_TRUE(pages.rendered.empty()); // no detail page for these reads
}

TEST_F(CatalogueTest, PathTricksInTheFileNameStayUnderTheBookFolder) {
    service.slot(Slot::DetailContent).store(ok({{"data", {{"nama_pc_file", "../../api/x?y"}}}}));
    send(msg("baca", {std::string("1")}));
    EXPECT_EQ(downloader.urls,
              std::vector<std::string>{"https://svc/pc/swr/%2E%2E/%2E%2E/api/x%3Fy"});
}

TEST_F(CatalogueTest, BannersOpenOnlyWebAddresses) {
    for (const char* url : {"https://sawira.id/promo", "http://a.b/", "file:///etc/passwd",
                            "javascript:alert(1)", "", "https://"})
        send(msg("openBanner", {std::string(url)}));
    EXPECT_EQ(face.opened, (std::vector<std::string>{"https://sawira.id/promo", "http://a.b/"}));
}

TEST_F(CatalogueTest, LogoutAsksFirstAndHidesTheHeader) {
    signIn();
    face.header = true;
    dialogs.answerNext(DialogAnswer::Cancel);
    send(msg("logout"));
    EXPECT_TRUE(face.header);
    send(msg("logout"));
    EXPECT_FALSE(face.header);
    EXPECT_EQ(face.lastLoad(Chromium1), "file:///data/login.html");
    EXPECT_EQ(service.calls().back(), "logout");
}

TEST_F(CatalogueTest, WindowsAndUnknownMessages) {
    send(msg("register"));
    send(msg("forgotPass", {std::string("forgotPass")}));
    send(msg("forgotPassRequest", {std::string("a@b")}));
    send(msg("account"));
    EXPECT_EQ(face.shownWindows, (std::vector<std::string>{"register", "forgotPass"}));
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Under Construction"});
    EXPECT_EQ(tasks.started(), 0);
}

} // namespace
