#pragma once

#include <cstdint>

#include <QImage>
#include <QPoint>
#include <QSize>

#include "base/JsonSlot.h"
#include "reader/engine/PdfTypes.h"

namespace sumberlaras {

class TPdfControl;

namespace annotations {

// The marks of the shown page drawn once into a transparent layer, which
// repaints lay over the page again until the document changes (a new
// `revision`), or the page, its place in the view, the view's size or its
// pixel ratio do. Drawing source over a transparent layer and laying it over
// the page gives the pixels of drawing on the page itself.
class AnnotationLayer {
public:
    // Draws the page's marks on the frame the view is painting.
    void paint(TPdfControl& view, Json& document, uint64_t revision, const QImage& noteIcon);
    void clear();
    // Whether the last paint drew the marks afresh.
    bool lastPaintDrew() const { return drew_; }

private:
    struct Key {
        uint64_t revision = 0;
        int page = -1;
        TPdfRotation rotation = TPdfRotation::prNone;
        TRect pageRect;
        QSize viewSize;
        qreal ratio = 0;
        bool operator==(const Key&) const = default;
    };

    Key key_;
    bool valid_ = false;
    bool drew_ = false;
    QImage marks_; // what the marks covered, cut out of the layer
    QPoint at_;
};

} // namespace annotations
} // namespace sumberlaras
