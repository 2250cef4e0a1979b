#include "reader/engine/PageLayout.h"

#include <gtest/gtest.h>

namespace sumberlaras {
namespace {

using Mode = TPdfControlScaleMode;

struct LayoutCase {
    const char* name;
    Mode mode;
    int zoom;
    TPdfRotation rotation;
    int clientWidth, clientHeight;
    int width, height;
    bool horzBar, vertBar;
    int horzMax, vertMax;
};

// A Letter page (612 x 792 points) at 96 dpi, scroll bars 16 pixels thick.
const LayoutCase layoutCases[] = {
    {"whole page, height bound", Mode::smFitAuto, 100, TPdfRotation::prNone, 800, 600, 464, 600,
     false, false, 0, 0},
    {"whole page, width bound", Mode::smFitAuto, 100, TPdfRotation::prNone, 300, 600, 300, 388,
     false, false, 0, 0},
    {"whole page, turned", Mode::smFitAuto, 100, TPdfRotation::pr90, 800, 600, 776, 600, false,
     false, 0, 0},
    {"width, too tall", Mode::smFitWidth, 100, TPdfRotation::prNone, 800, 600, 784, 1015, false,
     true, 0, 415},
    {"width, fits", Mode::smFitWidth, 100, TPdfRotation::prNone, 800, 1200, 800, 1035, false, false,
     0, 0},
    {"height, too wide", Mode::smFitHeight, 100, TPdfRotation::prNone, 300, 600, 451, 584, true,
     false, 151, 0},
    {"zoom 100, both bars", Mode::smZoom, 100, TPdfRotation::prNone, 800, 600, 816, 1056, true,
     true, 32, 472},
    {"zoom 50, fits", Mode::smZoom, 50, TPdfRotation::prNone, 800, 600, 408, 528, false, false, 0,
     0},
    // The vertical bar makes the page too wide: room is left for the horizontal bar
    // too, so the last 16 pixels of the page can still be scrolled into view.
    {"zoom 100, bar makes it too wide", Mode::smZoom, 100, TPdfRotation::prNone, 820, 1000, 816,
     1056, true, true, 12, 72},
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, SizeAndScrollBars) {
    const LayoutCase& c = GetParam();
    PageLayoutInput in;
    in.pageWidth = 612;
    in.pageHeight = 792;
    in.mode = c.mode;
    in.zoomPercentage = c.zoom;
    in.rotation = c.rotation;
    in.clientWidth = c.clientWidth;
    in.clientHeight = c.clientHeight;
    in.horzBarHeight = 16;
    in.vertBarWidth = 16;
    const PageLayout l = computePageLayout(in);
    EXPECT_EQ(l.width, c.width);
    EXPECT_EQ(l.height, c.height);
    EXPECT_EQ(l.horzBar, c.horzBar);
    EXPECT_EQ(l.vertBar, c.vertBar);
    EXPECT_EQ(l.horzMax(), c.horzMax);
    EXPECT_EQ(l.vertMax(), c.vertMax);
    EXPECT_EQ(l.viewWidth, c.clientWidth - (c.vertBar ? 16 : 0));
    EXPECT_EQ(l.viewHeight, c.clientHeight - (c.horzBar ? 16 : 0));
}

INSTANTIATE_TEST_SUITE_P(ScaleModes, LayoutTest, ::testing::ValuesIn(layoutCases),
                         [](const auto& param) {
                             std::string n = param.param.name;
                             for (char& ch : n)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

TEST(PageOrigin, CentresWhenItFitsElseScrolls) {
    EXPECT_EQ(pageOrigin(800, 464, 0), 168);
    EXPECT_EQ(pageOrigin(801, 464, 0), 168);
    EXPECT_EQ(pageOrigin(784, 816, 0), 0);
    EXPECT_EQ(pageOrigin(784, 816, 20), -20);
}

TEST(DirectRendering, OnlyPagesLargerThanTheAreaAndTheLimit) {
    EXPECT_FALSE(rendersDirectly(816, 1056, 800, 600));
    EXPECT_FALSE(rendersDirectly(4096, 2160, 800, 600)); // exactly the limit
    EXPECT_TRUE(rendersDirectly(4096, 2161, 800, 600));
    EXPECT_FALSE(rendersDirectly(4096, 2161, 5000, 5000)); // smaller than the area
}

struct ScrollCase {
    const char* name;
    int position, maximum;
    bool barShown;
    int offset;
    bool autoPageChange;
    int newPosition, turn;
};

TEST(ScrollRule, MovesWithinTheRangeAndTurnsOnlyAtTheEnds) {
    const ScrollCase cases[] = {
        {"page fits: nothing", 0, 0, false, 120, true, 0, 0},
        {"moves down", 0, 100, true, 25, true, 25, 0},
        {"reaches the bottom without turning", 50, 100, true, 120, true, 100, 0},
        {"at the bottom: next page", 100, 100, true, 120, true, 100, 1},
        {"at the top: previous page", 0, 100, true, -120, true, 0, -1},
        {"at the bottom without turning", 100, 100, true, 120, false, 100, 0},
        {"no step", 100, 100, true, 0, true, 100, 0},
    };
    for (const ScrollCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ScrollStep s =
            scrollVertically(c.position, c.maximum, c.barShown, c.offset, c.autoPageChange);
        EXPECT_EQ(s.position, c.newPosition);
        EXPECT_EQ(s.turn, c.turn);
    }
}

} // namespace
} // namespace sumberlaras
