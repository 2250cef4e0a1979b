// Returning books, by the user and by the idle rule, against the stand-in.
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>

#include "tests/shell/ReaderFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
using bridge::ViewId;

namespace {

using ReaderReturn = ReaderFixture;

std::string bodyOf(const Json& call) {
    return call["body"].get<std::string>();
}

// The order of the requests among `wanted` in the stand-in's log.
std::vector<std::string> only(const std::vector<std::string>& paths,
                              std::initializer_list<const char*> wanted) {
    std::vector<std::string> out;
    for (const auto& p : paths)
        for (const char* w : wanted)
            if (p == w)
                out.push_back(p);
    return out;
}

TEST_F(ReaderReturn, AReturnSendsThePageThenTheDocumentsAndTheNextLoanResumesThere) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    const std::string total = std::to_string(reader().readDict.at(kLongBook).halaman_total);
    view(0)->setPageIndex(41);
    EXPECT_EQ(control<QLineEdit>("edPage")->text().toStdString(), "42/" + total);
    standin.clearLog();
    returnActiveBook();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_EQ(only(apiPaths(), {"/api/wl/bookReturn", "/api/wl/saveAnotasi", "/api/wl/copyText"}),
              (std::vector<std::string>{"/api/wl/bookReturn", "/api/wl/saveAnotasi",
                                        "/api/wl/copyText"}));
    EXPECT_NE(bodyOf(calls("/api/wl/bookReturn")[0]).find("page_index=41"), std::string::npos);
    EXPECT_EQ(bodyOf(calls("/api/wl/copyText")[0]),
              "{\n\t\"id_konten\": \"121\",\n\t\"data\": []\n}");
    EXPECT_FALSE(reader().hasOpenBooks());
    EXPECT_EQ(catalogue().readCount, 0);
    EXPECT_FALSE(reader().PageControl1()->isTabVisible(0));
    EXPECT_TRUE(reader().readDict.empty());
    EXPECT_TRUE(reader().readerState.empty());
    EXPECT_TRUE(readerInFront()) << "a return does not switch faces";

    dialogs.clear();
    ASSERT_TRUE(openFromDetail(kLongBook));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, "Lanjut ke halaman terakhir yang anda baca?");
    EXPECT_EQ(dialogs.shown()[0].buttons, DialogButtons::YesNo);
    EXPECT_EQ(view(0)->PageIndex(), 41);
    EXPECT_EQ(control<QLineEdit>("edPage")->text().toStdString(), "42/" + total);
}

TEST_F(ReaderReturn, NoToTheReturnQuestionKeepsTheBook) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    standin.clearLog();
    returnActiveBook(DialogAnswer::No);
    EXPECT_TRUE(view(0));
    EXPECT_TRUE(idleTimer(0).active());
    EXPECT_EQ(catalogue().readCount, 1);
    EXPECT_TRUE(calls("/api/wl/bookReturn").empty());
}

TEST_F(ReaderReturn, TheAnnotationDocumentComesBackOnTheNextLoan) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    Json item = {{"page", 2},
                 {"type", "RECTANGLE"},
                 {"color", 255},
                 {"rect", {{"left", 10}, {"top", 20}, {"right", 30}, {"bottom", 5}}}};
    reader().readerState.at("TabSheet1").AnnotationObject["data"].push_back(item);
    const Json sent = reader().readerState.at("TabSheet1").AnnotationObject;
    standin.clearLog();
    returnActiveBook();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    const std::string anotasi = bodyOf(calls("/api/wl/saveAnotasi")[0]);
    EXPECT_NE(anotasi.find("\n\t\"data\": [\n\t\t{\n\t\t\t\"page\": 2"), std::string::npos)
        << anotasi;
    EXPECT_EQ(anotasi.find('\r'), std::string::npos);

    ASSERT_TRUE(openFromDetail(kLongBook));
    EXPECT_EQ(calls("/api/wl/fileAnotasi/121").size(), 1u);
    EXPECT_EQ(reader().readerState.at("TabSheet1").AnnotationObject, sent);
    EXPECT_FALSE(reader().readerState.at("TabSheet1").KeepStoredAnnotation);
    EXPECT_FALSE(std::filesystem::exists(splash->SawiraLib()->FPath + "/tempAnnot.json"));
}

