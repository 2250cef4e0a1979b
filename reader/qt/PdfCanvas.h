#pragma once

#include "reader/engine/PdfTypes.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace sumberlaras {

// A device rectangle as Qt's, whose right and bottom edges lie inside it.
QRect toQRect(const TRect& r);

// Where a canvas draws: the frame being composed during a paint, or the frame on
// screen between paints. `dirty` bounds what the drawing may touch.
class TPdfCanvasTarget {
public:
    virtual ~TPdfCanvasTarget() = default;
    virtual void drawOnCanvas(const QRect& dirty, const std::function<void(QPainter&)>& draw) = 0;
};

// The drawing surface of a page view, with what the annotation tools draw: focus
// rectangles, pen outlines and lines, images with transparency, constant-opacity
// blending and clipping. Coordinates are device pixels of the view.
class TPdfCanvas {
public:
    enum class TBrushStyle { bsSolid, bsClear };

    explicit TPdfCanvas(TPdfCanvasTarget& target) : target_(target) {}

    QColor PenColor() const { return penColor_; }
    void SetPenColor(const QColor& c) { penColor_ = c; }
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int w) { penWidth_ = w < 1 ? 1 : w; }
    QColor BrushColor() const { return brushColor_; }
    void SetBrushColor(const QColor& c) { brushColor_ = c; }
    TBrushStyle BrushStyle() const { return brushStyle_; }
    void SetBrushStyle(TBrushStyle s) { brushStyle_ = s; }

    TPoint PenPos() const { return penPos_; }
    void MoveTo(int X, int Y) { penPos_ = {X, Y}; }
    void LineTo(int X, int Y);
    // Lines with the pen through the points in order, joined; the pen ends at the last.
    void Polyline(const std::vector<TPoint>& points);

    // Outline with the pen; the interior is filled with the brush unless it is clear.
    void Rectangle(const TRect& r);
    // A dotted outline drawn by inverting pixels: drawing it twice removes it.
    void DrawFocusRect(const TRect& r);
    // The image at its natural size, with its transparency.
    void Draw(int X, int Y, const QImage& image);
    // A solid colour over the rectangle at a constant opacity (0..255), source over.
    void BlendRect(const TRect& r, const QColor& color, int opacity);

    void SetClipRect(const TRect& r) { clip_ = r; }
    void ClearClip() { clip_.reset(); }
    bool HasClip() const { return clip_.has_value(); }

    // A Windows colour value 0x00BBGGRR.
    static QColor fromColorRef(uint32_t bgr);

private:
    void draw(QRect dirty, const std::function<void(QPainter&)>& fn);

    TPdfCanvasTarget& target_;
    QColor penColor_ = Qt::black;
    int penWidth_ = 1;
    QColor brushColor_ = Qt::white;
    TBrushStyle brushStyle_ = TBrushStyle::bsSolid;
    TPoint penPos_;
    std::optional<TRect> clip_;
};

} // namespace sumberlaras
