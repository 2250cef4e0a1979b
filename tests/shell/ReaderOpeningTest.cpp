// Opening borrowed books into the reader's tabs, against the stand-in.
#include <filesystem>
#include <fstream>

#include <QStandardPaths>

#include "tests/shell/ReaderFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
using bridge::ViewId;

namespace {

using ReaderOpening = ReaderFixture;

TEST_F(ReaderOpening, FromTheDetailPageTheBookOpensInTheFirstTab) {
    signedIn();
    ASSERT_TRUE(showDetail(kLongBook));
    const JsonPtr detail = splash->SawiraLib()->FDetailContentJson.get();
    const std::string total = readText((*detail)["data"], "halaman_total");
    const std::string title = readText((*detail)["data"], "judul");
    standin.clearLog();
    dialogs.clear();
    pressBaca();
    ASSERT_TRUE(spinUntil([&] { return catalogue().readCount == 1; }, std::chrono::seconds(30)));
    ASSERT_TRUE(openingEnded());

    EXPECT_TRUE(dialogs.texts().empty()) << "a first loan asks nothing";
    EXPECT_EQ(catalogue().readCount, 1);
    EXPECT_TRUE(readerInFront());
    QTabWidget* tabs = reader().PageControl1();
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(tabs->isTabVisible(0));
    EXPECT_FALSE(tabs->isTabVisible(1));
    EXPECT_EQ(tabs->tabText(0).toStdString(), title);
    ASSERT_TRUE(view(0));
    EXPECT_EQ(view(0)->accessibleName().toStdString(), title);
    EXPECT_EQ(view(0)->ScaleMode(), TPdfControlScaleMode::smZoom);
    EXPECT_EQ(view(0)->ZoomPercentage(), 100);
    EXPECT_FALSE(view(0)->AllowUserTextSelection());
    EXPECT_TRUE(view(0)->AutoPageChange());
    EXPECT_EQ(control<QLineEdit>("edPage")->text().toStdString(), "1/" + total);
    EXPECT_EQ(control<QComboBox>("cmbZoom")->currentText(), "100%");
    EXPECT_TRUE(control<QCheckBox>("CheckAutoPage")->isChecked());

    ASSERT_EQ(reader().readDict.count(kLongBook), 1u);
    const reader::TDetailBook& book = reader().readDict.at(kLongBook);
    EXPECT_EQ(book.TabSheet, 0);
    EXPECT_EQ(book.judul, title);
    EXPECT_FALSE(book.id_baca.empty());
    ASSERT_EQ(reader().readerState.count("TabSheet1"), 1u);
    const reader::TReaderSettings& s = reader().readerState.at("TabSheet1");
    EXPECT_EQ(s.IdBaca, book.id_baca);
    EXPECT_EQ(s.CurrentPage, "1/" + total);
    EXPECT_EQ(s.ReadStatus, 1);
    EXPECT_EQ(s.AnnotationObject.dump(), "{\"id_konten\":\"121\",\"data\":[]}");
    EXPECT_EQ(s.TextCopyObject.dump(), "{\"id_konten\":\"121\",\"data\":[]}");
    EXPECT_TRUE(idleTimer(0).active());
    EXPECT_TRUE(statusTimer(0).active());
    EXPECT_EQ(idleTimer(0).interval(), std::chrono::milliseconds(1000));

    // The loan is asked for after the download, once.
    const auto asked = calls("/api/wl/requestBaca");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0]["body"].get<std::string>().find("id_konten=121"), std::string::npos);
    // The catalogue shows the detail page again behind the reader.
    EXPECT_TRUE(waitForPage(ViewId::Chromium3, "detail.html"));
}

