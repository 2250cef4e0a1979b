#include "annotations/Paint.h"

#include <gtest/gtest.h>

#include "annotations/Document.h"
#include "annotations/Note.h"
#include "tests/annotations/FakeView.h"

namespace sumberlaras::annotations {
namespace {

using testing::FakeView;
using testing::RecordingCanvas;

Json box(double l, double t, double r, double b) {
    return {{"left", l}, {"top", t}, {"right", r}, {"bottom", b}};
}

TEST(AnnotationPaint, ItemsOfTheShownPageAreDrawnInTheirOrder) {
    Json document = {{"id_konten", "7"}, {"data", Json::array()}};
    append(
        document,
        {{"page", 0}, {"type", "RECTANGLE"}, {"color", 255}, {"point", box(300, 700, 100, 750)}});
    append(document,
           {{"page", 1}, {"type", "RECTANGLE"}, {"color", 255}, {"point", box(0, 800, 10, 790)}});
    append(document, noteItem(0, {}, box(50, 750, 75, 725)));
    append(document, {{"page", 0},
                      {"type", "HIGHLIGHT"},
                      {"color", 65535},
                      {"point_data", {box(100, 700, 300, 688), box(100, 670, 250, 658)}},
                      {"point", box(100, 700, 300, 658)}});
    append(document,
           {{"page", 0}, {"type", "HIGHLIGHT"}, {"color", 65535}, {"point", box(1, 2, 3, 4)}});
    append(document, {{"page", 0},
                      {"type", "INK"},
                      {"color", 16711680},
                      {"point", {{"x", 10.0}, {"y", 790.0}}},
                      {"draw_data", {{{"x", 20.0}, {"y", 780.0}}, {{"x", 30.0}, {"y", 790.0}}}}});
    append(document, {{"page", 0}, {"type", "UNKNOWN"}, {"point", box(0, 800, 600, 0)}});
    RecordingCanvas canvas;
    paintPage(document, FakeView(0, 2), canvas);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{
                                // reversed and not clipped
                                "outline 600,200,200,100 0000ff w2",
                                // at the box's corner, whatever its size
                                "note 100,100",
                                "blend 200,200,600,224 00ffff 130",
                                "blend 200,260,500,284 00ffff 130",
                                "polyline 20,20 40,40 60,20 ff0000 w3",
                            }));
    // Reading a highlight without boxes gives it an empty array.
    EXPECT_TRUE(items(document)[4]["point_data"].empty());
}

TEST(AnnotationPaint, NumbersBeyondTheirRangeAreNoPageAndNoColour) {
    const std::string point = R"("point":{"left":0,"top":800,"right":10,"bottom":790})";
    const std::string boxes = R"("point_data":[{"left":0,"top":800,"right":10,"bottom":790}])";
    Json document =
        Json::parse(R"({"data":[{"page":1e300,"type":"RECTANGLE","color":255,)" + point + "}," +
                    R"({"page":4294967296,"type":"NOTES",)" + point + "}," +
                    R"({"page":0,"type":"RECTANGLE","color":1e300,)" + point + "}," +
                    R"({"page":0.5,"type":"HIGHLIGHT","color":-1e19,)" + boxes + "}]}");
    RecordingCanvas canvas;
    paintPage(document, FakeView(0), canvas);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"outline 0,0,10,10 000000 w2",
                                                      "blend 0,0,10,10 000000 130"}));
}

TEST(AnnotationNote, ItsMembersAreWrittenInOrder) {
    const NoteText text{"Tahoma", 8, -16777208, "10/12/26", "Baca lagi\nbab dua"};
    EXPECT_EQ(noteItem(3, text, box(1.5, 2, 3, 4)).dump(),
              R"({"page":3,"type":"NOTES","note_id":"","color":374470,"font":"Tahoma",)"
              R"("size":8,"font_color":-16777208,"date":"10/12/26","text":"Baca lagi\nbab dua",)"
              R"("point":{"left":1.5,"top":2.0,"right":3.0,"bottom":4.0}})");
}

TEST(AnnotationDocument, AnItemIsFoundAgainWhereverItMoved) {
    Json document = {{"data", Json::array()}};
    for (int i = 0; i < 3; ++i)
        append(document, noteItem(0, {.text = std::to_string(i)}, box(i, 0, 0, 0)));
    const Json second = items(document)[1];
    EXPECT_EQ(findItem(document, 1, second), 1u);
    deleteAt(document, 0);
    EXPECT_EQ(findItem(document, 1, second), 0u);
    deleteAt(document, 0);
    EXPECT_EQ(findItem(document, 1, second), std::nullopt);
}

TEST(AnnotationDocument, AnItemIsFoundAgainAfterPaintingReadIt) {
    Json document = {{"data", Json::array()}};
    append(document,
           {{"page", 0}, {"type", "RECTANGLE"}, {"color", 255}, {"point", box(0, 800, 600, 0)}});
    append(document,
           {{"page", 0}, {"type", "HIGHLIGHT"}, {"color", 65535}, {"point", box(0, 800, 600, 0)}});
    const Json highlight = items(document)[1];
    RecordingCanvas canvas;
    paintPage(document, FakeView(0), canvas); // adds its empty "point_data"
    ASSERT_NE(items(document)[1], highlight);
    deleteAt(document, 0);
    EXPECT_EQ(findItem(document, 1, highlight), 0u);
    Json other = highlight;
    other["color"] = 255;
    EXPECT_EQ(findItem(document, 0, other), std::nullopt);
}

} // namespace
} // namespace sumberlaras::annotations
