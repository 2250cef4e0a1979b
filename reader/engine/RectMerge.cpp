#include "reader/engine/RectMerge.h"

#include <algorithm>

namespace sumberlaras {

namespace {

TRect normalized(const TRect& r) {
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

bool sameLine(const TRect& a, const TRect& b, int gap) {
    const int overlap = std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top);
    const int smaller = std::min(a.Height(), b.Height());
    if (smaller <= 0 || overlap * 2 < smaller)
        return false;
    if (gap == LineHeightGap)
        gap = smaller;
    return b.Left <= a.Right + gap && b.Right >= a.Left - gap;
}

// Page space: y grows upwards, so Top is the larger.
TPdfRect normalized(const TPdfRect& r) {
    return {std::min(r.Left, r.Right), std::max(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::min(r.Top, r.Bottom)};
}

bool sameLine(const TPdfRect& a, const TPdfRect& b) {
    const double overlap = std::min(a.Top, b.Top) - std::max(a.Bottom, b.Bottom);
    const double smaller = std::min(a.Top - a.Bottom, b.Top - b.Bottom);
    return smaller > 0 && overlap * 2 >= smaller;
}

} // namespace

std::vector<TPdfRect> joinMatchRects(const std::vector<TPdfRect>& rects) {
    std::vector<TPdfRect> out;
    for (const TPdfRect& raw : rects) {
        const TPdfRect r = normalized(raw);
        if (!out.empty() && sameLine(out.back(), r)) {
            TPdfRect& last = out.back();
            last = {std::min(last.Left, r.Left), std::max(last.Top, r.Top),
                    std::max(last.Right, r.Right), std::min(last.Bottom, r.Bottom)};
        } else {
            out.push_back(r);
        }
    }
    return out;
}

std::vector<TRect> mergeLineRects(const std::vector<TRect>& rects, int gap) {
    std::vector<TRect> out;
    out.reserve(rects.size());
    for (const TRect& raw : rects) {
        const TRect r = normalized(raw);
        if (r.Width() <= 0 || r.Height() <= 0)
            continue;
        if (!out.empty() && sameLine(out.back(), r, gap)) {
            TRect& last = out.back();
            last = {std::min(last.Left, r.Left), std::min(last.Top, r.Top),
                    std::max(last.Right, r.Right), std::max(last.Bottom, r.Bottom)};
        } else {
            out.push_back(r);
        }
    }
    return out;
}

} // namespace sumberlaras
