#include "reader/engine/PageLayout.h"

#include <algorithm>
#include <cmath>

namespace sumberlaras {

namespace {

int roundPixels(double v) {
    return static_cast<int>(std::lround(v));
}

void sizeFor(const PageLayoutInput& in, double pw, double ph, int W, int H, int& w, int& h) {
    w = h = 0;
    if (pw <= 0 || ph <= 0)
        return;
    switch (in.mode) {
    case TPdfControlScaleMode::smFitAuto:
        h = H;
        w = roundPixels(H * pw / ph);
        if (w > W) {
            w = W;
            h = roundPixels(W * ph / pw);
        }
        break;
    case TPdfControlScaleMode::smFitWidth:
        w = W;
        h = roundPixels(W * ph / pw);
        break;
    case TPdfControlScaleMode::smFitHeight:
        h = H;
        w = roundPixels(H * pw / ph);
        break;
    case TPdfControlScaleMode::smZoom:
        w = roundPixels(pw / 72.0 * in.dpiX * in.zoomPercentage / 100.0);
        h = roundPixels(ph / 72.0 * in.dpiY * in.zoomPercentage / 100.0);
        break;
    }
    w = std::max(w, 0);
    h = std::max(h, 0);
}

} // namespace

PageLayout computePageLayout(const PageLayoutInput& in) {
    double pw = in.pageWidth, ph = in.pageHeight;
    if (in.rotation == TPdfRotation::pr90 || in.rotation == TPdfRotation::pr270)
        std::swap(pw, ph);
    int W = std::max(0, in.clientWidth), H = std::max(0, in.clientHeight);
    PageLayout out;
    sizeFor(in, pw, ph, W, H, out.width, out.height);
    bool horzReserved = false;
    if (out.width > W) {
        H = std::max(0, H - in.horzBarHeight);
        horzReserved = true;
        sizeFor(in, pw, ph, W, H, out.width, out.height);
    }
    if (out.height > H) {
        W = std::max(0, W - in.vertBarWidth);
        sizeFor(in, pw, ph, W, H, out.width, out.height);
        // The narrower area may now need the horizontal bar too; leave room for it so
        // the bottom of the page stays reachable.
        if (out.width > W && !horzReserved) {
            H = std::max(0, H - in.horzBarHeight);
            sizeFor(in, pw, ph, W, H, out.width, out.height);
        }
    }
    out.horzBar = out.width > W;
    out.vertBar = out.height > H;
    out.viewWidth = std::max(0, in.clientWidth - (out.vertBar ? in.vertBarWidth : 0));
    out.viewHeight = std::max(0, in.clientHeight - (out.horzBar ? in.horzBarHeight : 0));
    // Keep the ranges consistent with the area actually left for the page.
    out.horzBar = out.width > out.viewWidth;
    out.vertBar = out.height > out.viewHeight;
    return out;
}

bool rendersDirectly(int pageWidth, int pageHeight, int clientWidth, int clientHeight) {
    const long long area = static_cast<long long>(pageWidth) * pageHeight;
    return area > static_cast<long long>(clientWidth) * clientHeight && area > 8'847'360LL;
}

ScrollStep scrollVertically(int position, int maximum, bool barShown, int offset,
                            bool autoPageChange) {
    ScrollStep step{position, 0};
    if (!barShown || offset == 0)
        return step;
    step.position = std::clamp(position + offset, 0, std::max(0, maximum));
    if (autoPageChange && step.position == position)
        step.turn = position == 0 ? -1 : 1;
    return step;
}

} // namespace sumberlaras
