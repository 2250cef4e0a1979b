#include "reader/qt/PagePainter.h"
#include "tests/reader/qt/ControlFixture.h"

#include <QPainter>

namespace sumberlaras {
namespace {

using testing::ControlTest;

const QColor grey(128, 128, 128);

// Through the view: what a frame shows.

TEST_F(ControlTest, PaintsBackgroundPageAndThenTheHook) {
    int paints = 0;
    QColor underHook;
    view.OnPaint = [&](TPdfControl* c) {
        ++paints;
        c->Canvas().BlendRect(TRect{0, 0, 10, 10}, Qt::black, 255);
    };
    const QImage image = frame();
    EXPECT_GE(paints, 1);
    const TRect page = view.GetPageRect();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::black)); // the hook drew last
    EXPECT_EQ(image.pixelColor(page.Left / 2, 300), grey);
    EXPECT_EQ(image.pixelColor(page.Left + 3, page.Top + 3), QColor(Qt::white));
}

TEST_F(ControlTest, TextIsDrawnWhereItsCharactersAre) {
    const struct {
        TPdfControlScaleMode mode;
        int zoom;
        bool buffered;
    } cases[] = {
        {TPdfControlScaleMode::smFitAuto, 100, true},
        {TPdfControlScaleMode::smZoom, 100, true},
        {TPdfControlScaleMode::smFitAuto, 100, false},
        {TPdfControlScaleMode::smZoom, 400, true}, // too large to buffer: drawn directly
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom);
        view.setScaleMode(c.mode);
        view.setZoomPercentage(c.zoom);
        view.setBufferedPageDraw(c.buffered);
        TPdfPage* page = view.CurrentPage();
        const int n = 24; // "Sumberlaras membaca buku", the first line
        QRect line;
        for (int i = 0; i < n; ++i)
            if (const auto box = page->CharBox(i)) {
                const TRect d = view.PageToDevice(*box);
                line |= QRect(QPoint(d.Left, d.Top), QPoint(d.Right - 1, d.Bottom - 1));
            }
        line &= QRect(0, 0, view.ClientViewWidth(), view.ClientViewHeight());
        ASSERT_FALSE(line.isEmpty());
        // Ink of that line's band, from its leftmost to its rightmost dark pixel.
        const QImage image = frame();
        int left = image.width(), right = -1;
        for (int y = line.top(); y <= line.bottom(); ++y)
            for (int x = 0; x < view.ClientViewWidth(); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        EXPECT_NEAR(left, line.left(), 3);
        EXPECT_NEAR(right, line.right(), 3);
    }
}

TEST_F(ControlTest, WithoutAPageTheHookStillRuns) {
    view.Close();
    int paints = 0;
    view.OnPaint = [&](TPdfControl*) { ++paints; };
    const QImage image = frame();
    EXPECT_GE(paints, 1);
    EXPECT_EQ(image.pixelColor(400, 300), grey);
}

TEST_F(ControlTest, PageColorFillsThePage) {
    view.setPageColor(QColor(255, 255, 200));
    const TRect page = view.GetPageRect();
    EXPECT_EQ(frame().pixelColor(page.Left + 3, page.Top + 3), QColor(255, 255, 200));
}

TEST_F(ControlTest, SearchMarksAreBlendedInTheirColour) {
    const QImage before = frame();
    view.HightlightText("Sumberlaras", false, true);
    ASSERT_FALSE(view.HighlightRects().empty());
    const QRegion area = testing::deviceArea(view, view.HighlightRects());
    EXPECT_GT(testing::paperPixels(before, area), 0);
    EXPECT_EQ(testing::blendedPaperPixels(before, frame(), area, QColor(254, 142, 50)),
              testing::paperPixels(before, area));
}

// The painter alone, on an image.

