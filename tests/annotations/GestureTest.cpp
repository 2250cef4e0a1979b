#include "annotations/Gesture.h"

#include <gtest/gtest.h>

#include "annotations/Document.h"
#include "tests/annotations/FakeView.h"

namespace sumberlaras::annotations {
namespace {

using testing::FakeView;
using testing::RecordingCanvas;

struct Move {
    int x, y;
    bool held = true;
};

struct Gesture {
    DevicePoint press;
    std::vector<Move> moves;
    DevicePoint release;
};

ToolStates only(ToolButton tool) {
    ToolStates s;
    switchMode(s, tool);
    return s;
}

struct Done {
    GestureRecorder recorder;
    RecordingCanvas canvas;
    Json document = {{"id_konten", "7"}, {"data", Json::array()}};
    ReleaseOutcome outcome;
};

Done perform(const ToolStates& tools, const Gesture& g, const std::vector<PageBox>& selection = {},
             const PageTransform& view = FakeView()) {
    Done run;
    const ToolColours colours;
    run.recorder.press(view, MouseButton::Left, g.press.x, g.press.y, tools, colours, run.canvas);
    for (const Move& m : g.moves)
        run.recorder.move(view, m.x, m.y, m.held, tools, colours, run.canvas);
    run.outcome = run.recorder.release(view, MouseButton::Left, g.release.x, g.release.y, tools,
                                       colours, selection, run.document, run.canvas);
    return run;
}

TEST(AnnotationGesture, EachToolMakesItsItemAndDrawsItAtOnce) {
    const struct {
        const char* name;
        ToolButton tool;
        Gesture gesture;
        std::vector<PageBox> selection;
        const char* data;
        std::vector<std::string> calls;
        std::optional<ToolButton> clickOff;
    } cases[] = {
        {"rectangle",
         ToolButton::Rect,
         {{100, 100}, {{150, 120}, {200, 150}}, {200, 150}},
         {},
         R"([{"page":0,"type":"RECTANGLE","color":255,)"
         R"("point":{"left":100.0,"top":700.0,"right":200.0,"bottom":650.0}}])",
         {"focus 100,100,100,100", "focus 100,100,100,100", "focus 100,100,150,120",
          "focus 100,100,150,120", "focus 100,100,200,150", "focus 100,100,200,150",
          "outline 100,100,200,150 0000ff w2 clip 0,0,600,800"},
         ToolButton::Rect},
        {"pen stroke",
         ToolButton::Pen,
         {{100, 100}, {{110, 105}, {130, 130, false}, {120, 90}}, {120, 90}},
         {},
         R"([{"page":0,"type":"INK","color":16711680,"point":{"x":100.0,"y":700.0,)"
         R"("left":110.0,"top":710.0,"right":120.0,"bottom":695.0},)"
         R"("draw_data":[{"x":110.0,"y":695.0},{"x":120.0,"y":710.0}]}])",
         {"line 100,100-110,105 ff0000 w3", "line 110,105-120,90 ff0000 w3"},
         ToolButton::Pen},
        {"pen without movement is a dot",
         ToolButton::Pen,
         {{50, 60}, {}, {50, 60}},
         {},
         R"([{"page":0,"type":"INK","color":16711680,"point":{"x":50.0,"y":740.0,)"
         R"("left":50.0,"top":740.0,"right":50.0,"bottom":740.0},)"
         R"("draw_data":[{"x":50.0,"y":740.0}]}])",
         {"line 50,60-50,60 ff0000 w3"},
         ToolButton::Pen},
        {"highlight of one line takes the line's height",
         ToolButton::Highlight,
         {{90, 95}, {{310, 130}}, {310, 130}},
         {{100, 700, 300, 688}},
         R"([{"page":0,"type":"HIGHLIGHT","color":65535,)"
         R"("draw_data":[{"left":100,"top":100,"right":300,"bottom":112}],)"
         R"("point_data":[{"left":100.0,"top":700.0,"right":300.0,"bottom":688.0}],)"
         R"("point":{"left":90.0,"top":700.0,"right":310.0,"bottom":688.0}}])",
         {"blend 100,100,300,112 00ffff 127"},
         ToolButton::Highlight},
        {"highlight of two lines encloses drag and lines",
         ToolButton::Highlight,
         {{105, 105}, {}, {240, 135}},
         {{100, 700, 300, 688}, {100, 670, 250, 658}},
         R"([{"page":0,"type":"HIGHLIGHT","color":65535,)"
         R"("draw_data":[{"left":100,"top":100,"right":300,"bottom":112},)"
         R"({"left":100,"top":130,"right":250,"bottom":142}],)"
         R"("point_data":[{"left":100.0,"top":700.0,"right":300.0,"bottom":688.0},)"
         R"({"left":100.0,"top":670.0,"right":250.0,"bottom":658.0}],)"
         R"("point":{"left":100.0,"top":700.0,"right":300.0,"bottom":658.0}}])",
         {"blend 100,100,300,112 00ffff 127", "blend 100,130,250,142 00ffff 127"},
         ToolButton::Highlight},
        {"highlight without selected text keeps only its box",
         ToolButton::Highlight,
         {{10, 20}, {}, {30, 40}},
         {},
         R"([{"page":0,"type":"HIGHLIGHT","color":65535,)"
         R"("point":{"left":10.0,"top":780.0,"right":30.0,"bottom":760.0}}])",
         {},
         ToolButton::Highlight},
        {"note tool adds nothing itself",
         ToolButton::Text,
         {{300, 400}, {{305, 402}}, {305, 402}},
         {},
         "[]",
         {},
         ToolButton::Text},
        {"text selection", ToolButton::TextSelect, {{300, 400}, {}, {320, 420}}, {}, "[]", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Done run = perform(only(c.tool), c.gesture, c.selection);
        EXPECT_EQ(run.document["data"].dump(), c.data);
        EXPECT_EQ(run.canvas.calls, c.calls);
        EXPECT_EQ(run.outcome.clickOff, c.clickOff);
        EXPECT_FALSE(run.recorder.isDragging);
    }
}

TEST(AnnotationGesture, NotePlacementAndTextSelectionSetTheDrawRect) {
    Done note = perform(only(ToolButton::Text), {{300, 400}, {}, {305, 402}});
    EXPECT_TRUE(note.outcome.placeNote);
    EXPECT_EQ(note.recorder.DrawRect, (DeviceRect{300, 400, 350, 450}));
    Done select = perform(only(ToolButton::TextSelect), {{300, 400}, {}, {320, 420}});
    EXPECT_FALSE(select.outcome.placeNote);
    EXPECT_EQ(select.recorder.DrawRect, (DeviceRect{300, 400, 320, 420}));
}

TEST(AnnotationGesture, OnlyTheHorizontalExtentOfThePageIsTested) {
    const FakeView view(0, 1, 50, 20); // the page spans x 50..650, y 20..820
    const struct {
        int x, y;
        bool starts;
    } cases[] = {{49, 100, false},  {50, 100, true}, {650, 100, true},
                 {651, 100, false}, {100, 5, true},  {100, 900, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        GestureRecorder r;
        RecordingCanvas canvas;
        r.press(view, MouseButton::Left, c.x, c.y, only(ToolButton::Rect), {}, canvas);
        EXPECT_EQ(r.isDragging, c.starts);
        EXPECT_EQ(canvas.calls.size(), c.starts ? 1u : 0u);
    }
}

TEST(AnnotationGesture, ARectangleReleasedBesideThePageMakesNoItem) {
    const ToolStates tools = only(ToolButton::Rect);
    const FakeView view;
    Done run;
    run.recorder.press(view, MouseButton::Left, 100, 100, tools, {}, run.canvas);
    run.recorder.move(view, 700, 150, true, tools, {}, run.canvas);
    // Beside the page the point clicked follows the pointer.
    EXPECT_EQ(run.recorder.StartX, 700);
    const ReleaseOutcome out = run.recorder.release(view, MouseButton::Left, 700, 150, tools, {},
                                                    {}, run.document, run.canvas);
    EXPECT_FALSE(out.clickOff);
    EXPECT_TRUE(run.document["data"].empty());
    EXPECT_TRUE(run.recorder.isDragging);
    // The gesture is still open: its focus rectangle follows the pointer.
    run.canvas.calls.clear();
    run.recorder.move(view, 300, 200, false, tools, {}, run.canvas);
    EXPECT_EQ(run.canvas.calls,
              (std::vector<std::string>{"focus 100,100,100,100", "focus 100,100,300,200"}));
    // A right release ends nothing either.
    run.recorder.release(view, MouseButton::Right, 300, 200, tools, {}, {}, run.document,
                         run.canvas);
    EXPECT_TRUE(run.recorder.isDragging);
}

TEST(AnnotationGesture, AStrokeIsReplacedAtTheNextPressAndTakesThePenColour) {
    const ToolStates tools = only(ToolButton::Pen);
    const FakeView view;
    ToolColours colours;
    colours.clPen = 0x00FF00;
    Done run;
    run.recorder.press(view, MouseButton::Left, 10, 10, tools, colours, run.canvas);
    run.recorder.move(view, 20, 20, true, tools, colours, run.canvas);
    run.recorder.press(view, MouseButton::Left, 40, 40, tools, colours, run.canvas);
    EXPECT_EQ(run.recorder.TempInkJSON.dump(),
              R"({"page":0,"type":"INK","color":65280,"point":{"x":40.0,"y":760.0}})");
    // Another button starts a gesture but records no stroke.
    run.recorder.TempInkJSON = Json();
    run.recorder.press(view, MouseButton::Right, 40, 40, tools, colours, run.canvas);
    EXPECT_TRUE(run.recorder.isDragging);
    EXPECT_TRUE(run.recorder.TempInkJSON.is_null());
}

TEST(AnnotationGesture, ClickOutlinesTheFirstItemHitOnlyWhileShown) {
    Done run = perform(only(ToolButton::Rect), {{100, 100}, {}, {200, 150}});
    const FakeView view;
    GestureRecorder& r = run.recorder;
    RecordingCanvas canvas;
    r.move(view, 150, 120, false, {}, {}, canvas); // no gesture: the point follows
    r.click(run.document, view, false, canvas);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(r.itemAtClick(run.document, view, false), std::nullopt);
    r.click(run.document, view, true, canvas);
    r.click(run.document, view, true, canvas);
    EXPECT_EQ(canvas.calls,
              (std::vector<std::string>{"focus 100,100,200,150", "focus 100,100,200,150"}));
    EXPECT_EQ(r.itemAtClick(run.document, view, true), 0u);
    r.move(view, 250, 120, false, {}, {}, canvas);
    EXPECT_EQ(r.itemAtClick(run.document, view, true), std::nullopt);
}

} // namespace
} // namespace sumberlaras::annotations
