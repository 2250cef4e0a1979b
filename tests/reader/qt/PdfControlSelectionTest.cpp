#include "tests/reader/qt/ControlFixture.h"

#include "base/Ticker.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>

#include <chrono>

namespace sumberlaras {
namespace {

using testing::ControlTest;

// Page 0 text: "Sumberlaras membaca buku" then "Baca buku setiap hari, baca!".
class SelectionTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        clock.advance(std::chrono::milliseconds(1000));
        view.setClock(clock);
        const QString text = QString::fromStdU16String(
            view.CurrentPage()->ReadText(0, view.CurrentPage()->GetCharCount()));
        hari = static_cast<int>(text.indexOf("hari"));
        ASSERT_GT(hari, 24);
    }
    QString selected() { return view.SelectedText(); }

    ManualClock clock;
    int hari = 0;
};

TEST_F(SelectionTest, NoSelectionReadsZero) {
    EXPECT_EQ(view.SelStart(), 0);
    EXPECT_EQ(view.SelLength(), 0);
    // A press alone selects nothing yet.
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(14));
    EXPECT_EQ(view.SelLength(), 0);
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, centreOf(14));
    EXPECT_EQ(view.SelLength(), 0);
}

TEST_F(SelectionTest, OneCharacterWhenThePointerLeavesItsBox) {
    const QPoint inside = centreOf(0);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, inside);
    // Far to the left of "S": still nearest to it, but outside its box.
    QTest::mouseMove(&view, QPoint(std::max(1, inside.x() - 60), inside.y()));
    EXPECT_EQ(view.SelStart(), 0);
    EXPECT_EQ(view.SelLength(), 1);
    // Back inside the same box: press and pointer both inside, so not active.
    QTest::mouseMove(&view, inside);
    EXPECT_EQ(view.SelLength(), 0);
}

TEST_F(SelectionTest, DragAcrossTwoLines) {
    int lengthDuringMouseUp = -1;
    view.OnMouseUp = [&](TPdfControl* c, TMouseButton, TShiftState, int, int) {
        lengthDuringMouseUp = c->SelLength();
    };
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(12));
    QTest::mouseMove(&view, centreOf(20));
    QTest::mouseMove(&view, centreOf(hari + 3));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, centreOf(hari + 3));
    EXPECT_EQ(view.SelStart(), 12);
    EXPECT_EQ(view.SelLength(), hari + 3 - 12 + 1);
    EXPECT_EQ(lengthDuringMouseUp, view.SelLength());
    const QString text = selected();
    EXPECT_TRUE(text.startsWith("membaca buku")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("setiap hari")) << text.toStdString();
    // Dragging backwards gives the same range from the other end.
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(hari + 3));
    QTest::mouseMove(&view, centreOf(12));
    EXPECT_EQ(view.SelStart(), 12);
    EXPECT_EQ(view.SelLength(), hari + 3 - 12 + 1);
}

TEST_F(SelectionTest, DoubleClickSelectsTheWordThenAPressTheLine) {
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, centreOf(14));
    EXPECT_EQ(selected(), "membaca");
    EXPECT_EQ(view.SelStart(), 12);
    EXPECT_EQ(view.SelLength(), 7);
    clock.advance(std::chrono::milliseconds(100));
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(16));
    EXPECT_EQ(selected(), "Sumberlaras membaca buku");
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, centreOf(16));
    EXPECT_EQ(selected(), "Sumberlaras membaca buku");
}

TEST_F(SelectionTest, TheLineWindowCloses) {
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, centreOf(14));
    clock.advance(
        std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 1));
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(14));
    EXPECT_EQ(view.SelLength(), 0);
}

TEST_F(SelectionTest, APressOutsideTheWordDoesNotSelectTheLine) {
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, centreOf(14));
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(22)); // "buku"
    EXPECT_EQ(view.SelLength(), 0);
}

TEST_F(SelectionTest, MouseEventsComeBeforeTheSelectionHandling) {
    int lengthSeenOnDown = -1, moves = 0;
    view.SelectAll();
    view.OnMouseDown = [&](TPdfControl* c, TMouseButton b, TShiftState, int, int) {
        EXPECT_EQ(b, TMouseButton::mbLeft);
        lengthSeenOnDown = c->SelLength();
    };
    view.OnMouseMove = [&](TPdfControl*, TShiftState, int, int) { ++moves; };
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(3));
    EXPECT_GT(lengthSeenOnDown, 0); // still the old selection
    EXPECT_EQ(view.SelLength(), 0);
    QTest::mouseMove(&view, centreOf(5));
    EXPECT_EQ(moves, 1);
}

TEST_F(SelectionTest, SelectionOffIgnoresTheMouse) {
    view.setAllowUserTextSelection(false);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(12));
    QTest::mouseMove(&view, centreOf(20));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, centreOf(20));
    EXPECT_EQ(view.SelLength(), 0);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.SelLength(), 0);
}

