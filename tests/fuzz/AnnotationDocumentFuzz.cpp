// A stored annotation document: read, written and read again, hit tested and
// painted on a few views of a page.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "annotations/Canvas.h"
#include "annotations/Document.h"
#include "annotations/Paint.h"
#include "reader/session/Documents.h"
#include "tests/fuzz/FuzzChecks.h"

using namespace sumberlaras;
using namespace sumberlaras::annotations;
using namespace sumberlaras::fuzz;

namespace {

// PDFium's page-to-device conversion saturates at the ends of int.
int saturated(double v) {
    if (std::isnan(v))
        return 0;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(std::lround(v));
}

// A 600 × 800 point page at `scale` pixels a point, its corner at (ox, oy).
class View final : public PageTransform {
public:
    View(int page, double scale, int ox, int oy) : page_(page), scale_(scale), ox_(ox), oy_(oy) {}
    PagePoint DeviceToPage(int x, int y) const override {
        return {(x - ox_) / scale_, 800.0 - (y - oy_) / scale_};
    }
    DevicePoint PageToDevice(double x, double y) const override {
        return {saturated(x * scale_ + ox_), saturated((800.0 - y) * scale_ + oy_)};
    }
    DeviceRect PageRect() const override {
        return {ox_, oy_, ox_ + saturated(600 * scale_), oy_ + saturated(800 * scale_)};
    }
    int PageIndex() const override { return page_; }

private:
    int page_;
    double scale_;
    int ox_, oy_;
};

// Counts what is drawn, and draws it into a small picture as the view would.
class PictureCanvas final : public AnnotationCanvas {
public:
    PictureCanvas() : image_(64, 64, QImage::Format_ARGB32_Premultiplied), painter_(&image_) {
        image_.fill(Qt::white);
    }
    int outlines = 0, blends = 0, polylines = 0, notes = 0, other = 0;

