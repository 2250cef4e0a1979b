#include "tests/reader/qt/ControlFixture.h"

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <atomic>
#include <cmath>
#include <functional>
#include <thread>

namespace sumberlaras {
namespace {

using testing::ControlTest;
using Mode = TPdfControlScaleMode;

void wheel(QWidget& w, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QPointF pos(w.width() / 2.0, w.height() / 2.0);
    QWheelEvent e(pos, w.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&w, &e);
}

TEST_F(ControlTest, LoadingShowsTheFirstPageWithOneEvent) {
    EXPECT_EQ(pageChanges, 1);
    EXPECT_EQ(view.PageIndex(), 0);
    EXPECT_EQ(view.PageCount(), 3);
    ASSERT_NE(view.CurrentPage(), nullptr);
}

TEST_F(ControlTest, EmptyStreamOpensNothingAndRaisesNothing) {
    view.setPageIndex(2);
    pageChanges = 0;
    EXPECT_NO_THROW(load(QByteArray()));
    EXPECT_EQ(view.PageCount(), 0);
    EXPECT_EQ(view.PageIndex(), 0);
    EXPECT_EQ(view.CurrentPage(), nullptr);
    EXPECT_EQ(pageChanges, 0);
}

TEST_F(ControlTest, PageIndexIsClampedAndOnlyChangesRaiseEvents) {
    const struct {
        int write, shown, events;
    } steps[] = {{1, 1, 1}, {1, 1, 0}, {3, 2, 1}, {99, 2, 0}, {-4, 0, 1}, {0, 0, 0}};
    for (const auto& s : steps) {
        pageChanges = 0;
        view.setPageIndex(s.write);
        EXPECT_EQ(view.PageIndex(), s.shown) << s.write;
        EXPECT_EQ(pageChanges, s.events) << s.write;
    }
}

TEST_F(ControlTest, CloseForgetsTheDocumentWithoutAnEvent) {
    view.setPageIndex(2);
    view.SelectAll();
    view.HightlightText("baca", false, true);
    pageChanges = 0;
    view.Close();
    EXPECT_EQ(view.PageCount(), 0);
    EXPECT_EQ(view.PageIndex(), 0);
    EXPECT_EQ(view.SelLength(), 0);
    EXPECT_TRUE(view.HighlightRects().empty());
    EXPECT_EQ(pageChanges, 0);
}

TEST_F(ControlTest, ZoomIsClamped) {
    const std::pair<int, int> cases[] = {{0, 1}, {-50, 1}, {20000, 10000}, {250, 250}};
    for (const auto& [write, read] : cases) {
        view.setZoomPercentage(write);
        EXPECT_EQ(view.ZoomPercentage(), read) << write;
    }
}

TEST_F(ControlTest, CtrlWheelZoomsOnlyInZoomMode) {
    wheel(view, 120, Qt::ControlModifier);
    EXPECT_EQ(view.ZoomPercentage(), 100);
    view.setScaleMode(Mode::smZoom);
    wheel(view, 120, Qt::ControlModifier);
    EXPECT_EQ(view.ZoomPercentage(), 105);
    wheel(view, -240, Qt::ControlModifier);
    EXPECT_EQ(view.ZoomPercentage(), 95);
}

TEST_F(ControlTest, AFittingPageNeverTurnsByWheel) {
    view.setAutoPageChange(true);
    ASSERT_FALSE(view.VertScrollBarVisible());
    for (int i = 0; i < 3; ++i)
        wheel(view, -120);
    wheel(view, 120);
    EXPECT_EQ(view.PageIndex(), 0);
    EXPECT_EQ(pageChanges, 1);
}

TEST_F(ControlTest, ATallPageTurnsOnTheFirstStepAfterItsBottom) {
    view.setAutoPageChange(true);
    view.setScaleMode(Mode::smZoom);
    ASSERT_TRUE(view.VertScrollBarVisible());
    const int max = view.VertScrollMax();
    int steps = 0;
    while (view.VertScrollPosition() < max && steps < 100) {
        wheel(view, -120);
        ++steps;
        ASSERT_EQ(view.PageIndex(), 0) << "turned before the bottom";
    }
    EXPECT_EQ(view.VertScrollPosition(), max);
    wheel(view, -120);
    EXPECT_EQ(view.PageIndex(), 1);
    EXPECT_EQ(view.VertScrollPosition(), 0);
    // Scrolling up at the top goes back a page.
    wheel(view, 120);
    EXPECT_EQ(view.PageIndex(), 0);
}

TEST_F(ControlTest, TheLastPageNeverTurnsFurther) {
    view.setAutoPageChange(true);
    view.setScaleMode(Mode::smZoom);
    view.setPageIndex(2);
    for (int i = 0; i < 40; ++i)
        wheel(view, -120);
    EXPECT_EQ(view.PageIndex(), 2);
    EXPECT_EQ(view.VertScrollPosition(), view.VertScrollMax());
    pageChanges = 0;
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.PageIndex(), 2);
    EXPECT_EQ(pageChanges, 0);
}

TEST_F(ControlTest, WheelWithoutAutomaticTurningStopsAtTheBottom) {
    view.setScaleMode(Mode::smZoom);
    for (int i = 0; i < 40; ++i)
        wheel(view, -120);
    EXPECT_EQ(view.PageIndex(), 0);
    EXPECT_EQ(view.VertScrollPosition(), view.VertScrollMax());
    wheel(view, 120);
    EXPECT_EQ(view.VertScrollPosition(), view.VertScrollMax() - 120);
}

TEST_F(ControlTest, KeysScrollAndTurnPages) {
    view.setScaleMode(Mode::smZoom);
    const int max = view.VertScrollMax();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int page, position;
    } steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 0, 25},
        {Qt::Key_Down, Qt::ShiftModifier, 0, 75},
        {Qt::Key_Up, Qt::NoModifier, 0, 50},
        {Qt::Key_End, Qt::NoModifier, 0, max},
        {Qt::Key_PageDown, Qt::NoModifier, 1, 0}, // at the end: next page from its top
        {Qt::Key_PageUp, Qt::NoModifier, 0, max}, // at the top: previous page from its bottom
        {Qt::Key_Home, Qt::NoModifier, 0, 0},
        {Qt::Key_End, Qt::ControlModifier, 2, max}, // last page from its bottom
        {Qt::Key_Home, Qt::ControlModifier, 0, 0},  // first page from its top
    };
    for (const auto& s : steps) {
        QTest::keyClick(&view, s.key, s.mods);
        EXPECT_EQ(view.PageIndex(), s.page) << s.key;
        EXPECT_EQ(view.VertScrollPosition(), s.position) << s.key;
    }
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(view.HorzScrollPosition(), std::min(50, view.HorzScrollMax()));
    QTest::keyClick(&view, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(view.HorzScrollPosition(), 0);
}

