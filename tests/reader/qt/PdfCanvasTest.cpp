#include "tests/reader/qt/ControlFixture.h"

#include <QPainter>

namespace sumberlaras {
namespace {

using testing::ControlTest;

const QColor grey(128, 128, 128);

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

TEST_F(ControlTest, FocusRectangleDrawnTwiceLeavesNothing) {
    const QImage before = frame();
    const TRect r{200, 100, 400, 300};
    view.Canvas().DrawFocusRect(r);
    const QImage once = frame();
    EXPECT_NE(once, before);
    int inverted = 0; // dotted: every other pixel of the top edge
    for (int x = 200; x < 400; ++x)
        inverted += once.pixelColor(x, 100) == QColor(Qt::black) &&
                    before.pixelColor(x, 100) == QColor(Qt::white);
    EXPECT_NEAR(inverted, 100, 2);
    view.Canvas().DrawFocusRect(r);
    EXPECT_EQ(frame(), before);
}

TEST_F(ControlTest, CanvasDrawingBetweenPaintsLastsUntilTheNextRepaint) {
    const QImage before = frame();
    view.Canvas().SetPenColor(Qt::red);
    view.Canvas().SetPenWidth(3);
    view.Canvas().MoveTo(250, 250);
    view.Canvas().LineTo(350, 250);
    EXPECT_EQ(view.Canvas().PenPos(), (TPoint{350, 250}));
    EXPECT_EQ(frame().pixelColor(300, 250), QColor(Qt::red));
    view.Repaint();
    EXPECT_EQ(frame(), before);
}

TEST_F(ControlTest, CanvasOutlinesClipsBlendsAndDrawsImages) {
    TPdfCanvas& canvas = view.Canvas();
    canvas.SetBrushStyle(TPdfCanvas::TBrushStyle::bsClear);
    canvas.SetPenColor(Qt::blue);
    canvas.SetPenWidth(2);
    canvas.Rectangle(TRect{300, 100, 400, 200});
    canvas.SetClipRect(TRect{300, 300, 350, 400});
    canvas.BlendRect(TRect{300, 300, 400, 400}, QColor(0, 0, 0), 128);
    canvas.ClearClip();
    QImage dot(4, 4, QImage::Format_ARGB32);
    dot.fill(Qt::transparent);
    dot.setPixelColor(1, 1, Qt::green);
    canvas.Draw(500, 100, dot);

    const QImage image = frame();
    EXPECT_EQ(image.pixelColor(300, 150), QColor(Qt::blue));  // outline
    EXPECT_EQ(image.pixelColor(350, 150), QColor(Qt::white)); // clear interior
    EXPECT_NEAR(image.pixelColor(320, 350).red(), 127, 2);    // blended inside the clip
    EXPECT_EQ(image.pixelColor(380, 350), QColor(Qt::white)); // clipped away
    EXPECT_EQ(image.pixelColor(501, 101), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(500, 100), QColor(Qt::white)); // transparent pixel
}

TEST(CanvasColours, WindowsColourValues) {
    EXPECT_EQ(TPdfCanvas::fromColorRef(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(TPdfCanvas::fromColorRef(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(TPdfCanvas::fromColorRef(0x00FFFF), QColor(255, 255, 0));
}

} // namespace
} // namespace sumberlaras
