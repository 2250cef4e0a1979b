// The reader's work against a failing service, another member and a killed
// program: returns and their documents reach the stand-in all the same.
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include <QLabel>
#include <spawn.h>
#include <sys/wait.h>

#include "tests/reader/qt/MouseGestures.h"
#include "tests/shell/ReaderFixture.h"

extern char** environ;

using namespace sumberlaras;
using namespace sumberlaras::testing;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

std::string bodyOf(const Json& call) {
    return call["body"].get<std::string>();
}

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ReaderWorkKept : public ReaderFixture {
protected:
    // The order of the return's requests in the stand-in's log.
    std::vector<std::string> returnTraffic() {
        std::vector<std::string> out;
        for (const std::string& p : apiPaths())
            if (p == "/api/wl/bookReturn" || p == "/api/wl/saveAnotasi" || p == "/api/wl/copyText")
                out.push_back(p.substr(std::string("/api/wl/").size()));
        return out;
    }
    // Time passes: the outbox looks at what is due.
    void later(std::chrono::milliseconds by) {
        clock.advance(by);
        static_cast<ManualTicker&>(reader().outboxTicker()).fire();
    }
    // The open book gets a mark and a copied passage.
    void markActiveBook() {
        reader::TReaderSettings& s = reader().readerState.at("TabSheet1");
        s.AnnotationObject["data"].push_back(
            Json{{"page", 1},
                 {"type", "RECTANGLE"},
                 {"color", 255},
                 {"rect", {{"left", 10}, {"top", 20}, {"right", 30}, {"bottom", 5}}}});
        s.TextCopyObject["data"].push_back(Json{{"page", "1"}, {"text", "Pengantar"}});
    }
    bool firstTryFailed() {
        return spinUntil([&] {
            const auto& e = reader().outbox().entries();
            return !e.empty() && e[0].attempts >= 1;
        });
    }
    QLabel* label(const char* name) { return control<QLabel>(name); }

    void signOut() {
        dialogs.answerNext(DialogAnswer::Ok);
        js(bridge::Chromium1, "app.logout()");
        ASSERT_TRUE(waitForPage(bridge::Chromium1, "login.html"));
    }
    void signInAs(const std::string& user) {
        signIn(user);
        ASSERT_TRUE(waitForPage(bridge::Chromium1, "index.html"));
        ASSERT_TRUE(spinUntil([&] { return !main->catalogue().FTaskControl; }));
    }
    // Signs the member in on another device, which ends this program's session.
    void signInElsewhere(const std::string& user = "siti@sumberlaras.id") {
        SawiraLibOptions o = options("FFFF0002");
        o.dataRoot = (root / "other").string();
        TSawiraLib second(dialogs, o);
        ASSERT_EQ(second.LoginRequest(user, "baca1234")["code"], "200");
    }
};

// A return the service does not answer, in each way it can fail, goes later,
// followed by the documents.
class ReturnFailure : public ReaderWorkKept, public ::testing::WithParamInterface<const char*> {};

TEST_P(ReturnFailure, TheReturnAndItsDocumentsGoLaterInOrder) {
    const std::string mode = GetParam();
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    markActiveBook();
    standin.failNext("/api/wl/bookReturn", mode, 1, mode == "stall" ? 1500 : 0);
    standin.clearLog();
    returnActiveBook();
    ASSERT_TRUE(firstTryFailed());
    EXPECT_EQ(label("lblPending")->text(), QStringLiteral("1 menunggu jaringan"));
    EXPECT_EQ(returnTraffic(), std::vector<std::string>{"bookReturn"});

    later(5s);
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_EQ(returnTraffic(),
              (std::vector<std::string>{"bookReturn", "bookReturn", "saveAnotasi", "copyText"}));
    EXPECT_NE(bodyOf(calls("/api/wl/saveAnotasi")[0]).find("RECTANGLE"), std::string::npos);
    EXPECT_NE(bodyOf(calls("/api/wl/copyText")[0]).find("Pengantar"), std::string::npos);
    ASSERT_TRUE(spinUntil([&] { return reader().outbox().empty(); }));
    EXPECT_FALSE(label("lblPending")->isVisible());
    // A stalled answer came after the service had taken the return: the
    // second try hears that it is back already, and the reader is told so.
    if (mode == "stall")
        EXPECT_EQ(label("lblNotice")->text(),
                  QStringLiteral("Pengembalian buku ditolak layanan: Buku ini sudah dikembalikan"));
    else
        EXPECT_FALSE(label("lblNotice")->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Modes, ReturnFailure,
                         ::testing::Values("drop", "http500", "empty", "stall"));

TEST_F(ReaderWorkKept, AReturnWhileTheServiceIsDownGoesOnceItIsBack) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    markActiveBook();
    standin.stop();
    returnActiveBook();
    ASSERT_TRUE(firstTryFailed());
    EXPECT_TRUE(label("lblPending")->isVisible());
    EXPECT_EQ(label("lblPending")->text(), QStringLiteral("1 menunggu jaringan"));

    Standin again(standin.stateDir(), false, standin.port());
    later(5s);
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_EQ(returnTraffic(),
              (std::vector<std::string>{"bookReturn", "saveAnotasi", "copyText"}));
    ASSERT_TRUE(spinUntil([&] { return reader().outbox().empty(); }));
    EXPECT_FALSE(label("lblPending")->isVisible());
}

