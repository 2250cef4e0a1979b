#include "tests/reader/qt/ControlFixture.h"

#include <QPainter>

namespace sumberlaras {
namespace {

using testing::ControlTest;

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
