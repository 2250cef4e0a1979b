#include "annotations/qt/ViewAnnotations.h"

#include "reader/qt/PdfControl.h"

#include <cmath>

namespace sumberlaras::annotations {

namespace {

TRect toTRect(const DeviceRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

ViewTransform::ViewTransform(const TPdfControl& view) : view_(view) {
    // Three corners of the page's device rectangle and their page images give
    // the device-to-page matrix; its inverse maps page to device.
    const TRect r = view.GetPageRect();
    if (!view.CurrentPage() || r.Width() <= 0 || r.Height() <= 0)
        return;
    const TPdfPoint o = view.DeviceToPage(r.Left, r.Top);
    const TPdfPoint u = view.DeviceToPage(r.Right, r.Top);
    const TPdfPoint w = view.DeviceToPage(r.Left, r.Bottom);
    // page = o + (dx / width)·(u − o) + (dy / height)·(w − o)
    const double ux = (u.X - o.X) / r.Width(), uy = (u.Y - o.Y) / r.Width();
    const double wx = (w.X - o.X) / r.Height(), wy = (w.Y - o.Y) / r.Height();
    const double det = ux * wy - wx * uy;
    if (std::abs(det) < 1e-12)
        return;
    a_ = wy / det;
    b_ = -uy / det;
    c_ = -wx / det;
    d_ = ux / det;
    e_ = r.Left - (a_ * o.X + c_ * o.Y);
    f_ = r.Top - (b_ * o.X + d_ * o.Y);
    matrix_ = true;
}

PagePoint ViewTransform::DeviceToPage(int x, int y) const {
    const TPdfPoint p = view_.DeviceToPage(x, y);
    return {p.X, p.Y};
}

DevicePoint ViewTransform::PageToDevice(double pageX, double pageY) const {
    if (!matrix_) {
        const TPoint p = view_.PageToDevice(pageX, pageY);
        return {p.X, p.Y};
    }
    return {static_cast<int>(std::lround(a_ * pageX + c_ * pageY + e_)),
            static_cast<int>(std::lround(b_ * pageX + d_ * pageY + f_))};
}

DeviceRect ViewTransform::PageRect() const {
    const TRect r = view_.GetPageRect();
    return {r.Left, r.Top, r.Right, r.Bottom};
}

int ViewTransform::PageIndex() const {
    return view_.PageIndex();
}

void ViewCanvas::FocusRect(const DeviceRect& r) {
    canvas_.DrawFocusRect(toTRect(r));
}

void ViewCanvas::Line(DevicePoint from, DevicePoint to, uint32_t color, int width) {
    TPdfCanvas& c = canvas_;
    c.SetPenColor(TPdfCanvas::fromColorRef(color));
    c.SetPenWidth(width);
    c.MoveTo(from.x, from.y);
    c.LineTo(to.x, to.y);
}

void ViewCanvas::Polyline(const std::vector<DevicePoint>& points, uint32_t color, int width) {
    TPdfCanvas& c = canvas_;
    c.SetPenColor(TPdfCanvas::fromColorRef(color));
    c.SetPenWidth(width);
    std::vector<TPoint> line;
    line.reserve(points.size());
    for (const DevicePoint& p : points)
        line.push_back({p.x, p.y});
    c.Polyline(line);
}

void ViewCanvas::Outline(const DeviceRect& r, uint32_t color, int width,
                         const std::optional<DeviceRect>& clip) {
    TPdfCanvas& c = canvas_;
    if (clip)
        c.SetClipRect(toTRect(*clip));
    c.SetBrushStyle(TPdfCanvas::TBrushStyle::bsClear);
    c.SetPenColor(TPdfCanvas::fromColorRef(color));
    c.SetPenWidth(width);
    c.Rectangle(toTRect(r));
    c.SetBrushStyle(TPdfCanvas::TBrushStyle::bsSolid);
    c.SetPenColor(Qt::black);
    c.ClearClip();
}

void ViewCanvas::Blend(const DeviceRect& r, uint32_t color, int opacity) {
    canvas_.BlendRect(toTRect(r), TPdfCanvas::fromColorRef(color), opacity);
}

void ViewCanvas::NoteIcon(DevicePoint topLeft) {
    canvas_.Draw(topLeft.x, topLeft.y, noteIcon_);
}

} // namespace sumberlaras::annotations
