#include "reader/qt/PdfCanvas.h"

#include "reader/qt/ColorRef.h"
#include "reader/qt/PagePainter.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace sumberlaras {

QRect toQRect(const TRect& r) {
    return QRect(QPoint(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom)),
                 QPoint(std::max(r.Left, r.Right) - 1, std::max(r.Top, r.Bottom) - 1));
}

void TPdfCanvas::draw(QRect dirty, const std::function<void(QPainter&)>& fn) {
    if (clip_)
        dirty &= toQRect(*clip_);
    if (dirty.isEmpty())
        return;
    target_.drawOnCanvas(dirty, [&](QPainter& p) {
        p.save();
        if (clip_)
            p.setClipRect(toQRect(*clip_), Qt::IntersectClip);
        fn(p);
        p.restore();
    });
}

void TPdfCanvas::LineTo(int X, int Y) {
    const QPoint from(penPos_.X, penPos_.Y), to(X, Y);
    penPos_ = {X, Y};
    const int m = penWidth_ + 1;
    draw(QRect(from, to).normalized().adjusted(-m, -m, m, m), [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(penColor_, penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(from, to);
    });
}

void TPdfCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty())
        return;
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const TPoint& p : points)
        polygon << QPoint(p.X, p.Y);
    penPos_ = points.back();
    const int m = penWidth_ + 1;
    draw(polygon.boundingRect().adjusted(-m, -m, m, m), [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(penColor_, penWidth_, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        p.drawPolyline(polygon);
    });
}

void TPdfCanvas::Rectangle(const TRect& r) {
    const QRect box = toQRect(r);
    const int m = penWidth_ + 1;
    draw(box.adjusted(-m, -m, m, m), [&](QPainter& p) {
        p.setPen(QPen(penColor_, penWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(brushStyle_ == TBrushStyle::bsClear ? QBrush(Qt::NoBrush) : QBrush(brushColor_));
        p.drawRect(box);
    });
}

void TPdfCanvas::DrawFocusRect(const TRect& r) {
    const QRect box = toQRect(r);
    draw(box.adjusted(-1, -1, 1, 1), [&](QPainter& p) { PagePainter::drawFocusRect(p, box); });
}

void TPdfCanvas::Draw(int X, int Y, const QImage& image) {
    const QRect box(QPoint(X, Y), image.deviceIndependentSize().toSize());
    draw(box, [&](QPainter& p) { p.drawImage(QPoint(X, Y), image); });
}

void TPdfCanvas::BlendRect(const TRect& r, const QColor& color, int opacity) {
    const QRect box = toQRect(r);
    draw(box, [&](QPainter& p) {
        p.setOpacity(std::clamp(opacity, 0, 255) / 255.0);
        p.fillRect(box, color);
    });
}

QColor TPdfCanvas::fromColorRef(uint32_t bgr) {
    return colorOfRef(static_cast<int32_t>(bgr & 0x00FFFFFFu));
}

} // namespace sumberlaras
