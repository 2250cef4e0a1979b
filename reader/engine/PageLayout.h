#pragma once

#include "reader/engine/PdfTypes.h"

namespace sumberlaras {

enum class TPdfControlScaleMode { smFitAuto, smFitWidth, smFitHeight, smZoom };

constexpr int MinZoomPercentage = 1;
constexpr int MaxZoomPercentage = 10000;

struct PageLayoutInput {
    double pageWidth = 0;  // points
    double pageHeight = 0; // points
    TPdfRotation rotation = TPdfRotation::prNone;
    TPdfControlScaleMode mode = TPdfControlScaleMode::smFitAuto;
    int zoomPercentage = 100;
    double dpiX = 96;
    double dpiY = 96;
    int clientWidth = 0;
    int clientHeight = 0;
    int horzBarHeight = 0;
    int vertBarWidth = 0;
};

// Page size in pixels, which scroll bars show, and the area left for the page.
struct PageLayout {
    int width = 0;
    int height = 0;
    bool horzBar = false;
    bool vertBar = false;
    int viewWidth = 0;  // client width without a visible vertical bar
    int viewHeight = 0; // client height without a visible horizontal bar
    int horzMax() const { return horzBar ? width - viewWidth : 0; }
    int vertMax() const { return vertBar ? height - viewHeight : 0; }
};

PageLayout computePageLayout(const PageLayoutInput& in);

// Where the page starts along one axis: centred when it fits, else scrolled.
inline int pageOrigin(int viewSize, int pageSize, int scrollPosition) {
    const int centred = (viewSize - pageSize) / 2;
    return (centred > 0 ? centred : 0) - scrollPosition;
}

// Whether a page of this size is drawn straight from PDFium each paint rather than
// kept in a bitmap: only when it is larger than the client area and than 8,847,360 pixels.
bool rendersDirectly(int pageWidth, int pageHeight, int clientWidth, int clientHeight);

// One vertical scroll step. It moves only while the vertical bar is shown; with
// automatic page turning, a step that cannot move turns the page (-1 back, +1 on).
struct ScrollStep {
    int position = 0;
    int turn = 0;
};
ScrollStep scrollVertically(int position, int maximum, bool barShown, int offset,
                            bool autoPageChange);

} // namespace sumberlaras