TEST_F(ReaderWorkKept, AnnotationsFailingTwiceAreTriedAgainAndReachTheNextLoan) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    markActiveBook();
    const Json marked = reader().readerState.at("TabSheet1").AnnotationObject;
    standin.failNext("/api/wl/saveAnotasi", "http500", 2);
    standin.clearLog();
    returnActiveBook();
    ASSERT_TRUE(waitForCalls("/api/wl/saveAnotasi", 1));
    ASSERT_TRUE(spinUntil([&] {
        const auto& e = reader().outbox().entries();
        return !e.empty() && e[0].attempts == 1;
    }));
    later(5s);
    ASSERT_TRUE(waitForCalls("/api/wl/saveAnotasi", 2));
    ASSERT_TRUE(spinUntil([&] { return reader().outbox().entries().at(0).attempts == 2; }));
    later(29s); // the second pause is 30 s
    EXPECT_EQ(calls("/api/wl/saveAnotasi").size(), 2u);
    later(1s);
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_EQ(returnTraffic(), (std::vector<std::string>{"bookReturn", "saveAnotasi", "saveAnotasi",
                                                         "saveAnotasi", "copyText"}));
    later(10min);
    EXPECT_EQ(calls("/api/wl/copyText").size(), 1u);

    ASSERT_TRUE(openFromDetail(kLongBook));
    EXPECT_EQ(reader().readerState.at("TabSheet1").AnnotationObject, marked);
}

TEST_F(ReaderWorkKept, AuthFailedWaitsForTheSameMemberNotAnother) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    markActiveBook();
    signInElsewhere();
    standin.clearLog();
    returnActiveBook();
    ASSERT_TRUE(spinUntil([&] {
        const auto& e = reader().outbox().entries();
        return !e.empty() && e[0].waitsForSignIn;
    }));
    later(10min);
    EXPECT_EQ(returnTraffic(), std::vector<std::string>{"bookReturn"});

    signOut();
    signInAs("budi@sumberlaras.id");
    later(10min);
    EXPECT_EQ(returnTraffic(), std::vector<std::string>{"bookReturn"})
        << "never with another member's session";
    EXPECT_FALSE(label("lblPending")->isVisible()) << "budi has nothing waiting";

    signOut();
    signInAs("siti@sumberlaras.id");
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_EQ(returnTraffic(),
              (std::vector<std::string>{"bookReturn", "bookReturn", "saveAnotasi", "copyText"}));
    for (const Json& call : calls("/api/wl/bookReturn")) {
        for (const auto& header : call["headers"]) {
            if (header[0] == "USERID") {
                EXPECT_EQ(header[1], "1") << "siti's session only";
            }
        }
    }
}

TEST_F(ReaderWorkKept, AFinalRefusalIsToldAndTheDocumentsStillArrive) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    markActiveBook();
    standin.rewrite("/api/wl/bookReturn", Json{{"code", "400"}, {"msg", "Masa pinjam berakhir"}});
    standin.clearLog();
    returnActiveBook();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_EQ(returnTraffic(), (std::vector<std::string>{"bookReturn", "saveAnotasi", "copyText"}));
    EXPECT_EQ(label("lblNotice")->text(),
              QStringLiteral("Pengembalian buku ditolak layanan: Masa pinjam berakhir"));
    EXPECT_TRUE(label("lblNotice")->isVisible());
    later(10min);
    EXPECT_EQ(calls("/api/wl/bookReturn").size(), 1u) << "a refusal is final";
}

TEST_F(ReaderWorkKept, ClosingKeepsWhatWaitsAndTheNextRunSendsIt) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    markActiveBook();
    standin.failNext("/api/wl/bookReturn", "drop");
    returnActiveBook();
    ASSERT_TRUE(firstTryFailed());
    dialogs.clear();
    EXPECT_TRUE(main->close());
    EXPECT_EQ(dialogs.texts(),
              std::vector<std::string>{"1 pengembalian buku belum terkirim. Semuanya disimpan dan "
                                       "akan dikirim saat Anda masuk lagi."});
    const fs::path folder = journalFolder();
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::mask, fs::perms::owner_all);
    EXPECT_EQ(fs::status(folder / "journal.json").permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write);

    main.reset();
    delete splash.data();
    standin.clearLog();
    signedIn();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_EQ(returnTraffic(), (std::vector<std::string>{"bookReturn", "saveAnotasi", "copyText"}));
    EXPECT_NE(bodyOf(calls("/api/wl/saveAnotasi")[0]).find("RECTANGLE"), std::string::npos);
}