// Whether the view kept the key to itself rather than passing it to its parent.
bool keeps(QWidget& w, Qt::Key key, Qt::KeyboardModifiers mods) {
    QKeyEvent e(QEvent::KeyPress, key, mods);
    QCoreApplication::sendEvent(&w, &e);
    return e.isAccepted();
}

TEST_F(SelectionTest, CtrlASelectsThePageAndCtrlCIsKept) {
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.SelStart(), 0);
    EXPECT_EQ(view.SelLength(), view.CurrentPage()->GetCharCount());
    EXPECT_TRUE(keeps(view, Qt::Key_C, Qt::ControlModifier));
    EXPECT_TRUE(keeps(view, Qt::Key_Insert, Qt::ControlModifier));
    EXPECT_EQ(view.SelLength(), view.CurrentPage()->GetCharCount());
    view.ClearSelection();
    EXPECT_FALSE(keeps(view, Qt::Key_C, Qt::ControlModifier)); // nothing selected: passed on
    EXPECT_FALSE(keeps(view, Qt::Key_X, Qt::NoModifier));
}

TEST_F(SelectionTest, SelectionRectsAndTextInRect) {
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, centreOf(14));
    TPdfPage* page = view.CurrentPage();
    const int n = page->GetTextRectCount(view.SelStart(), view.SelLength());
    ASSERT_GE(n, 1);
    TRect all{100000, 100000, -100000, -100000};
    for (int i = 0; i < n; ++i) {
        const TRect d = view.PageToDevice(page->GetTextRect(i));
        all = {std::min(all.Left, d.Left), std::min(all.Top, d.Top), std::max(all.Right, d.Right),
               std::max(all.Bottom, d.Bottom)};
    }
    EXPECT_EQ(view.GetTextInRect(all).trimmed(), "membaca");
    // The selected word is blended with the selection colour where the paper was white.
    std::vector<TPdfRect> rects;
    for (int i = 0; i < n; ++i)
        rects.push_back(page->GetTextRect(i));
    const QRegion area = testing::deviceArea(view, rects);
    const QImage after = frame();
    view.ClearSelection();
    const QImage before = frame();
    EXPECT_GT(testing::paperPixels(before, area), 0);
    EXPECT_EQ(testing::blendedPaperPixels(before, after, area, QColor(50, 142, 254)),
              testing::paperPixels(before, area));
}

TEST_F(SelectionTest, DraggingOutsideScrollsOnTimerTicks) {
    ManualTicker ticker;
    view.setScrollTicker(ticker);
    view.setScaleMode(TPdfControlScaleMode::smZoom);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(2));
    QTest::mouseMove(&view, QPoint(view.width() / 2, view.height() + 40));
    EXPECT_TRUE(view.ScrollTimerActive());
    EXPECT_EQ(ticker.interval(), std::chrono::milliseconds(50));
    ticker.fire();
    ticker.fire();
    EXPECT_EQ(view.VertScrollPosition(), 50);
    EXPECT_GT(view.SelLength(), 1);
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier,
                        QPoint(view.width() / 2, view.height() + 40));
    EXPECT_FALSE(view.ScrollTimerActive());
    view.setScrollTimer(false);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(2));
    QTest::mouseMove(&view, QPoint(view.width() / 2, view.height() + 40));
    EXPECT_FALSE(view.ScrollTimerActive());
}

TEST_F(SelectionTest, AClickOnALinkRaisesItsAddressUnlessTextWasSelected) {
    QStringList clicked;
    view.OnWebLinkClick = [&](TPdfControl*, const QString& url) { clicked << url; };
    view.setPageIndex(1);
    const QString text = QString::fromStdU16String(
        view.CurrentPage()->ReadText(0, view.CurrentPage()->GetCharCount()));
    const int link = static_cast<int>(text.indexOf("sumberlaras.id"));
    ASSERT_GT(link, 0);
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, centreOf(link + 3));
    EXPECT_EQ(clicked, QStringList{"https://sumberlaras.id/buku"});
    // A drag that selects text is no click on the link.
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centreOf(link));
    QTest::mouseMove(&view, centreOf(link + 6));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, centreOf(link + 6));
    EXPECT_GT(view.SelLength(), 1);
    EXPECT_EQ(clicked.size(), 1);
    // Plain text is no link.
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, centreOf(2));
    EXPECT_EQ(clicked.size(), 1);
}

TEST_F(SelectionTest, TextCursorOnlyNearText) {
    // QTest drops a move to where its last move ended: start from elsewhere.
    QTest::mouseMove(&view, QPoint(1, 1));
    QTest::mouseMove(&view, centreOf(3));
    EXPECT_EQ(view.cursor().shape(), Qt::IBeamCursor);
    QTest::mouseMove(&view, QPoint(view.GetPageRect().Left + 5, 550));
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
    view.setAllowUserTextSelection(false);
    QTest::mouseMove(&view, centreOf(3));
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(SelectionTest, APageChangeClearsTheSelection) {
    view.SelectAll();
    view.setPageIndex(1);
    EXPECT_EQ(view.SelLength(), 0);
}

} // namespace
} // namespace sumberlaras
