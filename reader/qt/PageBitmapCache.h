#pragma once

#include "reader/engine/PdfPage.h"

#include <QImage>
#include <QSize>

#include <array>

namespace sumberlaras {

// A page as rendered: which page, at what size, pixel ratio, rotation, options, colour.
struct PageKey {
    int index = -1;
    QSize size; // device-independent pixels
    qreal ratio = 0;
    TPdfRotation rotation = TPdfRotation::prNone;
    int flags = 0;
    QRgb color = 0;
    bool operator==(const PageKey&) const = default;
};

// Rendered pages kept as bitmaps: the shown page, the page shown before it and the
// next page, rendered ahead while the user reads. Three buffers at most; pages of one
// book share their size, so a buffer is reused for another page.
class PageBitmapCache {
public:
    // Pages bigger than this (in device pixels) keep no bitmap beside the shown one.
    static constexpr qint64 KeptPixelLimit = 8'847'360;

    // The page as the key renders it: the kept bitmap, or one rendered now into the
    // least recently used buffer. A page above the limit drops every other bitmap.
    const QImage& bitmapFor(TPdfPage& page, const PageKey& key);
    bool holds(const PageKey& key) const;

    // Whether the page after the shown one is to be rendered ahead: once for each way
    // a page is shown, not on every repaint of it.
    bool claimAhead(const PageKey& shown);
    // The next claim renders ahead again, as when the view was hidden.
    void forgetAhead() { aheadOf_ = {}; }
    // Renders the next page into a spare buffer, keeping the shown page's bitmap,
    // unless it is kept already, is drawn straight from PDFium in a view of `view`
    // size, or is too big to keep twice. A page that fails here is rendered, and
    // reported, when it is shown.
    void renderAhead(TPdfPage& next, const PageKey& key, const PageKey& shown, const QSize& view);

    void clear();

    // The bitmaps held now and their bytes, for memory accounts.
    struct Held {
        qint64 bytes = 0;
        int count = 0;
    };
    Held held() const {
        Held h;
        for (const Bitmap& b : bitmaps_)
            if (!b.image.isNull()) {
                h.bytes += b.image.sizeInBytes();
                ++h.count;
            }
        return h;
    }

private:
    struct Bitmap {
        QImage image;
        PageKey key;
        quint64 used = 0;
    };

    Bitmap* find(const PageKey& key);
    Bitmap& spare(const Bitmap* keep);
    void render(Bitmap& bitmap, TPdfPage& page, const PageKey& key);

    std::array<Bitmap, 3> bitmaps_;
    quint64 use_ = 0;
    PageKey aheadOf_; // the shown page whose next page was last rendered ahead
};

} // namespace sumberlaras