TEST_F(ReaderOpening, FromAChartTheChartWaitsBehindTheReader) {
    signedIn();
    js(ViewId::Chromium1, "app.topChart()");
    ASSERT_TRUE(spinUntil([&] {
        return front(ViewId::Chromium6) &&
               !firstCall(ViewId::Chromium6, "app.bacaSection(").isEmpty();
    }));
    js(ViewId::Chromium6, QString("app.bacaSection('%1')").arg(kLongBook));
    ASSERT_TRUE(spinUntil([&] { return catalogue().readCount == 1; }, std::chrono::seconds(30)));
    ASSERT_TRUE(openingEnded());
    EXPECT_TRUE(readerInFront());
    EXPECT_FALSE(catalogue().ReadFromChart);
    EXPECT_TRUE(front(ViewId::Chromium6)) << "the list the book came from";
}

TEST_F(ReaderOpening, ASentenceHitOpensOnItsPageWithTheSentenceMarked) {
    signedIn();
    js(ViewId::Chromium1, "app.searching('ketekunan lebih penting', 'Kalimat')");
    ASSERT_TRUE(
        spinUntil([&] { return !firstCall(ViewId::Chromium7, "app.bacaKalimat(").isEmpty(); }));
    // A hit past the first page: a jump to page index 0 is no jump.
    const QString call =
        js(ViewId::Chromium7, "(function(){var b=[].slice.call(document.querySelectorAll("
                              "\"[onClick^='app.bacaKalimat(']\")).map(function(e){return "
                              "e.getAttribute('onClick')}).filter(function(c){return "
                              "!/,'0'\\)$/.test(c)});return b.length?b[0]:''})()")
            .toString();
    ASSERT_FALSE(call.isEmpty());
    const int page = call.section('\'', 3, 3).toInt();
    ASSERT_GT(page, 0);
    dialogs.clear();
    js(ViewId::Chromium7, call);
    ASSERT_TRUE(spinUntil([&] { return catalogue().readCount == 1; }, std::chrono::seconds(30)));
    ASSERT_TRUE(openingEnded());
    EXPECT_TRUE(dialogs.texts().empty()) << "a jump asks no resume question";
    EXPECT_EQ(view(0)->PageIndex(), page);
    EXPECT_EQ(control<QLineEdit>("edSearch")->text(), "ketekunan lebih penting");
    EXPECT_FALSE(view(0)->HighlightRects().empty());
    EXPECT_EQ(catalogue().PageToJump, 0);
    EXPECT_FALSE(catalogue().ReadFromSearch);
    EXPECT_TRUE(front(ViewId::Chromium7));
    EXPECT_TRUE(readerInFront());
}

TEST_F(ReaderOpening, ThreeBooksTakeTheThreeTabsAndAFourthIsRefused) {
    signedIn();
    const char* books[] = {"121", "102", "103"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(openFromDetail(books[i])) << books[i];
        EXPECT_EQ(reader().readDict.at(books[i]).TabSheet, i);
        EXPECT_TRUE(reader().PageControl1()->isTabVisible(i));
    }
    ASSERT_TRUE(showDetail("104"));
    standin.clearLog();
    dialogs.clear();
    pressBaca();
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_EQ(dialogs.texts()[0], "Anda melebihi batas baca sebanyak 3 Buku");
    EXPECT_EQ(catalogue().readCount, 3);
    EXPECT_TRUE(calls("/api/wl/requestBaca").empty());
}

TEST_F(ReaderOpening, ADocumentThatIsNotAPdfOpensNoLoan) {
    signedIn();
    ASSERT_TRUE(showDetail(kLongBook));
    const JsonPtr detail = splash->SawiraLib()->FDetailContentJson.get();
    standin.failNext("/pc/swr/" + readText((*detail)["data"], "nama_pc_file"), "html");
    standin.clearLog();
    dialogs.clear();
    pressBaca();
    ASSERT_TRUE(waitForDialogs(1));
    ASSERT_TRUE(openingEnded());
    EXPECT_TRUE(dialogs.texts()[0].starts_with("Error Exception #1287 : ")) << dialogs.texts()[0];
    EXPECT_TRUE(calls("/api/wl/requestBaca").empty());
    EXPECT_EQ(catalogue().readCount, 0);
    EXPECT_FALSE(reader().hasOpenBooks());
    EXPECT_TRUE(waitForPage(ViewId::Chromium3, "detail.html"));
}

