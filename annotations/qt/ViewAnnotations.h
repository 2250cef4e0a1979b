#pragma once

#include <QImage>

#include "annotations/Canvas.h"
#include "annotations/PageTransform.h"

namespace sumberlaras {

class TPdfCanvas;
class TPdfControl;

namespace annotations {

// The shown page of a page view, as the annotation rules see it. Device to
// page goes through the view; page to device, asked for every point of every
// mark on each paint, uses the view's mapping taken once, as a matrix.
class ViewTransform final : public PageTransform {
public:
    explicit ViewTransform(const TPdfControl& view);
    PagePoint DeviceToPage(int x, int y) const override;
    DevicePoint PageToDevice(double pageX, double pageY) const override;
    DeviceRect PageRect() const override;
    int PageIndex() const override;

private:
    const TPdfControl& view_;
    // device = (a·x + c·y + e, b·x + d·y + f) for a page point (x, y)
    double a_ = 0, b_ = 0, c_ = 0, d_ = 0, e_ = 0, f_ = 0;
    bool matrix_ = false;
};

// Draws through a page view's canvas: into the frame being painted while the
// view paints, onto the frame on screen otherwise.
class ViewCanvas final : public AnnotationCanvas {
public:
    ViewCanvas(TPdfCanvas& canvas, const QImage& noteIcon) : canvas_(canvas), noteIcon_(noteIcon) {}
    void FocusRect(const DeviceRect& r) override;
    void Line(DevicePoint from, DevicePoint to, uint32_t color, int width) override;
    void Polyline(const std::vector<DevicePoint>& points, uint32_t color, int width) override;
    void Outline(const DeviceRect& r, uint32_t color, int width,
                 const std::optional<DeviceRect>& clip) override;
    void Blend(const DeviceRect& r, uint32_t color, int opacity) override;
    void NoteIcon(DevicePoint topLeft) override;

private:
    TPdfCanvas& canvas_;
    const QImage& noteIcon_;
};

} // namespace annotations
} // namespace sumberlaras
