#pragma once

#include "reader/qt/PageBitmapCache.h"
#include "reader/qt/PageOverlay.h"

#include <QBrush>
#include <QColor>
#include <QRect>

#include <optional>
#include <vector>

class QPainter;

namespace sumberlaras {

// Draws a frame of the page view: the background around the page, the page (from a
// kept bitmap, or straight from PDFium when it is too big to keep), then the selection
// and the search marks blended over it. The paint hook draws after it, on the canvas.
class PagePainter {
public:
    static constexpr QRgb SelectionColor = 0xFF328EFE; // RGB 50,142,254
    static constexpr QRgb HighlightColor = 0xFFFE8E32; // RGB 254,142,50
    static constexpr int MarkOpacity = 127;

    struct Frame {
        QRect view;                  // the client area beside the scroll bars
        std::optional<QRect> corner; // between the two bars, when both are shown
        QBrush cornerBrush;
        QColor background;
        TPdfPage* page = nullptr; // null without a page
        QRect pageRect;
        PageKey key; // how the page is rendered
        bool buffered = true;
        PageOverlay* overlay = nullptr;
    };

    explicit PagePainter(PageBitmapCache& bitmaps) : bitmaps_(bitmaps) {}

    // Paints the frame. Returns how the page was drawn, so that the next page can be
    // rendered ahead the same way; nothing when no page was drawn.
    std::optional<PageKey> paint(QPainter& p, const Frame& frame);

    // The rectangles blended once at MarkOpacity, also where they touch.
    static void blendRects(QPainter& p, const std::vector<TRect>& rects, QRgb color);
    // A dotted outline drawn by inverting pixels: drawing it twice removes it.
    static void drawFocusRect(QPainter& p, const QRect& box);

private:
    std::optional<PageKey> drawPage(QPainter& p, const Frame& frame);

    PageBitmapCache& bitmaps_;
};

} // namespace sumberlaras
