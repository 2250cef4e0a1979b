#include "reader/engine/TextSelection.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace sumberlaras {
namespace {

using Millis = TextSelection::Millis;
constexpr Millis DoubleClickTime{500};

// Two lines in page space (y upwards), each character 8 points wide in a 10-point
// cell; the line break has no box, as PDFium generates it.
//   "ab cd" on y 100..110: a0 b1 _2 c3 d4, then \r5 \n6
//   "ef gh" on y 80..90:   e7 f8 _9 g10 h11
PageChars twoLines() {
    PageChars chars;
    chars.text = u"ab cd\r\nef gh";
    for (int i = 0; i < static_cast<int>(chars.text.size()); ++i) {
        if (i == 5 || i == 6) {
            chars.boxes.push_back(std::nullopt);
            continue;
        }
        const int column = i < 5 ? i : i - 7;
        const double bottom = i < 5 ? 100 : 80;
        chars.boxes.push_back(TPdfRect{10.0 * column, bottom + 10, 10.0 * column + 8, bottom});
    }
    return chars;
}

TPdfPoint centre(int index) {
    const TPdfRect box = *twoLines().boxes[static_cast<size_t>(index)];
    return {(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
}

TEST(NearestChar, AtAnyDistanceTheFirstOfEqualOnesWins) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        TPdfPoint at;
        int index;
        double distance;
    } cases[] = {
        {"inside a box", centre(3), 3, 0},
        {"on a box's edge", {30, 100}, 3, 0},
        {"left of the first line", {-50, 105}, 0, 50},
        {"far below the last line", {1000, -1000}, 11, std::hypot(1000 - 48, 1000 + 80)},
        {"between the lines, as near to c as to g", {35, 95}, 3, 5},
    };
    const PageChars chars = twoLines();
    for (const auto& c : cases) {
        double distance = -1;
        EXPECT_EQ(nearestChar(chars.boxes, c.at, &distance), c.index) << c.name;
        EXPECT_DOUBLE_EQ(distance, c.distance) << c.name;
    }
    double distance = 0;
    EXPECT_EQ(nearestChar({}, {1, 1}, &distance), -1);
    EXPECT_EQ(distance, inf);
    EXPECT_EQ(nearestChar({std::nullopt, std::nullopt}, {1, 1}), -1); // only generated
}

TEST(RectContains, EdgesIncludedWhicheverWayTheRectangleRuns) {
    const struct {
        TPdfRect rect;
        TPdfPoint at;
        bool inside;
    } cases[] = {
        {{0, 10, 8, 0}, {4, 5}, true},    {{0, 10, 8, 0}, {0, 0}, true},
        {{0, 10, 8, 0}, {8, 10}, true},   {{0, 10, 8, 0}, {8.01, 5}, false},
        {{8, 0, 0, 10}, {4, 5}, true},    {{0, 10, 8, 0}, {4, -0.01}, false},
        {{0, 10, 8, 0}, {-1, 11}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rectContains(c.rect, c.at), c.inside) << c.at.X << "," << c.at.Y;
}

enum class Act { Press, DoublePress, Drag, Release, Cancel };

struct Step {
    Act act;
    TPdfPoint at;
    int ms = 0; // time of a press
};

struct SelectionCase {
    const char* name;
    std::vector<Step> steps;
    TextSelection::Range range;
    bool selecting;
    int first, length;
};

Step press(int index, int ms = 0) {
    return {Act::Press, centre(index), ms};
}
Step pressAt(TPdfPoint at, int ms = 0) {
    return {Act::Press, at, ms};
}
Step doublePress(int index, int ms = 0) {
    return {Act::DoublePress, centre(index), ms};
}
Step drag(int index) {
    return {Act::Drag, centre(index)};
}
Step dragTo(TPdfPoint at) {
    return {Act::Drag, at};
}
Step release(int index) {
    return {Act::Release, centre(index)};
}
Step cancel() {
    return {Act::Cancel, {}};
}

const TPdfPoint leftOfA{-20, 105}; // nearest to "a", outside its box

const SelectionCase selectionCases[] = {
    {"a press alone shows nothing", {press(3)}, {3, 3, false}, true, 0, 0},
    {"leaving the pressed character's box shows it",
     {press(0), dragTo(leftOfA)},
     {0, 0, true},
     true,
     0,
     1},
    {"back inside its box hides it again",
     {press(0), dragTo(leftOfA), drag(0)},
     {0, 0, false},
     true,
     0,
     0},
    {"pressed outside and dragged inside shows it",
     {pressAt(leftOfA), drag(0)},
     {0, 0, true},
     true,
     0,
     1},
    {"dragging forward", {press(3), drag(8)}, {3, 8, true}, true, 3, 6},
    {"dragging backward", {press(8), drag(1)}, {8, 1, true}, true, 1, 8},
    {"release moves the stop once more and ends the drag",
     {press(3), drag(4), release(8)},
     {3, 8, true},
     false,
     3,
     6},
    {"a drag after the release changes nothing",
     {press(3), release(4), drag(8)},
     {3, 4, true},
     false,
     3,
     2},
    {"a double press selects the word", {doublePress(3)}, {3, 4, true}, true, 3, 2},
    {"a double press on a space selects the space", {doublePress(2)}, {2, 2, true}, true, 2, 1},
    {"a press inside the word in the window selects the line",
     {doublePress(3, 0), press(4, 500)},
     {0, 4, true},
     true,
     0,
     5},
    {"the window closes after the double-click time",
     {doublePress(3, 0), press(4, 501)},
     {4, 4, false},
     true,
     0,
     0},
    {"a press outside the word in the window starts afresh",
     {doublePress(3, 0), press(0, 100)},
     {0, 0, false},
     true,
     0,
     0},
    {"the window opens once",
     {doublePress(3, 0), press(4, 100), press(4, 200)},
     {4, 4, false},
     true,
     0,
     0},
    {"dragging inside the word keeps it whole",
     {doublePress(3), drag(4), drag(3)},
     {3, 4, true},
     true,
     3,
     2},
    {"dragging past the word extends it from its far end",
     {doublePress(3), drag(8)},
     {3, 8, true},
     true,
     3,
     6},
    {"dragging back past the word extends it from its other end",
     {doublePress(3), drag(0)},
     {4, 0, true},
     true,
     0,
     5},
    {"a line extends like a word",
     {doublePress(7, 0), press(8, 10), drag(0)},
     {11, 0, true},
     true,
     0,
     12},
    {"a plain press after a word drags as usual",
     {doublePress(3, 0), press(8, 600), drag(10)},
     {8, 10, true},
     true,
     8,
     3},
    {"cancel drops the selection and the drag",
     {press(3), drag(8), cancel()},
     {0, 0, false},
     false,
     0,
     0},
};

class SelectionRules : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionRules, StepsGiveTheRange) {
    const SelectionCase& c = GetParam();
    TextSelection selection;
    selection.setChars(twoLines());
    for (const Step& step : c.steps) {
        switch (step.act) {
        case Act::Press:
        case Act::DoublePress:
            selection.press(step.at, step.act == Act::DoublePress, Millis(step.ms),
                            DoubleClickTime);
            break;
        case Act::Drag:
            selection.drag(step.at);
            break;
        case Act::Release:
            selection.release(step.at);
            break;
        case Act::Cancel:
            selection.cancel();
            break;
        }
    }
    EXPECT_EQ(selection.range(), c.range);
    EXPECT_EQ(selection.selecting(), c.selecting);
    EXPECT_EQ(selection.first(), c.first);
    EXPECT_EQ(selection.length(), c.length);
}

INSTANTIATE_TEST_SUITE_P(PressDragRelease, SelectionRules, ::testing::ValuesIn(selectionCases),
                         [](const auto& param) {
                             std::string n = param.param.name;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

TEST(SelectionState, WithoutPlacedCharactersNothingStarts) {
    for (const PageChars& chars : {PageChars{}, PageChars{u"\r\n", {std::nullopt, std::nullopt}}}) {
        TextSelection selection;
        selection.setChars(chars);
        selection.press({5, 5}, false, Millis(0), DoubleClickTime);
        selection.press({5, 5}, true, Millis(0), DoubleClickTime);
        selection.drag({9, 9});
        EXPECT_FALSE(selection.selecting());
        EXPECT_EQ(selection.range(), TextSelection::Range{});
        EXPECT_EQ(selection.nearest({5, 5}), -1);
    }
    // Nor before the page's characters are known.
    TextSelection unread;
    unread.press(centre(3), false, Millis(0), DoubleClickTime);
    EXPECT_FALSE(unread.selecting());
}

TEST(SelectionState, WholePageClearAndNewCharacters) {
    TextSelection selection;
    selection.setChars(twoLines());
    const struct {
        const char* name;
        int selectAll; // -1: clear instead
        TextSelection::Range range;
    } steps[] = {
        {"all of twelve", 12, {0, 11, true}},
        {"all of nothing keeps what was", 0, {0, 11, true}},
        {"cleared", -1, {0, 0, false}},
        {"all of one", 1, {0, 0, true}},
    };
    for (const auto& s : steps) {
        if (s.selectAll < 0)
            selection.clear();
        else
            selection.selectAll(s.selectAll);
        EXPECT_EQ(selection.range(), s.range) << s.name;
    }
    EXPECT_EQ(selection.length(), 1);
    // The characters of another page leave the range to the caller.
    selection.selectAll(12);
    selection.setChars(PageChars{});
    EXPECT_EQ(selection.range(), (TextSelection::Range{0, 11, true}));
    EXPECT_TRUE(selection.hasChars());
    selection.forgetChars();
    EXPECT_FALSE(selection.hasChars());
}

} // namespace
} // namespace sumberlaras
