#include "annotations/Gesture.h"

#include <algorithm>

#include "annotations/Document.h"

namespace sumberlaras::annotations {

namespace {

Json pagePoint(const PageTransform& view, int x, int y) {
    const PagePoint p = view.DeviceToPage(x, y);
    return {{"x", p.x}, {"y", p.y}};
}

Json deviceJson(const DeviceRect& r) {
    return {{"left", r.left}, {"top", r.top}, {"right", r.right}, {"bottom", r.bottom}};
}

} // namespace

bool GestureRecorder::besidePage(const PageTransform& view, int x) const {
    const DeviceRect page = view.PageRect();
    return x < page.left || x > page.right;
}

void GestureRecorder::press(const PageTransform& view, MouseButton button, int x, int y,
                            const ToolStates& tools, const ToolColours& colours,
                            AnnotationCanvas& canvas) {
    if (besidePage(view, x))
        return;
    isDragging = true;
    DrawRect = {x, y, x, y};
    StartX = x;
    StartY = y;
    if (button != MouseButton::Left)
        return;
    if (tools.CurrentRectAnnotState)
        canvas.FocusRect(DrawRect);
    if (tools.CurrentPenAnnotState) {
        TempInkJSON = {{"page", view.PageIndex()},
                       {"type", "INK"},
                       {"color", colours.clPen},
                       {"point", pagePoint(view, x, y)}};
        penPos_ = {x, y};
    }
}

void GestureRecorder::move(const PageTransform& view, int x, int y, bool leftHeld,
                           const ToolStates& tools, const ToolColours& colours,
                           AnnotationCanvas& canvas) {
    if (!isDragging || besidePage(view, x)) {
        StartX = x;
        StartY = y;
        return;
    }
    if (tools.CurrentRectAnnotState) {
        canvas.FocusRect(DrawRect);
        DrawRect.right = x;
        DrawRect.bottom = y;
        canvas.FocusRect(DrawRect);
    }
    if (tools.CurrentPenAnnotState) {
        if (leftHeld) {
            canvas.Line(penPos_, {x, y}, colours.clPen, kInkWidth);
            penPos_ = {x, y};
            if (TempInkJSON.is_object())
                arrayMember(TempInkJSON, "draw_data").push_back(pagePoint(view, x, y));
        }
        DrawRect.right = x;
        DrawRect.bottom = y;
    }
}

ReleaseOutcome GestureRecorder::release(const PageTransform& view, MouseButton button, int x, int y,
                                        const ToolStates& tools, const ToolColours& colours,
                                        const std::vector<PageBox>& selection, Json& document,
                                        AnnotationCanvas& canvas) {
    ReleaseOutcome outcome;
    if (button != MouseButton::Left || !isDragging || besidePage(view, x))
        return outcome;
    isDragging = false;

    if (tools.CurrentHighlightAnnotState) {
        DrawRect = {StartX, StartY, x, y};
        Json item = {
            {"page", view.PageIndex()}, {"type", "HIGHLIGHT"}, {"color", colours.clHighlighter}};
        for (const PageBox& r : selection) {
            const DevicePoint a = view.PageToDevice(r.left, r.top);
            const DevicePoint b = view.PageToDevice(r.right, r.bottom);
            const DeviceRect d{a.x, a.y, b.x, b.y};
            DrawRect.right = std::max(DrawRect.right, d.right);
            DrawRect.left = std::min(DrawRect.left, d.left);
            DrawRect.top = std::min(DrawRect.top, d.top);
            DrawRect.bottom = std::max(DrawRect.bottom, d.bottom);
            // One line of text: the mark is as high as the line, however the
            // drag went.
            if (selection.size() == 1) {
                DrawRect.top = d.top;
                DrawRect.bottom = d.bottom;
            }
            canvas.Blend(d, colours.clHighlighter, kLiveHighlightOpacity);
            arrayMember(item, "draw_data").push_back(deviceJson(d));
            arrayMember(item, "point_data").push_back(pageBox(view, d));
        }
        item["point"] = pageBox(view, DrawRect);
        append(document, std::move(item));
        outcome.clickOff = ToolButton::Highlight;
        return outcome;
    }

    if (tools.CurrentRectAnnotState) {
        canvas.FocusRect(DrawRect);
        canvas.Outline({StartX, StartY, x, y}, colours.clRectangle, kRectangleWidth,
                       view.PageRect());
        DrawRect = {StartX, StartY, x, y};
        append(document, Json{{"page", view.PageIndex()},
                              {"type", "RECTANGLE"},
                              {"color", colours.clRectangle},
                              {"point", pageBox(view, DrawRect)}});
        outcome.clickOff = ToolButton::Rect;
        return outcome;
    }

    if (tools.CurrentPenAnnotState) {
        if (TempInkJSON.is_object()) {
            Json& points = arrayMember(TempInkJSON, "draw_data");
            // A stroke without movement is a dot at the press point.
            if (points.empty()) {
                points.push_back(TempInkJSON["point"]);
                canvas.Line(penPos_, penPos_, colours.clPen, kInkWidth);
            }
            std::vector<int> xs, ys;
            for (const Json& p : points) {
                const DevicePoint d = view.PageToDevice(readNumber(p, "x"), readNumber(p, "y"));
                xs.push_back(d.x);
                ys.push_back(d.y);
            }
            const auto [minX, maxX] = std::minmax_element(xs.begin(), xs.end());
            const auto [minY, maxY] = std::minmax_element(ys.begin(), ys.end());
            DrawRect = {*minX, *minY, *maxX, *maxY};
            const Json box = pageBox(view, DrawRect);
            Json& point = TempInkJSON["point"];
            for (const auto& [member, value] : box.items())
                point[member] = value;
            append(document, std::move(TempInkJSON));
            TempInkJSON = Json();
        }
        outcome.clickOff = ToolButton::Pen;
        return outcome;
    }

    if (tools.CurrentTextAnnotState) {
        DrawRect = {StartX, StartY, StartX + kNoteSquare, StartY + kNoteSquare};
        outcome.placeNote = true;
        outcome.clickOff = ToolButton::Text;
        return outcome;
    }

    if (tools.CurrentTextSelectState)
        DrawRect = {StartX, StartY, x, y};
    return outcome;
}

void GestureRecorder::click(Json& document, const PageTransform& view, bool overlayShown,
                            AnnotationCanvas& canvas) {
    const std::optional<std::size_t> hit = itemAtClick(document, view, overlayShown);
    if (!hit)
        return;
    DrawRect = deviceBox(view, memberOf(items(document)[*hit], "point"));
    canvas.FocusRect(DrawRect);
}

std::optional<std::size_t> GestureRecorder::itemAtClick(Json& document, const PageTransform& view,
                                                        bool overlayShown) const {
    if (!overlayShown)
        return std::nullopt;
    return hitTest(document, view, StartX, StartY);
}

} // namespace sumberlaras::annotations
