#include <QLabel>

#include "tests/reader/qt/FaceFixture.h"

namespace sumberlaras::testing {
namespace {

using namespace std::chrono_literals;

class ReaderOutbox : public FaceFixture {
protected:
    // A book with one mark and one copied passage, returned.
    void returnMarkedBook(const std::string& id) {
        const int tab = open(id, toolsBookPdf());
        reader::TReaderSettings& s = face->readerState.at(face->tab(tab).name);
        s.AnnotationObject["data"].push_back({{"page", 0}, {"type", "RECTANGLE"}});
        s.TextCopyObject["data"].push_back({{"page", ""}, {"text", "Sampul"}});
        service.calls.clear();
        dialogs.answerNext(DialogAnswer::Yes);
        click("btnReturn");
        tasks.finishAll();
    }
    // What reached the service, by kind of request.
    std::vector<std::string> sent() const {
        std::vector<std::string> out;
        for (const std::string& c : service.calls)
            out.push_back(c.substr(0, c.find(' ')));
        return out;
    }
    void later(std::chrono::milliseconds by) {
        clock.advance(by);
        static_cast<ManualTicker&>(face->outboxTicker()).fire();
        tasks.finishAll();
    }
    QLabel* label(const char* name) const { return control<QLabel>(name); }
};

TEST_F(ReaderOutbox, AReturnWithoutNetworkIsSentLaterInOrder) {
    service.answersFromService = false; // what a dropped connection gives
    service.returnAnswer = {{"code", "500"}, {"msg", "Could not connect"}};
    returnMarkedBook("42");
    EXPECT_EQ(sent(), (std::vector<std::string>{"return"}));
    EXPECT_EQ(label("lblPending")->text(), QStringLiteral("1 menunggu jaringan"));
    EXPECT_EQ(label("lblPending")->toolTip(), QStringLiteral("<qt>Ekonomi Desa 42</qt>"));
    EXPECT_FALSE(face->tab(0).holdsBook()); // the reader is done with it

    later(4s); // not yet
    EXPECT_EQ(sent().size(), 1u);
    service.answersFromService = true;
    service.returnAnswer = {{"code", "200"}};
    later(1s);
    EXPECT_EQ(sent(), (std::vector<std::string>{"return", "return", "annotation", "copy"}));
    EXPECT_NE(service.calls[2].find("RECTANGLE"), std::string::npos);
    EXPECT_NE(service.calls[3].find("Sampul"), std::string::npos);
    EXPECT_TRUE(face->outbox().empty());
    EXPECT_FALSE(label("lblPending")->isVisible());
}

// The service refuses the annotation document: it is tried again, and the
// copied passages go at once whatever it answered.
TEST_F(ReaderOutbox, AFailedDocumentIsTriedAgainAndTheNextOneStillGoesOnce) {
    service.saveAnnotationAnswer = {{"code", "500"}, {"msg", "Server sibuk"}};
    returnMarkedBook("42");
    EXPECT_EQ(sent(), (std::vector<std::string>{"return", "annotation", "copy"}));
    later(5s);
    EXPECT_EQ(sent(), (std::vector<std::string>{"return", "annotation", "copy", "annotation"}));
    service.saveAnnotationAnswer = {{"code", "200"}};
    later(30s);
    EXPECT_EQ(sent(), (std::vector<std::string>{"return", "annotation", "copy", "annotation",
                                                "annotation"}));
    later(10min);
    EXPECT_EQ(sent().size(), 5u);
}

TEST_F(ReaderOutbox, ARefusedReturnIsToldOnceAndItsDocumentsStillGo) {
    service.returnAnswer = {{"code", "400"}, {"msg", "Pinjaman sudah berakhir"}};
    returnMarkedBook("42");
    EXPECT_EQ(sent(), (std::vector<std::string>{"return", "annotation", "copy"}));
    EXPECT_EQ(label("lblNotice")->text(),
              QStringLiteral("Pengembalian buku ditolak layanan: Pinjaman sudah berakhir"));
    EXPECT_TRUE(dialogs.texts().empty() ||
                dialogs.texts().back() != "Pengembalian buku ditolak layanan: ");
    later(10min);
    EXPECT_EQ(sent().size(), 3u);
}

TEST_F(ReaderOutbox, AuthFailedWaitsForTheSameMembersNextSignIn) {
    service.returnAnswer = {{"code", "500"}, {"msg", "Auth Failed"}};
    returnMarkedBook("42");
    service.returnAnswer = {{"code", "200"}};
    later(10min);
    EXPECT_EQ(sent(), (std::vector<std::string>{"return"}));
    service.member = "m2";
    face->signedIn("m2");
    tasks.finishAll();
    EXPECT_EQ(sent().size(), 1u);
    service.member = "m1";
    face->signedIn("m1");
    tasks.finishAll();
    EXPECT_EQ(sent(), (std::vector<std::string>{"return", "return", "annotation", "copy"}));
}

TEST_F(ReaderOutbox, AnIdleReturnSendsTheReadersWorkAfterItsReport) {
    const int tab = open("42", toolsBookPdf());
    reader::TReaderSettings& s = face->readerState.at(face->tab(tab).name);
    s.AnnotationObject["data"].push_back({{"page", 0}, {"type", "RECTANGLE"}});
    service.calls.clear();
    auto& idle = static_cast<ManualTicker&>(*face->tab(tab).TimerIdle);
    auto& checking = static_cast<ManualTicker&>(*face->tab(tab).TimerChecking);
    for (int i = 0; i < 1801; ++i)
        idle.fire();
    for (int i = 0; i < 301; ++i)
        checking.fire();
    tasks.finishAll();
    EXPECT_FALSE(face->tab(tab).holdsBook());
    EXPECT_EQ(sent(), (std::vector<std::string>{"status", "annotation", "copy"}));
    EXPECT_EQ(service.calls[0], "status baca-42 0");
}

} // namespace
} // namespace sumberlaras::testing
