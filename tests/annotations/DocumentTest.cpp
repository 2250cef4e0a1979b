#include "annotations/Document.h"

#include <gtest/gtest.h>

namespace sumberlaras::annotations {
namespace {

// A page of 800 points shown at one pixel a point, with its top-left corner at
// the view's origin.
class FixedView final : public PageTransform {
public:
    explicit FixedView(int page) : page_(page) {}
    PagePoint DeviceToPage(int x, int y) const override { return {double(x), 800.0 - y}; }
    DevicePoint PageToDevice(double x, double y) const override {
        return {static_cast<int>(x), static_cast<int>(800 - y)};
    }
    DeviceRect PageRect() const override { return {0, 0, 600, 800}; }
    int PageIndex() const override { return page_; }

private:
    int page_;
};

// A box drawn downwards from device (100, 100) to (200, 150).
Json rectangle(int page, double left = 100, double top = 700, double right = 200,
               double bottom = 650) {
    return {{"page", page},
            {"type", "RECTANGLE"},
            {"color", 255},
            {"point", {{"left", left}, {"top", top}, {"right", right}, {"bottom", bottom}}}};
}

TEST(AnnotationDocument, AbsentMembersReadEmptyAndArraysAreAdded) {
    Json item = {{"page", "3"}, {"type", 7}};
    EXPECT_EQ(readNumber(item, "page"), 0);
    EXPECT_EQ(readString(item, "type"), "");
    EXPECT_EQ(readNumber(item, "color"), 0);
    EXPECT_TRUE(arrayMember(item, "point_data").empty());
    EXPECT_EQ(item.dump(), R"({"page":"3","type":7,"point_data":[]})");
    Json document = {{"id_konten", "42"}};
    EXPECT_TRUE(items(document).empty());
    EXPECT_EQ(document.dump(), R"({"id_konten":"42","data":[]})");
}

TEST(AnnotationDocument, DeletingShiftsLaterItemsDown) {
    Json document = {{"id_konten", "42"}, {"data", Json::array()}};
    for (int page = 0; page < 3; ++page)
        append(document, rectangle(page));
    EXPECT_TRUE(deleteAt(document, 1));
    EXPECT_EQ(items(document)[1]["page"], 2);
    EXPECT_FALSE(deleteAt(document, 2));
    EXPECT_EQ(items(document).size(), 2u);
}

TEST(AnnotationDocument, HitTestIsStrictLeftAndTopAndTakesTheFirstItem) {
    Json document = {{"id_konten", "42"}, {"data", Json::array()}};
    append(document, rectangle(1));                     // other page
    append(document, rectangle(0));                     // position 1
    append(document, rectangle(0, 150, 680, 300, 600)); // overlaps it, later
    append(document, rectangle(0, 400, 650, 300, 700)); // dragged up and left
    const FixedView view(0);
    const struct {
        int x, y;
        std::optional<std::size_t> hit;
    } cases[] = {
        {150, 120, 1},
        {100, 120, std::nullopt},
        {101, 101, 1},
        {200, 150, 1},
        {201, 110, std::nullopt},
        {180, 140, 1},
        {250, 180, 2},
        {350, 120, std::nullopt}, // the reversed box
        {150, 100, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(hitTest(document, view, c.x, c.y), c.hit);
    }
    EXPECT_EQ(hitTest(document, FixedView(1), 150, 120), 0u);
}

TEST(AnnotationDocument, PagesReadTowardsZeroAndNoneBeyondAnInt) {
    const struct {
        Json page;
        std::optional<int> read;
    } cases[] = {
        {Json(3), 3},
        {Json(1.9), 1},
        {Json(-0.5), 0},
        {Json("3"), 0},
        {Json(nullptr), 0},
        {Json(2147483647), 2147483647},
        {Json(-2147483648.0), -2147483647 - 1},
        {Json(2147483648.0), std::nullopt},
        {Json(-2147483649.0), std::nullopt},
        {Json(4294967296), std::nullopt},
        {Json(1e300), std::nullopt},
        {Json(-1e300), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page.dump());
        EXPECT_EQ(readInt(Json{{"page", c.page}}, "page"), c.read);
    }
    // A stored copy may say anything; an item of a page no int can name is on no page.
    Json document = Json::parse(R"({"data":[{"page":1e300,"type":"RECTANGLE",)"
                                R"("point":{"left":100,"top":700,"right":200,"bottom":650}}]})");
    for (int page : {0, 1, -2147483647 - 1, 2147483647})
        EXPECT_EQ(hitTest(document, FixedView(page), 150, 120), std::nullopt) << page;
}

TEST(AnnotationDocument, ItemsWithoutABoxAreNeverHit) {
    Json document = {{"data", {{{"page", 0}, {"type", "NOTES"}}, "not an item"}}};
    EXPECT_EQ(hitTest(document, FixedView(0), 0, 0), std::nullopt);
    EXPECT_EQ(hitTest(document, FixedView(0), 1, 1), std::nullopt);
}

} // namespace
} // namespace sumberlaras::annotations
