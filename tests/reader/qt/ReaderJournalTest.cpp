#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QLabel>

#include "reader/session/Journal.h"
#include "tests/reader/qt/FaceFixture.h"
#include "tests/reader/qt/MouseGestures.h"

namespace sumberlaras::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class ReaderJournal : public FaceFixture {
protected:
    reader::JournalFile file() const { return reader::JournalFile(journalFolder()); }
    // The journal as it stands on disk now.
    reader::JournalContents onDisk() {
        face->flushJournal();
        const std::optional<std::string> text = file().load();
        return text ? reader::readJournal(*text) : reader::JournalContents{};
    }
    ManualTicker& batch() { return static_cast<ManualTicker&>(face->journalTicker()); }

    // A rectangle drawn with the tool, as a reader draws it.
    void drawRectangle(TPdfControl* v) {
        click("btnAnnotRect");
        const TRect r = v->GetPageRect();
        MouseGestures(v).drag({r.Left + r.Width() / 4, r.Top + r.Height() / 4},
                              {r.Left + r.Width() / 2, r.Top + r.Height() / 2});
    }

    // The program stops where it stands: the journal is what was last
    // written, and nothing the face would do at its end reaches it.
    void crashAndStartAgain() {
        face->flushJournal();
        const fs::path saved = fs::path(journalRoot.path()) / "at-the-crash";
        fs::copy(journalFolder(), saved, fs::copy_options::recursive);
        tasks.finishAll();
        face.reset();
        fs::remove_all(journalFolder());
        fs::rename(saved, journalFolder());
        service.calls.clear();
        dialogs.clear();
        makeFace();
    }
    std::vector<std::string> sent() const {
        std::vector<std::string> out;
        for (const std::string& c : service.calls)
            out.push_back(c.substr(0, c.find(' ')));
        return out;
    }
};

TEST_F(ReaderJournal, ABookOpenAtACrashGoesBackOnItsPageWithItsMarksAtItsMembersSignIn) {
    const int tab = open("42", toolsBookPdf());
    view(tab)->setPageIndex(6);
    drawRectangle(view(tab));
    batch().fire(); // two seconds on
    ASSERT_EQ(onDisk().books.size(), 1u);
    crashAndStartAgain();

    ASSERT_EQ(face->booksLeftOpen().size(), 1u);
    EXPECT_EQ(face->returnsWaiting(), 1u);
    // Another member's sign-in leaves it alone.
    service.member = "m2";
    face->signedIn("m2");
    tasks.finishAll();
    EXPECT_TRUE(service.calls.empty());
    EXPECT_TRUE(dialogs.texts().empty());

    service.member = "m1";
    face->signedIn("m1");
    tasks.finishAll();
    ASSERT_EQ(sent(), (std::vector<std::string>{"return", "annotation", "copy"}));
    EXPECT_EQ(service.calls[0], "return baca-42 42 6");
    EXPECT_NE(service.calls[1].find("\"RECTANGLE\""), std::string::npos) << service.calls[1];
    ASSERT_EQ(dialogs.texts().size(), 1u);
    EXPECT_NE(dialogs.texts()[0].find("\n- Ekonomi Desa 42"), std::string::npos);
    EXPECT_TRUE(face->booksLeftOpen().empty());
    batch().fire();
    face->flushJournal();
    EXPECT_FALSE(file().load()) << "nothing left to keep";

    face->signedIn("m1"); // told once
    tasks.finishAll();
    EXPECT_EQ(dialogs.texts().size(), 1u);
    EXPECT_EQ(service.calls.size(), 3u);
}

TEST_F(ReaderJournal, ReturnsThatWaitedSurviveARestartAndGoOnlyWithTheirMembersSession) {
    service.answersFromService = false;
    service.returnAnswer = {{"code", "500"}, {"msg", "Could not connect"}};
    const int tab = open("42", toolsBookPdf());
    face->readerState.at(face->tab(tab).name)
        .TextCopyObject["data"]
        .push_back({{"page", "1"}, {"text", "Sampul"}});
    dialogs.answerNext(DialogAnswer::Yes);
    click("btnReturn");
    tasks.finishAll();
    batch().fire();
    EXPECT_EQ(onDisk().outbox.entries().size(), 3u);
    EXPECT_TRUE(onDisk().books.empty());
    crashAndStartAgain();

    service.answersFromService = true;
    service.returnAnswer = {{"code", "200"}};
    static_cast<ManualTicker&>(face->outboxTicker()).fire();
    tasks.finishAll();
    EXPECT_TRUE(service.calls.empty()) << "read back, entries wait for a sign-in";
    service.member = "m2";
    face->signedIn("m2");
    tasks.finishAll();
    EXPECT_TRUE(service.calls.empty());
    service.member = "m1";
    face->signedIn("m1");
    tasks.finishAll();
    EXPECT_EQ(sent(), (std::vector<std::string>{"return", "annotation", "copy"}));
    EXPECT_NE(service.calls[2].find("Sampul"), std::string::npos);
    EXPECT_TRUE(face->outbox().empty());
    EXPECT_TRUE(dialogs.texts().empty()) << "nothing was open: no books to announce";
}

