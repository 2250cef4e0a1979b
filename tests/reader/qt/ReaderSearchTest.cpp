#include <QTest>

#include "tests/reader/qt/FaceFixture.h"

namespace sumberlaras::testing {
namespace {

class ReaderSearch : public FaceFixture {
protected:
    void SetUp() override { tab = open("42", toolsBookPdf()); }

    // Types the word, starts a scan from `page` and delivers its outcome.
    void search(const QString& word, int page, const char* button = "btnSearchNext") {
        view(tab)->setPageIndex(page);
        searchBox()->setText(word);
        click(button);
        tasks.finishAll();
    }
    std::vector<std::string> shownTexts() const { return dialogs.texts(); }

    int tab = -1;
};

TEST_F(ReaderSearch, FindsTheNextPageAndMarksWholeWords) {
    struct Case {
        const char* name;
        QString word;
        int from;
        const char* button;
        int page;    // shown afterwards
        bool marked; // the word is marked on it
    };
    const Case cases[] = {
        {"other case further on", QStringLiteral("ekonomi"), 3, "btnSearchNext", 9, true},
        {"backwards", QStringLiteral("EKONOMI"), 11, "btnSearchPrevious", 9, true},
        {"only inside a longer word", QStringLiteral("baca"), 0, "btnSearchNext", 5, false},
        {"non-ASCII, lower case", QStringLiteral("çelik"), 0, "btnSearchNext", 7, true},
        {"non-ASCII, upper case", QStringLiteral("ÇELIK"), 0, "btnSearchNext", 7, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        search(c.word, c.from, c.button);
        EXPECT_EQ(view(tab)->PageIndex(), c.page);
        EXPECT_EQ(!view(tab)->HighlightRects().empty(), c.marked);
        EXPECT_TRUE(shownTexts().empty());
        EXPECT_FALSE(isSearchRunning);
    }
}

TEST_F(ReaderSearch, TheShownPageIsNeverScanned) {
    // Page 9 holds the only later occurrence; from there on nothing follows.
    search(QStringLiteral("ekonomi"), 9);
    EXPECT_EQ(view(tab)->PageIndex(), 9);
    const auto shown = dialogs.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, DialogKind::Information);
    EXPECT_EQ(shown[0].text, "Tidak Ditemukan");
    EXPECT_EQ(shown[0].buttons, DialogButtons::Yes);
    dialogs.clear();
    search(QStringLiteral("ekonomi"), 3, "btnSearchPrevious");
    EXPECT_EQ(view(tab)->PageIndex(), 3);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Tidak Ditemukan"});
}

TEST_F(ReaderSearch, NoPageBeyondTheEndsShowsNothing) {
    search(QStringLiteral("ekonomi"), 11);
    EXPECT_EQ(view(tab)->PageIndex(), 11);
    search(QStringLiteral("ekonomi"), 0, "btnSearchPrevious");
    EXPECT_EQ(view(tab)->PageIndex(), 0);
    EXPECT_TRUE(shownTexts().empty());
    EXPECT_FALSE(isSearchRunning);
}

TEST_F(ReaderSearch, EnterSearchesOnAndAnEmptyBoxDoesNothing) {
    view(tab)->setPageIndex(3);
    searchBox()->clear();
    click("btnSearchNext");
    click("btnSearchPrevious");
    QTest::keyClick(searchBox(), Qt::Key_Return);
    EXPECT_EQ(tasks.started(), 1); // the opening's permission request only
    searchBox()->setText(QStringLiteral("ekonomi"));
    QTest::keyClick(searchBox(), Qt::Key_Return);
    tasks.finishAll();
    EXPECT_EQ(view(tab)->PageIndex(), 9);
    EXPECT_EQ(face->readerState.at("TabSheet1").CurrentSearchKeyWord, "ekonomi");
}

TEST_F(ReaderSearch, EmptyingTheBoxClearsTheMarks) {
    search(QStringLiteral("ekonomi"), 3);
    ASSERT_FALSE(view(tab)->HighlightRects().empty());
    searchBox()->clear();
    EXPECT_TRUE(view(tab)->HighlightRects().empty());
}

TEST_F(ReaderSearch, OneScanAtATimeSharedWithTheCatalogue) {
    view(tab)->setPageIndex(3);
    searchBox()->setText(QStringLiteral("ekonomi"));
    click("btnSearchNext");
    // Raised as the scan starts, before its worker reported anything.
    EXPECT_TRUE(isSearchRunning);
    click("btnSearchNext");
    click("btnSearchPrevious");
    EXPECT_EQ(tasks.started(), 2);
    tasks.finishAll();
    EXPECT_FALSE(isSearchRunning);
    EXPECT_EQ(view(tab)->PageIndex(), 9);

    // A catalogue search under way refuses the scan.
    isSearchRunning = true;
    view(tab)->setPageIndex(0);
    click("btnSearchNext");
    EXPECT_EQ(tasks.started(), 2);
    EXPECT_EQ(view(tab)->PageIndex(), 0);
}

TEST_F(ReaderSearch, TheResultGoesToTheBookTheScanStartedOn) {
    const int second = open("43", toolsBookPdf());
    ASSERT_NE(second, tab);
    searchBox()->setText(QStringLiteral("ekonomi"));
    view(second)->setPageIndex(3);
    click("btnSearchNext");
    face->PageControl1()->setCurrentIndex(tab);
    // The search box shows the first tab's own (empty) search text.
    EXPECT_EQ(searchBox()->text(), QString());
    tasks.finishAll();
    EXPECT_EQ(view(second)->PageIndex(), 9);
    EXPECT_FALSE(view(second)->HighlightRects().empty());
    EXPECT_EQ(view(tab)->PageIndex(), 0);
    EXPECT_TRUE(view(tab)->HighlightRects().empty());
    EXPECT_EQ(face->activeIndex(), tab);
    face->PageControl1()->setCurrentIndex(second);
    EXPECT_EQ(searchBox()->text(), QStringLiteral("ekonomi"));
}

TEST_F(ReaderSearch, ReturningTheBookDropsItsScan) {
    searchBox()->setText(QStringLiteral("tidak ada"));
    click("btnSearchNext");
    ASSERT_TRUE(isSearchRunning);
    dialogs.answerNext(DialogAnswer::Yes);
    click("btnReturn");
    EXPECT_FALSE(isSearchRunning);
    tasks.finishAll();
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Selesai dan kembalikan Buku Ini?"});
    EXPECT_FALSE(face->tab(tab).holdsBook());
    // The next book searches at once.
    const int next = open("44", toolsBookPdf());
    searchBox()->setText(QStringLiteral("ekonomi"));
    view(next)->setPageIndex(3);
    click("btnSearchNext");
    tasks.finishAll();
    EXPECT_EQ(view(next)->PageIndex(), 9);
}

} // namespace
} // namespace sumberlaras::testing
