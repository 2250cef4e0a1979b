#include "annotations/qt/AnnotationLayer.h"

#include <QPainter>

#include <cmath>

#include "annotations/Paint.h"
#include "annotations/qt/ViewAnnotations.h"
#include "reader/qt/PdfControl.h"

namespace sumberlaras::annotations {

namespace {

// A transparent image as a canvas target, remembering what was drawn on it.
class LayerTarget final : public TPdfCanvasTarget {
public:
    explicit LayerTarget(QImage& image) : image_(image) {}
    void drawOnCanvas(const QRect& dirty, const std::function<void(QPainter&)>& draw) override {
        QPainter p(&image_);
        draw(p);
        used |= dirty;
    }
    QRect used;

private:
    QImage& image_;
};

} // namespace

void AnnotationLayer::paint(TPdfControl& view, Json& document, uint64_t revision,
                            const QImage& noteIcon) {
    const QSize viewSize(view.ClientViewWidth(), view.ClientViewHeight());
    const Key key{revision,           view.PageIndex(), view.Rotation(),
                  view.GetPageRect(), viewSize,         view.devicePixelRatioF()};
    drew_ = !valid_ || !(key == key_);
    if (drew_) {
        QImage layer((QSizeF(viewSize) * key.ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        layer.setDevicePixelRatio(key.ratio);
        layer.fill(Qt::transparent);
        LayerTarget target(layer);
        TPdfCanvas canvas(target);
        ViewCanvas marks(canvas, noteIcon);
        paintPage(document, ViewTransform(view), marks);
        QRect used = target.used & QRect(QPoint(0, 0), viewSize);
        // Only what the marks cover is laid over the page on each repaint; at a
        // fractional pixel ratio the part would not fall on whole pixels.
        if (key.ratio != std::floor(key.ratio) && !used.isEmpty())
            used = QRect(QPoint(0, 0), viewSize);
        marks_ = used.isEmpty() ? QImage()
                                : layer.copy(QRect(used.topLeft() * static_cast<int>(key.ratio),
                                                   used.size() * static_cast<int>(key.ratio)));
        if (used == QRect(QPoint(0, 0), viewSize) && !used.isEmpty())
            marks_ = layer;
        marks_.setDevicePixelRatio(key.ratio);
        at_ = used.topLeft();
        key_ = key;
        valid_ = true;
    }
    if (!marks_.isNull())
        view.Canvas().Draw(at_.x(), at_.y(), marks_);
}

void AnnotationLayer::clear() {
    valid_ = false;
    marks_ = QImage();
}

} // namespace sumberlaras::annotations