// The program killed while a book is open, then started again.
class ReaderCrash : public ReaderWorkKept {
protected:
    // Where the killed program and this test meet.
    fs::path meeting() const {
        const char* dir = std::getenv("SUMBERLARAS_CRASH_MEETING");
        return dir ? fs::path(dir) : root / "meeting";
    }
};

// Runs only as the program the next test kills.
TEST_F(ReaderCrash, DISABLED_ReadsUntilKilled) {
    journalDir = (meeting() / "pending").string();
    // The event loop's timers, as in the program: the journal is written
    // when its batch ends, with nobody to fire it.
    readerTicker = nullptr;
    readerClock = nullptr;
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    view(0)->setPageIndex(17);
    control<QToolButton>("btnAnnotRect")->click();
    const TRect r = view(0)->GetPageRect();
    MouseGestures(view(0)).drag({r.Left + r.Width() / 4, r.Top + r.Height() / 4},
                                {r.Left + r.Width() / 2, r.Top + r.Height() / 2});
    ASSERT_EQ(reader().readerState.at("TabSheet1").AnnotationObject["data"].size(), 1u);
    std::ofstream(meeting() / "annotated") << "1";
    spinUntil([] { return false; }, 120s); // until the kill
}

TEST_F(ReaderCrash, AKilledProgramsBookGoesBackOnItsPageWithItsMarks) {
    fs::create_directories(meeting());
    const std::string running = "SUMBERLARAS_STANDIN_RUNNING=" + standin.runningText();
    const std::string meetingVar = "SUMBERLARAS_CRASH_MEETING=" + meeting().string();
    std::vector<std::string> env{running, meetingVar};
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string self = fs::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=ReaderCrash.DISABLED_ReadsUntilKilled";
    std::string disabled = "--gtest_also_run_disabled_tests";
    char* argv[] = {self.data(), filter.data(), disabled.data(), nullptr};
    pid_t child = -1;
    ASSERT_EQ(posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, envp.data()), 0);
    const bool annotated = spinUntil([&] { return fs::exists(meeting() / "annotated"); }, 120s);
    if (annotated)
        std::this_thread::sleep_for(3s); // reading on, as a person does
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(annotated) << "the killed program never got to its mark";
    ASSERT_TRUE(WIFSIGNALED(status));

    const fs::path journal = meeting() / "pending" / "journal.json";
    ASSERT_TRUE(fs::exists(journal));
    EXPECT_EQ(fs::status(journal.parent_path()).permissions() & fs::perms::mask,
              fs::perms::owner_all);
    EXPECT_EQ(fs::status(journal).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write);
    const std::string kept = readAll(journal);
    EXPECT_NE(kept.find("RECTANGLE"), std::string::npos);
    // Not one run of the book's bytes: the book as the stand-in served it.
    std::string book;
    for (const Json& call : standin.log()) {
        const std::string path = call.value("path", "");
        if (!path.starts_with("/pc/swr/"))
            continue;
        for (const auto& f : fs::recursive_directory_iterator(standin.stateDir()))
            if (f.path().filename() == path.substr(8))
                book = readAll(f.path());
    }
    ASSERT_GT(book.size(), 1000u);
    EXPECT_EQ(kept.find("%PDF"), std::string::npos);
    // The book's own metadata names its title, which the journal holds as
    // the service gave it.
    const std::string title = Json::parse(kept)["books"].at(0).value("title", "");
    ASSERT_FALSE(title.empty());
    for (std::size_t at = 0; at + 24 <= book.size(); at += 11) {
        const std::string run = book.substr(at, 24);
        if (title.find(run) == std::string::npos) {
            ASSERT_EQ(kept.find(run), std::string::npos) << "book bytes at " << at << ": " << run;
        }
    }

    journalDir = (meeting() / "pending").string();
    standin.clearLog();
    signedIn();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_EQ(returnTraffic(), (std::vector<std::string>{"bookReturn", "saveAnotasi", "copyText"}));
    EXPECT_NE(bodyOf(calls("/api/wl/bookReturn")[0]).find("page_index=17"), std::string::npos);
    EXPECT_NE(bodyOf(calls("/api/wl/saveAnotasi")[0]).find("\"RECTANGLE\""), std::string::npos);
    ASSERT_FALSE(dialogs.texts().empty());
    EXPECT_NE(dialogs.texts().back().find("\n- "), std::string::npos) << dialogs.texts().back();
}

} // namespace
