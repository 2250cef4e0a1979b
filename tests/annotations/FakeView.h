#pragma once

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "annotations/Canvas.h"
#include "annotations/PageTransform.h"

namespace sumberlaras::annotations::testing {

// A 600 × 800 point page shown at `scale` pixels a point, its top-left corner
// at (originX, originY) of the view.
class FakeView final : public PageTransform {
public:
    explicit FakeView(int page = 0, double scale = 1, int originX = 0, int originY = 0)
        : page_(page), scale_(scale), ox_(originX), oy_(originY) {}
    PagePoint DeviceToPage(int x, int y) const override {
        return {(x - ox_) / scale_, 800.0 - (y - oy_) / scale_};
    }
    DevicePoint PageToDevice(double x, double y) const override {
        return {static_cast<int>(std::lround(x * scale_ + ox_)),
                static_cast<int>(std::lround((800.0 - y) * scale_ + oy_))};
    }
    DeviceRect PageRect() const override {
        return {ox_, oy_, ox_ + static_cast<int>(600 * scale_),
                oy_ + static_cast<int>(800 * scale_)};
    }
    int PageIndex() const override { return page_; }

private:
    int page_;
    double scale_;
    int ox_, oy_;
};

// Writes down every drawing call, one line each.
class RecordingCanvas final : public AnnotationCanvas {
public:
    std::vector<std::string> calls;

    void FocusRect(const DeviceRect& r) override { calls.push_back("focus " + rect(r)); }
    void Line(DevicePoint a, DevicePoint b, uint32_t color, int width) override {
        calls.push_back("line " + point(a) + "-" + point(b) + " " + hex(color) + " w" +
                        std::to_string(width));
    }
    void Polyline(const std::vector<DevicePoint>& points, uint32_t color, int width) override {
        std::string text = "polyline";
        for (const DevicePoint& p : points)
            text += " " + point(p);
        calls.push_back(text + " " + hex(color) + " w" + std::to_string(width));
    }
    void Outline(const DeviceRect& r, uint32_t color, int width,
                 const std::optional<DeviceRect>& clip) override {
        calls.push_back("outline " + rect(r) + " " + hex(color) + " w" + std::to_string(width) +
                        (clip ? " clip " + rect(*clip) : std::string()));
    }
    void Blend(const DeviceRect& r, uint32_t color, int opacity) override {
        calls.push_back("blend " + rect(r) + " " + hex(color) + " " + std::to_string(opacity));
    }
    void NoteIcon(DevicePoint p) override { calls.push_back("note " + point(p)); }

private:
    static std::string point(DevicePoint p) {
        return std::to_string(p.x) + "," + std::to_string(p.y);
    }
    static std::string rect(const DeviceRect& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," +
               std::to_string(r.right) + "," + std::to_string(r.bottom);
    }
    static std::string hex(uint32_t c) {
        char text[16];
        std::snprintf(text, sizeof text, "%06x", c);
        return text;
    }
};

} // namespace sumberlaras::annotations::testing