TEST_F(ReaderOpening, AnAuthFailedLoanGoesBackToTheLoginPage) {
    signedIn();
    ASSERT_TRUE(showDetail(kLongBook));
    standin.rewrite("/api/wl/requestBaca", Json{{"code", "500"}, {"msg", "Auth Failed"}});
    dialogs.clear();
    pressBaca();
    ASSERT_TRUE(waitForDialogs(1));
    ASSERT_TRUE(openingEnded());
    EXPECT_EQ(dialogs.texts()[0], "Authentication Error : Akun Anda Digunakan Di Perangkat Lain");
    EXPECT_TRUE(waitForPage(ViewId::Chromium1, "login.html"));
    EXPECT_TRUE(front(ViewId::Chromium1));
    EXPECT_FALSE(reader().hasOpenBooks());
    EXPECT_EQ(catalogue().readCount, 0);
}

TEST_F(ReaderOpening, ASecondReadWhileOneIsOpeningIsRefused) {
    signedIn();
    ASSERT_TRUE(showDetail(kLongBook));
    standin.failNext("/api/wl/requestBaca", "delay", 1, 1500);
    dialogs.clear();
    pressBaca();
    ASSERT_TRUE(spinUntil([&] { return catalogue().isOpeningBook; }));
    // Chromium3 shows the loading page now; the home page sends the second read.
    js(ViewId::Chromium1, QString("app.baca('%1')").arg(kLongBook));
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_EQ(dialogs.texts()[0], "Harap Tunggu..Sedang Membuka Buku");
    ASSERT_TRUE(openingEnded());
    EXPECT_EQ(catalogue().readCount, 1);
    EXPECT_EQ(calls("/api/wl/requestBaca").size(), 1u);
}

TEST_F(ReaderOpening, NoByteOfTheBookReachesTheDisk) {
    signedIn();
    ASSERT_TRUE(showDetail(kLongBook));
    const JsonPtr detail = splash->SawiraLib()->FDetailContentJson.get();
    ASSERT_TRUE(openFromDetail(kLongBook));
    view(0)->setPageIndex(5);
    QCoreApplication::processEvents();
    // The document as the service serves it.
    const std::string file = readText((*detail)["data"], "nama_pc_file");
    const auto media = std::filesystem::path(standin.stateDir()) / "media";
    std::string document;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(media))
        if (entry.path().filename() == file) {
            std::ifstream in(entry.path(), std::ios::binary);
            document.assign(std::istreambuf_iterator<char>(in), {});
        }
    ASSERT_GT(document.size(), 1024u);
    const std::string probe = document.substr(document.size() / 2, 256);
    std::vector<std::filesystem::path> places = {root, std::filesystem::temp_directory_path()};
    for (auto kind : {QStandardPaths::CacheLocation, QStandardPaths::GenericCacheLocation}) {
        const QString cache = QStandardPaths::writableLocation(kind);
        if (!cache.isEmpty() && std::filesystem::exists(cache.toStdString()))
            places.push_back(cache.toStdString());
    }
    for (const auto& place : places) {
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(
                 place, std::filesystem::directory_options::skip_permission_denied, ec);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            // The stand-ins' own folders (this test's and those of tests running
            // beside it) hold the service's copy of the book.
            if (!ec && it->is_directory(ec) &&
                it->path().filename().string().starts_with("standin-")) {
                it.disable_recursion_pending();
                continue;
            }
            if (ec || !it->is_regular_file(ec))
                continue;
            if (it->file_size(ec) < probe.size() || it->file_size(ec) > (64u << 20))
                continue;
            std::ifstream in(it->path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), {});
            EXPECT_EQ(bytes.find(probe), std::string::npos) << it->path();
        }
    }
}

} // namespace
