#include "annotations/Paint.h"

#include <cstdint>
#include <vector>

#include "annotations/Colours.h"
#include "annotations/Document.h"

namespace sumberlaras::annotations {

namespace {

uint32_t colourOf(const Json& item) {
    // A colour value beyond 64 bits is no colour: black.
    const double colour = readNumber(item, "color");
    constexpr double kLimit = 9223372036854775808.0; // 2^63
    if (!(colour >= -kLimit && colour < kLimit))
        return 0;
    return static_cast<uint32_t>(static_cast<int64_t>(colour));
}

DevicePoint pointOf(const PageTransform& view, const Json& p) {
    return view.PageToDevice(readNumber(p, "x"), readNumber(p, "y"));
}

} // namespace

void paintPage(Json& document, const PageTransform& view, AnnotationCanvas& canvas) {
    const int page = view.PageIndex();
    for (Json& item : items(document)) {
        if (readInt(item, "page") != page)
            continue;
        const std::string type = readString(item, "type");
        if (type == "RECTANGLE") {
            canvas.Outline(deviceBox(view, memberOf(item, "point")), colourOf(item),
                           kRectangleWidth, std::nullopt);
        } else if (type == "NOTES") {
            const DeviceRect box = deviceBox(view, memberOf(item, "point"));
            canvas.NoteIcon({box.left, box.top});
        } else if (type == "HIGHLIGHT") {
            const uint32_t colour = colourOf(item);
            for (const Json& box : arrayMember(item, "point_data"))
                canvas.Blend(deviceBox(view, box), colour, kPaintedHighlightOpacity);
        } else if (type == "INK") {
            const Json& points = arrayMember(item, "draw_data");
            std::vector<DevicePoint> line;
            line.reserve(points.size() + 1);
            line.push_back(pointOf(view, memberOf(item, "point")));
            for (const Json& p : points)
                line.push_back(pointOf(view, p));
            if (line.size() > 1)
                canvas.Polyline(line, colourOf(item), kInkWidth);
        }
    }
}

} // namespace sumberlaras::annotations