    void FocusRect(const DeviceRect&) override { ++other; }
    void Line(DevicePoint, DevicePoint, uint32_t, int) override { ++other; }
    void Polyline(const std::vector<DevicePoint>& points, uint32_t color, int width) override {
        ++polylines;
        FUZZ_CHECK(points.size() >= 2);
        painter_.setPen(QPen(colour(color), width));
        QPolygon line;
        for (const DevicePoint& p : points)
            line << QPoint(near(p.x), near(p.y));
        painter_.drawPolyline(line);
    }
    void Outline(const DeviceRect& r, uint32_t color, int width,
                 const std::optional<DeviceRect>&) override {
        ++outlines;
        painter_.setPen(QPen(colour(color), width));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(rect(r));
    }
    void Blend(const DeviceRect& r, uint32_t color, int opacity) override {
        ++blends;
        FUZZ_CHECK(opacity >= 0 && opacity <= 255);
        QColor c = colour(color);
        c.setAlpha(opacity);
        painter_.fillRect(rect(r), c);
    }
    void NoteIcon(DevicePoint p) override {
        ++notes;
        painter_.fillRect(QRect(near(p.x), near(p.y), 16, 16), Qt::yellow);
    }

private:
    // Far outside the picture is as good as just outside it.
    static int near(int v) { return std::clamp(v, -4096, 4096); }
    static QRect rect(const DeviceRect& r) {
        return QRect(QPoint(near(r.left), near(r.top)), QPoint(near(r.right), near(r.bottom)))
            .normalized();
    }
    static QColor colour(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

    QImage image_;
    QPainter painter_;
};

// The page an item is on, read independently: a whole number that fits, or none.
std::optional<int> pageOf(const Json& item) {
    const auto it = item.is_object() ? item.find("page") : item.end();
    if (it == item.end() || !it->is_number())
        return 0; // absent or not a number reads 0
    const double page = std::trunc(it->get<double>());
    if (page < static_cast<double>(INT_MIN) || page > static_cast<double>(INT_MAX))
        return std::nullopt;
    return static_cast<int>(page);
}

std::string typeOf(const Json& item) {
    if (!item.is_object())
        return {};
    const auto it = item.find("type");
    return it != item.end() && it->is_string() ? it->get<std::string>() : std::string();
}

size_t arraySize(const Json& item, const char* member) {
    if (!item.is_object())
        return 0;
    const auto it = item.find(member);
    return it != item.end() && it->is_array() ? it->size() : 0;
}

// The first item of the view's page whose box holds the point.
std::optional<size_t> expectedHit(const Json& all, const View& view, int x, int y) {
    for (size_t i = 0; i < all.size(); ++i) {
        if (pageOf(all[i]) != view.PageIndex())
            continue;
        const DeviceRect r = deviceBox(view, memberOf(all[i], "point"));
        if (r.left < x && x <= r.right && r.top < y && y <= r.bottom)
            return i;
    }
    return std::nullopt;
}

void checkRoundTrip(const Json& document) {
    const std::string text = reader::serialiseDocument(document);
    FUZZ_CHECK(wellFormedUtf8(text));
    const reader::StoredAnnotation again = reader::readStoredAnnotation(text, "7");
    FUZZ_CHECK_MSG(!again.unreadable, shown(text));
    FUZZ_CHECK_MSG(again.document == document, shown(text));
    FUZZ_CHECK(reader::serialiseDocument(again.document) == text);
}

void paintAndHit(Json& document, const View& view) {
    const Json before = items(document);

    // The hit test at the corners of the first boxes and a few fixed points.
    std::vector<std::pair<int, int>> points{{0, 0}, {300, 400}, {INT_MAX, INT_MAX}};
    for (size_t i = 0; i < before.size() && i < 4; ++i) {
        const DeviceRect r = deviceBox(view, memberOf(before[i], "point"));
        points.emplace_back(r.left, r.top);
        points.emplace_back(r.right, r.bottom);
        if (r.left < INT_MAX && r.top < INT_MAX)
            points.emplace_back(r.left + 1, r.top + 1);
    }
    for (const auto& [x, y] : points) {
        const std::optional<size_t> hit = hitTest(document, view, x, y);
        FUZZ_CHECK(hit == expectedHit(items(document), view, x, y));
    }

    // Every item of the page is drawn, in its kind's way.
    int outlines = 0, blends = 0, polylines = 0, notes = 0;
    for (const Json& item : before) {
        if (pageOf(item) != view.PageIndex())
            continue;
        const std::string type = typeOf(item);
        if (type == "RECTANGLE")
            ++outlines;
        else if (type == "NOTES")
            ++notes;
        else if (type == "HIGHLIGHT")
            blends += static_cast<int>(arraySize(item, "point_data"));
        else if (type == "INK" && arraySize(item, "draw_data") > 0)
            ++polylines;
    }
    PictureCanvas canvas;
    paintPage(document, view, canvas);
    FUZZ_CHECK(canvas.outlines == outlines && canvas.notes == notes);
    FUZZ_CHECK(canvas.blends == blends && canvas.polylines == polylines);
    FUZZ_CHECK(canvas.other == 0);

    // Painting reads; it changes no mark.
    const Json& after = items(document);
    FUZZ_CHECK(after.size() == before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        FUZZ_CHECK(sameItem(before[i], after[i]));
        const std::optional<size_t> found = findItem(document, i, before[i]);
        FUZZ_CHECK(found && *found <= i);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    reader::StoredAnnotation stored = reader::readStoredAnnotation(bytes, "7");
    Json& document = stored.document;
    FUZZ_CHECK(document.is_object() && document["data"].is_array());
    checkRoundTrip(document);
    FUZZ_CHECK(reader::documentIsEmpty(document) == items(document).empty());

    std::optional<int> firstPage;
    if (!items(document).empty())
        firstPage = pageOf(items(document)[0]);
    const View views[] = {
        View(0, 1.0, 0, 0),
        View(1, 1.5, 10, -20),
        View(firstPage.value_or(2), 0.5, -7, 3),
    };
    for (const View& view : views)
        paintAndHit(document, view);
    // What painting added reads back the same.
    checkRoundTrip(document);

    Json shorter = document;
    const size_t count = items(shorter).size();
    FUZZ_CHECK(deleteAt(shorter, count) == false);
    if (count > 0) {
        FUZZ_CHECK(deleteAt(shorter, 0));
        FUZZ_CHECK(items(shorter).size() == count - 1);
    }
    return 0;
}