// A stored copy that cannot be read: the book opens all the same, and its
// return leaves the service's copy alone.
class BrokenStoredCopy : public ReaderFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(BrokenStoredCopy, TheBookOpensEmptyAndTheStoredCopyIsKept) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    reader()
        .readerState.at("TabSheet1")
        .AnnotationObject["data"]
        .push_back(Json{{"page", 1}, {"type", "HIGHLIGHT"}});
    returnActiveBook();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));

    standin.failNext("/api/wl/fileAnotasi/121", GetParam());
    standin.clearLog();
    dialogs.clear();
    ASSERT_TRUE(openFromDetail(kLongBook));
    std::vector<std::string> texts = dialogs.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "Error Exception #1287 : Anotasi tersimpan tidak dapat dibaca"),
              texts.end());
    const reader::TReaderSettings& s = reader().readerState.at("TabSheet1");
    EXPECT_EQ(s.AnnotationObject.dump(), "{\"id_konten\":\"121\",\"data\":[]}");
    EXPECT_TRUE(s.KeepStoredAnnotation);
    EXPECT_FALSE(std::filesystem::exists(splash->SawiraLib()->FPath + "/tempAnnot.json"));

    standin.clearLog();
    returnActiveBook();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_TRUE(calls("/api/wl/saveAnotasi").empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, BrokenStoredCopy,
                         ::testing::Values("broken", "empty", "array", "http500"));

TEST_F(ReaderReturn, ReturningTheSecondTabFreesItForTheNextBook) {
    signedIn();
    for (const char* id : {"121", "102", "103"})
        ASSERT_TRUE(openFromDetail(id));
    reader().PageControl1()->setCurrentIndex(1);
    returnActiveBook();
    EXPECT_FALSE(reader().tab(1).holdsBook());
    EXPECT_FALSE(reader().PageControl1()->isTabVisible(1));
    EXPECT_TRUE(reader().tab(0).holdsBook());
    EXPECT_TRUE(reader().tab(2).holdsBook());
    EXPECT_EQ(catalogue().readCount, 2);
    EXPECT_EQ(reader().readerState.count("TabSheet2"), 0u);
    ASSERT_TRUE(openFromDetail("104"));
    EXPECT_EQ(reader().readDict.at("104").TabSheet, 1);
    EXPECT_EQ(catalogue().readCount, 3);
}

TEST_F(ReaderReturn, EachTabGetsItsOwnToolbarBack) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    ASSERT_TRUE(openFromDetail("102"));
    auto* zoom = control<QComboBox>("cmbZoom");
    auto* autoPage = control<QCheckBox>("CheckAutoPage");
    auto* highlight = control<QToolButton>("btnAnnotHighlight");
    auto* erase = control<QToolButton>("btnAnnotDelete");
    QTabWidget* tabs = reader().PageControl1();

    tabs->setCurrentIndex(0);
    zoom->setCurrentIndex(3);
    emit zoom->activated(3);
    EXPECT_EQ(view(0)->ZoomPercentage(), 200);

    tabs->setCurrentIndex(1);
    EXPECT_EQ(zoom->currentText(), "100%");
    erase->click();
    highlight->click();
    autoPage->click();
    EXPECT_TRUE(erase->isChecked()) << "the highlight tool leaves the delete mode on";
    EXPECT_FALSE(view(1)->AutoPageChange());

    tabs->setCurrentIndex(0);
    EXPECT_EQ(zoom->currentText(), "200%");
    EXPECT_EQ(view(0)->ZoomPercentage(), 200);
    EXPECT_FALSE(highlight->isChecked());
    EXPECT_FALSE(erase->isChecked());
    EXPECT_TRUE(autoPage->isChecked());
    EXPECT_TRUE(view(0)->AutoPageChange());
    EXPECT_FALSE(view(0)->AllowUserTextSelection());

    tabs->setCurrentIndex(1);
    EXPECT_EQ(zoom->currentText(), "100%");
    EXPECT_TRUE(highlight->isChecked());
    EXPECT_TRUE(erase->isChecked());
    EXPECT_NE(erase->styleSheet().indexOf("211, 208, 6"), -1);
    EXPECT_TRUE(view(1)->AllowUserTextSelection()) << "the highlight tool selects text";
    EXPECT_FALSE(autoPage->isChecked());
    EXPECT_FALSE(view(1)->AutoPageChange());
    EXPECT_TRUE(view(0)->AutoPageChange());
}

