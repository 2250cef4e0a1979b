// On a screen of pixel ratio 2 (set by the test main): device space stays in logical pixels, the
// page is rendered at the screen's pixel ratio.
#include "tests/reader/qt/ControlFixture.h"

namespace sumberlaras {
namespace {

using testing::ControlTest;

TEST_F(ControlTest, PageIsRenderedAtThePixelRatioInLogicalCoordinates) {
    ASSERT_EQ(view.devicePixelRatioF(), 2.0);
    // Same layout as at ratio 1: a Letter page filling the height of 800 x 600.
    EXPECT_EQ(view.GetPageRect(), (TRect{168, 0, 632, 600}));
    const TPdfPoint corner = view.DeviceToPage(168, 0);
    EXPECT_NEAR(corner.X, 0, 1.5);
    EXPECT_NEAR(corner.Y, 792, 1.5);

    const QImage image = frame();
    ASSERT_EQ(image.size(), QSize(1600, 1200));
    // Ink drawn from a bitmap of logical size and scaled up would come in uniform 2 x 2
    // blocks; rendered at the ratio, glyph edges fall inside blocks.
    const TRect word = view.PageToDevice(*view.CurrentPage()->CharBox(0));
    int inkBlocks = 0, detailedBlocks = 0;
    for (int y = 2 * std::min(word.Top, word.Bottom); y < 2 * std::max(word.Top, word.Bottom);
         y += 2)
        for (int x = 2 * 150; x < 2 * 450; x += 2) {
            const int a = qGray(image.pixel(x, y)), b = qGray(image.pixel(x + 1, y)),
                      c = qGray(image.pixel(x, y + 1)), d = qGray(image.pixel(x + 1, y + 1));
            if (std::min({a, b, c, d}) > 200)
                continue;
            ++inkBlocks;
            detailedBlocks += std::max({a, b, c, d}) - std::min({a, b, c, d}) > 40;
        }
    ASSERT_GT(inkBlocks, 20);
    EXPECT_GT(detailedBlocks * 4, inkBlocks);
}

} // namespace
} // namespace sumberlaras
