#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "annotations/PageTransform.h"

namespace sumberlaras::annotations {

// What annotations draw on a page view, in device pixels. Colours are Windows
// colour values, 0x00BBGGRR.
class AnnotationCanvas {
public:
    virtual ~AnnotationCanvas() = default;
    // A dotted outline drawn by inverting pixels: drawing it twice removes it.
    virtual void FocusRect(const DeviceRect& r) = 0;
    virtual void Line(DevicePoint from, DevicePoint to, uint32_t color, int width) = 0;
    // Lines through the points in order, joined.
    virtual void Polyline(const std::vector<DevicePoint>& points, uint32_t color, int width) = 0;
    // An outline with a clear interior, bounded by `clip` when one is given.
    virtual void Outline(const DeviceRect& r, uint32_t color, int width,
                         const std::optional<DeviceRect>& clip) = 0;
    // A solid colour over the rectangle at a constant opacity out of 255.
    virtual void Blend(const DeviceRect& r, uint32_t color, int opacity) = 0;
    // The note icon at its natural size, whatever the zoom.
    virtual void NoteIcon(DevicePoint topLeft) = 0;
};

} // namespace sumberlaras::annotations
