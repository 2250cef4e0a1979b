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

} // namespace
} // namespace sumberlaras
