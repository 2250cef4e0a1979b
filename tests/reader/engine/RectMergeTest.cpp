#include "reader/engine/RectMerge.h"

#include <gtest/gtest.h>

namespace sumberlaras {
namespace {

TEST(RectMerge, CharacterBoxesBecomeLineRuns) {
    const struct {
        const char* name;
        std::vector<TRect> in, out;
    } cases[] = {
        {"touching boxes of one line",
         {{10, 10, 20, 30}, {20, 14, 28, 30}, {27, 10, 35, 30}},
         {{10, 10, 35, 30}}},
        {"a wide gap splits",
         {{10, 10, 20, 30}, {30, 10, 40, 30}},
         {{10, 10, 20, 30}, {30, 10, 40, 30}}},
        {"next line stays apart",
         {{10, 10, 20, 30}, {10, 32, 20, 52}},
         {{10, 10, 20, 30}, {10, 32, 20, 52}}},
        {"flipped and empty boxes",
         {{20, 30, 10, 10}, {5, 5, 5, 9}, {21, 12, 25, 28}},
         {{10, 10, 25, 30}}},
        {"nothing", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mergeLineRects(c.in), c.out) << c.name;
    // Words of one line, a space apart, join when gaps up to the line height may be bridged.
    const std::vector<TRect> words = {{10, 10, 40, 30}, {48, 10, 80, 30}, {10, 32, 40, 52}};
    EXPECT_EQ(mergeLineRects(words).size(), 3u);
    EXPECT_EQ(mergeLineRects(words, LineHeightGap),
              (std::vector<TRect>{{10, 10, 80, 30}, {10, 32, 40, 52}}));
}

// A match whose glyphs a PDF placed one by one, with gaps between them, is one
// mark per line; a match broken over two lines keeps two.
TEST(RectMerge, AMatchIsOneRectanglePerLine) {
    const std::vector<TPdfRect> glyphs = {
        {72, 700.9, 79.4, 692}, {80.9, 698.8, 86.5, 691.8}, {88.7, 698.8, 92.5, 692}};
    EXPECT_EQ(joinMatchRects(glyphs), (std::vector<TPdfRect>{{72, 700.9, 92.5, 691.8}}));
    const std::vector<TPdfRect> broken = {{300, 700, 340, 690}, {72, 680, 90, 670}};
    EXPECT_EQ(joinMatchRects(broken), broken);
    EXPECT_EQ(joinMatchRects({{80, 690, 72, 700}}), (std::vector<TPdfRect>{{72, 700, 80, 690}}));
    EXPECT_TRUE(joinMatchRects({}).empty());
}

} // namespace
} // namespace sumberlaras