TEST_F(ControlTest, PageKeysWithoutUserPageChangeOnlyScroll) {
    view.setAllowUserPageChange(false);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.PageIndex(), 0);
    view.setAllowUserPageChange(true);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.PageIndex(), 1);
}

TEST_F(ControlTest, ScrollBarArrowTurnsThePageAtTheEnd) {
    view.setAutoPageChange(true);
    view.setScaleMode(Mode::smZoom);
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &end);
    view.VertScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view.PageIndex(), 1);
    EXPECT_EQ(view.VertScrollPosition(), 0);
    EXPECT_EQ(view.VertScrollBar()->value(), 0);
    view.VertScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(view.VertScrollPosition(), std::min(view.ClientViewHeight(), view.VertScrollMax()));
}

struct ViewLayoutCase {
    const char* name;
    Mode mode;
    int width, height;
    bool horzBar, vertBar;
};

class ViewLayoutTest : public ControlTest, public ::testing::WithParamInterface<ViewLayoutCase> {};

TEST_P(ViewLayoutTest, PageIsCentredOrScrolled) {
    const ViewLayoutCase& c = GetParam();
    view.resize(c.width, c.height);
    view.setScaleMode(c.mode);
    EXPECT_EQ(view.HorzScrollBarVisible(), c.horzBar);
    EXPECT_EQ(view.VertScrollBarVisible(), c.vertBar);
    EXPECT_EQ(view.HorzScrollBar()->isVisible(), c.horzBar);
    EXPECT_EQ(view.VertScrollBar()->isVisible(), c.vertBar);
    const TRect r = view.GetPageRect();
    const int viewWidth = view.ClientViewWidth(), viewHeight = view.ClientViewHeight();
    EXPECT_EQ(r.Left, std::max(0, (viewWidth - r.Width()) / 2));
    EXPECT_EQ(r.Top, std::max(0, (viewHeight - r.Height()) / 2));
    if (c.mode == Mode::smZoom) {
        EXPECT_EQ(r.Width(), std::lround(612 / 72.0 * view.logicalDpiX()));
    } else {
        // The page keeps its proportions.
        EXPECT_NEAR(double(r.Height()) / r.Width(), 792.0 / 612.0, 0.01);
    }
    if (c.vertBar) {
        EXPECT_EQ(view.VertScrollMax(), r.Height() - viewHeight);
    }
    // Scrolled fully, the page's far corner meets the view's.
    QTest::keyClick(&view, Qt::Key_End);
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    const TRect s = view.GetPageRect();
    if (c.vertBar) {
        EXPECT_EQ(s.Bottom, viewHeight);
    }
    if (c.horzBar) {
        EXPECT_EQ(s.Right, viewWidth);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ScaleModes, ViewLayoutTest,
    ::testing::Values(ViewLayoutCase{"auto", Mode::smFitAuto, 800, 600, false, false},
                      ViewLayoutCase{"auto_narrow", Mode::smFitAuto, 300, 700, false, false},
                      ViewLayoutCase{"width", Mode::smFitWidth, 800, 600, false, true},
                      ViewLayoutCase{"width_tall", Mode::smFitWidth, 500, 1200, false, false},
                      ViewLayoutCase{"height_narrow", Mode::smFitHeight, 300, 600, true, false},
                      ViewLayoutCase{"zoom", Mode::smZoom, 800, 600, true, true},
                      ViewLayoutCase{"zoom_large_view", Mode::smZoom, 1200, 1200, false, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ControlTest, DeviceAndPageCoordinatesRoundTrip) {
    view.setScaleMode(Mode::smZoom);
    for (int zoom : {50, 100, 200, 400}) {
        view.setZoomPercentage(zoom);
        for (int scroll : {0, 37, 10000}) {
            QTest::keyClick(&view, Qt::Key_Home);
            for (int i = 0; i < scroll / 25; ++i)
                QTest::keyClick(&view, Qt::Key_Down);
            const double pointsPerPixel = 72.0 / view.logicalDpiX() * 100.0 / zoom;
            for (const TPoint d : {TPoint{10, 10}, TPoint{400, 300}, TPoint{790, 590}}) {
                const TPdfPoint p = view.DeviceToPage(d.X, d.Y);
                EXPECT_EQ(view.PageToDevice(p.X, p.Y), d) << zoom << " " << scroll;
                const TPoint back = view.PageToDevice(p.X, p.Y);
                const TPdfPoint again = view.DeviceToPage(back.X, back.Y);
                EXPECT_NEAR(again.X, p.X, pointsPerPixel);
                EXPECT_NEAR(again.Y, p.Y, pointsPerPixel);
            }
            // Page space has y upwards: the page's top-left corner is (0, 792).
            const TRect page = view.GetPageRect();
            const TPdfPoint corner = view.DeviceToPage(page.Left, page.Top);
            EXPECT_NEAR(corner.X, 0, pointsPerPixel);
            EXPECT_NEAR(corner.Y, 792, pointsPerPixel);
        }
    }
}

TEST_F(ControlTest, TurnedPagesMapTheirCornersToo) {
    view.setScaleMode(Mode::smZoom);
    view.setRotation(TPdfRotation::pr90);
    const TRect page = view.GetPageRect();
    EXPECT_GT(page.Width(), page.Height()); // a portrait page lies on its side
    // Turned clockwise, the page's top-left corner comes to the top right.
    const TPoint corner = view.PageToDevice(0, 792);
    EXPECT_NEAR(corner.X, page.Right, 1);
    EXPECT_NEAR(corner.Y, page.Top, 1);
    const TPdfPoint back = view.DeviceToPage(corner.X, corner.Y);
    EXPECT_NEAR(back.X, 0, 1);
    EXPECT_NEAR(back.Y, 792, 1);
}

TEST_F(ControlTest, AWorkerReadsTextWhileTheViewPaints) {
    // The in-book search reads pages on a thread while the user turns and paints.
    std::atomic<bool> wrong = false;
    std::thread worker([&] {
        for (int round = 0; round < 30; ++round)
            for (int i = 0; i < view.Document().PageCount(); ++i) {
                auto page = view.Document().SharedPage(i);
                const std::u16string text = page->ReadText(0, page->GetCharCount());
                static const std::u16string starts[] = {u"Sumberlaras", u"Halaman", u"Ekonomi"};
                if (text.rfind(starts[i], 0) != 0)
                    wrong = true;
            }
    });
    view.HightlightText("baca", false, true);
    for (int turn = 0; turn < 30; ++turn) {
        view.setPageIndex(turn % 3);
        QCoreApplication::processEvents(); // lets the view open and release pages
        view.grab();
    }
    worker.join();
    EXPECT_FALSE(wrong);
}

TEST_F(ControlTest, WithoutADocumentEverythingIsZero) {
    view.Close();
    EXPECT_EQ(view.DeviceToPage(100, 100), (TPdfPoint{}));
    EXPECT_EQ(view.DeviceToPage(TRect{1, 2, 300, 400}), (TPdfRect{}));
    EXPECT_EQ(view.PageToDevice(100, 100), (TPoint{}));
    EXPECT_EQ(view.PageToDevice(TPdfRect{1, 2, 300, 400}), (TRect{}));
    EXPECT_TRUE(view.GetTextInRect(TRect{0, 0, 800, 600}).isEmpty());
    EXPECT_EQ(view.SelStart(), 0);
    EXPECT_EQ(view.SelLength(), 0);
    view.SelectAll();
    EXPECT_EQ(view.SelLength(), 0);
}

TEST_F(ControlTest, DocumentsThatCannotBeShownSayWhy) {
    const struct {
        const char* name;
        QByteArray bytes;
        const char* text;
    } cases[] = {
        {"not a PDF", "hanya teks", "File is not a PDF document or is corrupted"},
        {"broken", testing::brokenPdf(), "File is not a PDF document or is corrupted"},
        {"encrypted", testing::passwordProtectedPdf(), "Password required oder invalid password"},
    };
    for (const auto& c : cases) {
        pageChanges = 0;
        try {
            load(c.bytes);
            ADD_FAILURE() << c.name << " opened";
        } catch (const EPdfError& e) {
            EXPECT_STREQ(e.what(), c.text) << c.name;
        }
        EXPECT_EQ(view.PageCount(), 0) << c.name;
        EXPECT_EQ(pageChanges, 0) << c.name;
    }
    try {
        view.LoadFromFile("/nonexistent/buku.pdf");
        ADD_FAILURE() << "missing file opened";
    } catch (const EPdfError& e) {
        EXPECT_STREQ(e.what(), "File not found or can't be opened");
    }
    // A good document still opens afterwards.
    load(testing::bookPdf());
    EXPECT_EQ(view.PageCount(), 3);
}

// Pages rendered ahead or kept from before must never show stale pixels: after each
// step, the view shows exactly what a freshly opened view shows in the same state.
TEST_F(ControlTest, TurnedPagesShowWhatAFreshViewShows) {
    QList<testing::FixturePage> pages = testing::bookPages();
    pages[1].size = {792, 612}; // a landscape page between two upright ones
    const QByteArray book = testing::makePdf(pages);
    load(book);
    struct Step {
        const char* name;
        std::function<void(TPdfControl&)> apply;
    };
    const std::vector<Step> steps = {
        {"forward", [](TPdfControl& v) { v.setPageIndex(1); }},
        {"forward again", [](TPdfControl& v) { v.setPageIndex(2); }},
        {"back", [](TPdfControl& v) { v.setPageIndex(1); }},
        {"page colour", [](TPdfControl& v) { v.setPageColor(QColor(250, 240, 200)); }},
        {"forward in the new colour", [](TPdfControl& v) { v.setPageIndex(2); }},
        {"turned", [](TPdfControl& v) { v.setRotation(TPdfRotation::pr90); }},
        {"back while turned", [](TPdfControl& v) { v.setPageIndex(1); }},
        {"zoomed",
         [](TPdfControl& v) {
             v.setScaleMode(TPdfControlScaleMode::smZoom);
             v.setZoomPercentage(80);
         }},
        {"first page", [](TPdfControl& v) { v.setPageIndex(0); }},
        {"next page", [](TPdfControl& v) { v.setPageIndex(1); }},
    };
    std::vector<const Step*> done;
    for (const Step& step : steps) {
        step.apply(view);
        done.push_back(&step);
        view.repaint();
        QCoreApplication::processEvents(); // what the view does between frames
        TPdfControl fresh;
        fresh.resize(view.size());
        fresh.show();
        QByteArray copy = book;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        fresh.LoadFromStream(buffer);
        for (const Step* d : done)
            d->apply(fresh);
        EXPECT_EQ(frame(), fresh.grab().toImage()) << step.name;
    }
}

TEST_F(ControlTest, SearchMarksWholeWordsAndFollowPageChanges) {
    view.HightlightText("baca", false, true);
    ASSERT_FALSE(view.HighlightRects().empty());
    // Every mark lies on a whole word, never inside "membaca" (characters 12..18).
    TPdfPage* page = view.CurrentPage();
    const TPdfRect membaca = *page->CharBox(18);
    for (const TPdfRect& r : view.HighlightRects()) {
        const std::u16string under = page->GetTextAt(r);
        EXPECT_FALSE(r.Left <= membaca.Left && r.Right >= membaca.Right && r.Top >= membaca.Top)
            << "marked inside membaca";
        EXPECT_FALSE(under.empty());
    }
    const size_t caseless = view.HighlightRects().size();
    view.HightlightText("Baca", true, true);
    EXPECT_LT(view.HighlightRects().size(), caseless);
    EXPECT_FALSE(view.HighlightRects().empty());

    view.HightlightText("baca", false, true);
    view.setPageIndex(1); // no "baca" here
    EXPECT_TRUE(view.HighlightRects().empty());
    view.setPageIndex(2);
    EXPECT_FALSE(view.HighlightRects().empty());
    view.ClearHighlightText();
    EXPECT_TRUE(view.HighlightRects().empty());
    view.setPageIndex(0);
    EXPECT_TRUE(view.HighlightRects().empty());
}

TEST_F(ControlTest, SearchTextInsideLongerWordsOnlyMarksNothing) {
    view.HightlightText("emba", false, true);
    EXPECT_TRUE(view.HighlightRects().empty());
    view.HightlightText("", false, true);
    EXPECT_TRUE(view.HighlightRects().empty());
}

} // namespace
} // namespace sumberlaras
