// The reading tools in the whole program against the stand-in: the search's
// flag is the catalogue's, the information window shows the open book, and a
// copied passage reaches the service at the return.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>

#include "bookinfo/qt/TFormInfoBuku.h"
#include "tests/shell/ReaderFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

using ReaderTools = ReaderFixture;

TEST_F(ReaderTools, SearchHoldsTheCatalogueSearchAndFindsTheNextChapter) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    TPdfControl* v = view(0);
    v->setPageIndex(5);
    control<QLineEdit>("edSearch")->setText(QStringLiteral("bab"));
    control<QToolButton>("btnSearchNext")->click();
    EXPECT_TRUE(catalogue().isSearchRunning); // the catalogue now refuses to search
    ASSERT_TRUE(spinUntil([&] { return !catalogue().isSearchRunning; }));
    EXPECT_GT(v->PageIndex(), 5);
    EXPECT_FALSE(v->HighlightRects().empty());
    for (const std::string& text : dialogs.texts())
        EXPECT_FALSE(text.starts_with("Error Exception #1338")) << text;
}

TEST_F(ReaderTools, InfoShowsTheBookAndACopyReachesTheServiceAtTheReturn) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    const reader::TDetailBook book = reader().readDict.at(kLongBook);
    control<QToolButton>("btnInfo")->click();
    EXPECT_TRUE(main->infoBuku().isVisible());
    EXPECT_EQ(main->infoBuku().valuePanel(0)->text(), QString::fromStdString("  " + book.judul));

    TPdfControl* v = view(0);
    v->setPageIndex(20);
    v->SelectAll();
    QTest::keyRelease(v, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QString::fromStdString("Judul : " + book.judul));
    const QString passage = lines[5].mid(8);
    EXPECT_FALSE(passage.isEmpty());

    standin.clearLog();
    returnActiveBook();
    EXPECT_FALSE(main->infoBuku().isVisible());
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    const Json sent = Json::parse(calls("/api/wl/copyText")[0]["body"].get<std::string>());
    ASSERT_EQ(sent["data"].size(), 1u);
    EXPECT_EQ(sent["data"][0]["page"], std::to_string(20 - book.halaman_romawi));
    EXPECT_EQ(sent["data"][0]["text"], passage.toStdString());
}

} // namespace

namespace {

TEST_F(ReaderTools, CtrlFFindsTheSearchBoxOfTheFaceInFront) {
    signedIn();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    web(bridge::Chromium1)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(spinUntil([&] {
        return js(bridge::Chromium1, "document.activeElement && document.activeElement.id")
                   .toString() == QStringLiteral("keyword");
    }));

    ASSERT_TRUE(openFromDetail(kLongBook));
    ASSERT_TRUE(readerInFront());
    view(0)->setFocus();
    QTest::keyClick(view(0), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(control<QLineEdit>("edSearch")->hasFocus());
}

} // namespace
