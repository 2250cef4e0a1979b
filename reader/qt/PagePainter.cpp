#include "reader/qt/PagePainter.h"

#include "reader/engine/PageLayout.h"
#include "reader/qt/PdfCanvas.h"

#include <QPainter>
#include <QRegion>

#include <cmath>

namespace sumberlaras {

std::optional<PageKey> PagePainter::paint(QPainter& p, const Frame& f) {
    if (f.corner)
        p.fillRect(*f.corner, f.cornerBrush);
    if (!f.page || f.pageRect.isEmpty()) {
        p.fillRect(f.view, f.background);
        return std::nullopt;
    }
    p.save();
    p.setClipRect(f.view, Qt::IntersectClip);
    for (const QRect& r : QRegion(f.view).subtracted(f.pageRect))
        p.fillRect(r, f.background);
    const std::optional<PageKey> shown = drawPage(p, f);
    if (f.overlay) {
        blendRects(p, f.overlay->selectionDevice(), SelectionColor);
        blendRects(p, f.overlay->marksDevice(), HighlightColor);
    }
    p.restore();
    return shown;
}

std::optional<PageKey> PagePainter::drawPage(QPainter& p, const Frame& f) {
    const PageKey& key = f.key;
    const QRect& pageRect = f.pageRect;
    const bool direct = !f.buffered || rendersDirectly(pageRect.width(), pageRect.height(),
                                                       f.view.width(), f.view.height());
    if (!direct) {
        p.drawImage(pageRect.topLeft(), bitmaps_.bitmapFor(*f.page, key));
        return key;
    }
    // Only the visible part, straight from PDFium.
    const QRect visible = pageRect & f.view & p.clipBoundingRect().toAlignedRect();
    if (visible.isEmpty())
        return std::nullopt;
    const qreal ratio = key.ratio;
    QImage image(QSize(std::lround(visible.width() * ratio), std::lround(visible.height() * ratio)),
                 QImage::Format_RGB32);
    f.page->Render(image.bits(), image.width(), image.height(),
                   static_cast<int>(image.bytesPerLine()),
                   static_cast<int>(std::lround((pageRect.x() - visible.x()) * ratio)),
                   static_cast<int>(std::lround((pageRect.y() - visible.y()) * ratio)),
                   static_cast<int>(std::lround(pageRect.width() * ratio)),
                   static_cast<int>(std::lround(pageRect.height() * ratio)), key.rotation,
                   key.flags, key.color);
    image.setDevicePixelRatio(ratio);
    p.drawImage(visible.topLeft(), image);
    return key;
}

void PagePainter::blendRects(QPainter& p, const std::vector<TRect>& rects, QRgb color) {
    if (rects.empty())
        return;
    // One area, so that line rectangles that touch are not blended twice where they meet.
    QRegion area;
    for (const TRect& r : rects)
        area += toQRect(r);
    // The area's rectangles never overlap: filled one by one, with no clip region to
    // test each pixel against.
    p.save();
    p.setOpacity(MarkOpacity / 255.0);
    const QColor fill = QColor::fromRgb(color);
    for (const QRect& r : area)
        p.fillRect(r, fill);
    p.restore();
}

void PagePainter::drawFocusRect(QPainter& p, const QRect& box) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(Qt::white, 0); // cosmetic: one device pixel whatever the scale
    pen.setDashPattern({1, 1});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
}

} // namespace sumberlaras