TEST_F(ReaderReturn, AnIdleBookGoesBackThroughAStatusReportAndTheReadersWorkFollows) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    ASSERT_TRUE(openFromDetail("102"));
    const std::string idBaca = reader().readerState.at("TabSheet1").IdBaca;
    standin.clearLog();
    dialogs.clear();
    for (int i = 0; i < 1799; ++i)
        idleTimer(0).fire();
    // Movement over the other book's page does not count for this one.
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 50), QPointF(50, 50), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view(1), &move);
    EXPECT_EQ(reader().readerState.at("TabSheet1").IdleTime, 1799);
    QCoreApplication::sendEvent(view(0), &move);
    EXPECT_EQ(reader().readerState.at("TabSheet1").IdleTime, 0);
    for (int i = 0; i < 1801; ++i)
        idleTimer(0).fire();
    EXPECT_EQ(reader().readerState.at("TabSheet1").ReadStatus, 0);
    EXPECT_FALSE(idleTimer(0).active());
    for (int i = 0; i < 301; ++i)
        statusTimer(0).fire();
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_EQ(dialogs.texts()[0],
              "Buku otomatis kembali ke rak , karena telah mencapai waktu idle selama 30-menit");
    EXPECT_FALSE(reader().tab(0).holdsBook());
    EXPECT_TRUE(reader().tab(1).holdsBook());
    EXPECT_EQ(catalogue().readCount, 1);
    // The session's annotations and copied passages follow the report.
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_EQ(apiPaths(), (std::vector<std::string>{"/api/wl/updateReadStatus",
                                                    "/api/wl/saveAnotasi", "/api/wl/copyText"}));
    const std::string body = bodyOf(calls("/api/wl/updateReadStatus")[0]);
    EXPECT_NE(body.find("id_baca=" + idBaca), std::string::npos);
    EXPECT_NE(body.find("status=0"), std::string::npos);
}

TEST_F(ReaderReturn, AReturnDuringADroppedConnectionIsSentAtTheNextSignIn) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    reader()
        .readerState.at("TabSheet1")
        .AnnotationObject["data"]
        .push_back(Json{{"page", 1}, {"type", "RECTANGLE"}, {"color", 255}});
    standin.failNext("/api/wl/bookReturn", "drop");
    standin.clearLog();
    returnActiveBook();
    ASSERT_TRUE(spinUntil([&] {
        const auto& e = reader().outbox().entries();
        return !e.empty() && e[0].attempts == 1;
    }));
    EXPECT_EQ(control<QLabel>("lblPending")->text(), QStringLiteral("1 menunggu jaringan"));
    EXPECT_TRUE(calls("/api/wl/saveAnotasi").empty());

    // Signing in again sends what waited, in order.
    dialogs.answerNext(DialogAnswer::Ok);
    js(bridge::Chromium1, "app.logout()");
    ASSERT_TRUE(waitForPage(bridge::Chromium1, "login.html"));
    signInAndWaitForHome();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    const std::vector<std::string> sent =
        only(apiPaths(), {"/api/wl/bookReturn", "/api/wl/saveAnotasi", "/api/wl/copyText"});
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(sent.end() - 3, sent.end()),
              (std::vector<std::string>{"/api/wl/bookReturn", "/api/wl/saveAnotasi",
                                        "/api/wl/copyText"}));
    EXPECT_NE(bodyOf(calls("/api/wl/saveAnotasi")[0]).find("RECTANGLE"), std::string::npos);
    EXPECT_TRUE(reader().outbox().empty());
    EXPECT_FALSE(control<QLabel>("lblPending")->isVisible());
}

TEST_F(ReaderReturn, TheWindowClosesOnlyOnceEveryBookIsBack) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    const std::string folder = splash->SawiraLib()->FPath;
    dialogs.clear();
    EXPECT_FALSE(main->close());
    ASSERT_EQ(dialogs.texts().size(), 1u);
    EXPECT_EQ(dialogs.texts()[0], "Harap kembalikan terlebih dahulu semua buku yang anda baca "
                                  "sebelum menutup aplikasi ini");
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(view(0));
    returnActiveBook();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    EXPECT_TRUE(main->close());
    EXPECT_FALSE(std::filesystem::exists(folder));
}

} // namespace
