#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "reader/session/Documents.h"
#include "tests/reader/qt/FaceFixture.h"

namespace sumberlaras::testing {
namespace {

class ReaderCopy : public FaceFixture {
protected:
    // Selects the whole page and presses Ctrl+C on it.
    void copyPage(int tab, int page, bool select = true,
                  Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        TPdfControl* v = view(tab);
        v->setPageIndex(page);
        if (select)
            v->SelectAll();
        else
            v->ClearSelection();
        QTest::keyPress(v, Qt::Key_C, mods);
        QTest::keyRelease(v, Qt::Key_C, mods);
    }
    static QStringList clipboardLines() {
        return QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    }
    Json copies(int tab) { return face->readerState.at(face->tab(tab).name).TextCopyObject; }
};

TEST_F(ReaderCopy, ThePassageGoesWithTheBookAndItsPageLabel) {
    struct Case {
        int romawi;
        int page;
        QString label;
    };
    const Case cases[] = {{5, 0, QString()},
                          {5, 2, QStringLiteral("II")},
                          {5, 7, QStringLiteral("2")},
                          {0, 9, QStringLiteral("9")}};
    int book = 50;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        const int tab = open(std::to_string(book++), toolsBookPdf(), c.romawi);
        copyPage(tab, c.page);
        const QStringList lines = clipboardLines();
        ASSERT_EQ(lines.size(), 6);
        EXPECT_EQ(lines[0], QStringLiteral("Judul : Ekonomi Desa ") + QString::number(book - 1));
        EXPECT_EQ(lines[1], QStringLiteral("Penulis : Siti Aminah"));
        EXPECT_EQ(lines[2], QStringLiteral("Penerbit : Penerbit Laras"));
        EXPECT_EQ(lines[3], QStringLiteral("Tahun Terbit : 2017"));
        EXPECT_EQ(lines[4], QStringLiteral("Halaman : ") + c.label);
        EXPECT_TRUE(lines[5].startsWith(QStringLiteral("Frase : ")));
        EXPECT_EQ(copies(tab)["data"][0]["page"], c.label.toStdString());
        dialogs.answerNext(DialogAnswer::Yes);
        click("btnReturn");
    }
}

TEST_F(ReaderCopy, EachPassageOfAPageIsRecordedOnce) {
    const int tab = open("42", toolsBookPdf());
    copyPage(tab, 3);
    copyPage(tab, 3, true, Qt::ControlModifier | Qt::ShiftModifier); // other keys may be held
    copyPage(tab, 10);
    copyPage(tab, 4, false);
    copyPage(tab, 4, false);
    EXPECT_EQ(clipboardLines().last(), QStringLiteral("Frase : "));
    EXPECT_EQ(copies(tab)["data"], Json::parse(R"([{"page":"III","text":"Pengantar ekonomi desa"},
        {"page":"5","text":"Penutup"},{"page":"IV","text":""}])"));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(ReaderCopy, LinesAreJoinedAsTheyAreAndUnicodeArrivesIntact) {
    const int tab = open("42", toolsBookPdf());
    copyPage(tab, 6);
    EXPECT_EQ(clipboardLines().last(), QStringLiteral("Frase : Baris pertamabaris kedua"));
    copyPage(tab, 8);
    const QString passage = QStringLiteral("Pendidikan Anak Usia Dini — edisi ke-2, café");
    EXPECT_EQ(clipboardLines().last(), QStringLiteral("Frase : ") + passage);
    EXPECT_EQ(copies(tab)["data"][1]["text"], passage.toStdString());
}

TEST_F(ReaderCopy, OtherKeysCopyNothing) {
    const int tab = open("42", toolsBookPdf());
    QGuiApplication::clipboard()->setText(QStringLiteral("sebelumnya"));
    view(tab)->SelectAll();
    QTest::keyRelease(view(tab), Qt::Key_C);
    QTest::keyRelease(view(tab), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("sebelumnya"));
    EXPECT_TRUE(copies(tab)["data"].empty());
}

TEST_F(ReaderCopy, TheReturnSendsTheCopiesInOrder) {
    const int tab = open("42", toolsBookPdf());
    copyPage(tab, 9);
    copyPage(tab, 8);
    dialogs.answerNext(DialogAnswer::Yes);
    click("btnReturn");
    tasks.finishAll();
    ASSERT_FALSE(service.calls.empty());
    const std::string& last = service.calls.back();
    ASSERT_TRUE(last.starts_with("copy ")) << last;
    const Json sent = Json::parse(last.substr(5));
    EXPECT_EQ(sent["id_konten"], "42");
    EXPECT_EQ(sent["data"], Json::parse(R"([{"page":"4","text":"Ekonomi rakyat"},
        {"page":"3","text":"Pendidikan Anak Usia Dini — edisi ke-2, café"}])"));
}

} // namespace
} // namespace sumberlaras::testing