QImage whiteImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(PagePainterAlone, WithoutAPageFillsTheViewAndTheCorner) {
    PageBitmapCache cache;
    PagePainter painter(cache);
    PagePainter::Frame frame;
    frame.view = QRect(0, 0, 100, 80);
    frame.corner = QRect(100, 80, 10, 10);
    frame.cornerBrush = QBrush(Qt::red);
    frame.background = grey;
    QImage image = whiteImage(110, 90);
    QPainter p(&image);
    EXPECT_FALSE(painter.paint(p, frame).has_value());
    p.end();
    EXPECT_EQ(image.pixelColor(50, 40), grey);
    EXPECT_EQ(image.pixelColor(105, 85), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(105, 40), QColor(Qt::white)); // under the bar: not painted
}

TEST(PagePainterAlone, TouchingRectanglesAreBlendedOnce) {
    QImage image = whiteImage(60, 30);
    QPainter p(&image);
    PagePainter::blendRects(p, {TRect{10, 10, 30, 20}, TRect{20, 10, 40, 20}},
                            PagePainter::HighlightColor);
    p.end();
    const QColor once = image.pixelColor(12, 15);
    EXPECT_NE(once, QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(25, 15), once); // where both lie
    EXPECT_EQ(image.pixelColor(38, 15), once);
    EXPECT_EQ(image.pixelColor(45, 15), QColor(Qt::white));
}

class PagePainterOnABook : public ::testing::Test {
protected:
    void SetUp() override {
        const QByteArray bytes = testing::bookPdf();
        doc.LoadFromMemory(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        frame.view = QRect(0, 0, 300, 300);
        frame.background = grey;
        frame.page = doc.Pages(0);
        frame.pageRect = QRect(20, 10, 232, 300);
        frame.key = PageKey{0, frame.pageRect.size(), 1.0, TPdfRotation::prNone, 0, 0xFFFFFFFF};
    }

    QImage paint(std::optional<PageKey>* shown = nullptr) {
        QImage image(300, 300, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        const auto key = painter.paint(p, frame);
        if (shown)
            *shown = key;
        return image;
    }

    TPdfDocument doc;
    PageBitmapCache cache;
    PagePainter painter{cache};
    PagePainter::Frame frame;
};

TEST_F(PagePainterOnABook, AKeptBitmapAndADirectRenderShowTheSame) {
    std::optional<PageKey> shown;
    const QImage buffered = paint(&shown);
    EXPECT_EQ(shown, frame.key);
    EXPECT_TRUE(cache.holds(frame.key));
    EXPECT_EQ(buffered.pixelColor(10, 150), grey); // beside the page
    EXPECT_EQ(buffered.pixelColor(25, 15), QColor(Qt::white));

    frame.buffered = false;
    cache.clear();
    const QImage direct = paint(&shown);
    EXPECT_EQ(shown, frame.key);
    EXPECT_FALSE(cache.holds(frame.key));
    EXPECT_EQ(direct, buffered);
}

TEST_F(PagePainterOnABook, APageOutOfViewIsNotRenderedDirectly) {
    frame.buffered = false;
    frame.pageRect = QRect(400, 0, 232, 300);
    std::optional<PageKey> shown = frame.key;
    const QImage image = paint(&shown);
    EXPECT_FALSE(shown.has_value());
    EXPECT_EQ(image.pixelColor(150, 150), grey);
}

TEST_F(PagePainterOnABook, MarksGoOverThePage) {
    PageOverlay overlay([](const TPdfRect& r) {
        return TRect{int(r.Left), int(r.Top), int(r.Right), int(r.Bottom)};
    });
    overlay.setSelection({TPdfRect{30, 20, 60, 40}});
    overlay.setMarks({TPdfRect{100, 20, 130, 40}});
    frame.overlay = &overlay;
    const QImage image = paint();
    const auto mix = [](int c) { return (255 * 128 + c * 127) / 255; };
    const QColor selection = image.pixelColor(40, 30), mark = image.pixelColor(110, 30);
    EXPECT_NEAR(selection.blue(), mix(254), 2);
    EXPECT_NEAR(selection.red(), mix(50), 2);
    EXPECT_NEAR(mark.red(), mix(254), 2);
    EXPECT_NEAR(mark.blue(), mix(50), 2);
    EXPECT_EQ(image.pixelColor(80, 30), QColor(Qt::white));
}

} // namespace
} // namespace sumberlaras