TEST_F(ReaderJournal, TheFirstChangeIsWrittenAtOnceAndLaterOnesTogetherEveryTwoSeconds) {
    const int tab = open("42", toolsBookPdf());
    EXPECT_EQ(onDisk().books.at(0).pageIndex, 0);
    EXPECT_TRUE(batch().active());
    EXPECT_EQ(batch().interval(), 2s);
    view(tab)->setPageIndex(3);
    view(tab)->setPageIndex(4);
    EXPECT_EQ(onDisk().books.at(0).pageIndex, 0) << "within the batch";
    batch().fire();
    EXPECT_EQ(onDisk().books.at(0).pageIndex, 4);
    batch().fire(); // a quiet spell ends the batch
    EXPECT_FALSE(batch().active());
    view(tab)->setPageIndex(5);
    EXPECT_EQ(onDisk().books.at(0).pageIndex, 5);
}

TEST_F(ReaderJournal, TheJournalHoldsNoByteOfTheBook) {
    const QByteArray pdf = toolsBookPdf();
    const int tab = open("42", pdf);
    drawRectangle(view(tab));
    face->flushJournal();
    const std::string journal = file().load().value();
    EXPECT_EQ(journal.find("%PDF"), std::string::npos);
    const std::string book = pdf.toStdString();
    // No run of 24 bytes of the book, from anywhere in it.
    for (std::size_t at = 0; at + 24 <= book.size(); at += 7)
        ASSERT_EQ(journal.find(book.substr(at, 24)), std::string::npos) << "book bytes at " << at;
}

TEST_F(ReaderJournal, AnUnreadableJournalIsSaidAndKeptAside) {
    face.reset();
    std::ofstream(fs::path(journalFolder()) / "journal.json") << "{\"books\": [ {\"memb";
    makeFace();
    auto* notice = control<QLabel>("lblNotice");
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().startsWith(
        QStringLiteral("Catatan pemulihan tidak dapat dibaca dan disimpan terpisah: ")));
    int aside = 0;
    for (const auto& e : fs::directory_iterator(journalFolder()))
        aside += e.path().extension() == ".unreadable";
    EXPECT_EQ(aside, 1);
    open("42", toolsBookPdf());
    EXPECT_EQ(onDisk().books.size(), 1u) << "a new journal is started beside it";
}

TEST_F(ReaderJournal, AJournalThatCannotBeWrittenIsSaid) {
    face.reset();
    fs::remove_all(journalFolder());
    std::ofstream(journalFolder()) << "a file where the folder should be";
    makeFace();
    open("42", toolsBookPdf());
    face->flushJournal();
    view(face->activeIndex())->setPageIndex(2);
    batch().fire(); // the failure is read back at the next write
    auto* notice = control<QLabel>("lblNotice");
    EXPECT_TRUE(
        notice->text().startsWith(QStringLiteral("Catatan pemulihan tidak dapat ditulis: ")))
        << notice->text().toStdString();
}

TEST_F(ReaderJournal, HostileTitlesAreShownAsText) {
    service.answersFromService = false;
    service.returnAnswer = {{"code", "500"}, {"msg", "Could not connect"}};
    service.permissionAnswer = {
        {"code", "200"}, {"id_baca", "b1"}, {"page_index", 0}, {"file_anotasi", "0"}};
    Json detail = detailOf("42");
    detail["data"]["judul"] = "<img src='http://elsewhere.example/x.png'><b>Buku</b>";
    face->openBook(std::make_shared<std::string>(toolsBookPdf().toStdString()),
                   std::make_shared<Json>(detail));
    tasks.finishAll();
    dialogs.answerNext(DialogAnswer::Yes);
    click("btnReturn");
    tasks.finishAll();
    const QString tip = control<QLabel>("lblPending")->toolTip();
    EXPECT_EQ(tip, QStringLiteral("<qt>&lt;img src='http://elsewhere.example/x.png'&gt;"
                                  "&lt;b&gt;Buku&lt;/b&gt;</qt>"));
}

} // namespace
} // namespace sumberlaras::testing
