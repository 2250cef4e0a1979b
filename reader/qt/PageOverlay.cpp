#include "reader/qt/PageOverlay.h"

#include "reader/engine/RectMerge.h"
#include "reader/qt/PdfCanvas.h"

#include <algorithm>

namespace sumberlaras {

void PageOverlay::setSelection(std::vector<TPdfRect> rects) {
    selection_ = std::move(rects);
    selectionDirty_ = true;
}

void PageOverlay::setMarks(std::vector<TPdfRect> rects) {
    marks_ = std::move(rects);
    marksDirty_ = true;
}

const std::vector<TRect>& PageOverlay::selectionDevice() {
    if (selectionDirty_) {
        // A selection is one run of text: it spans the spaces between its words.
        selectionDevice_ = device(selection_, LineHeightGap);
        selectionDirty_ = false;
    }
    return selectionDevice_;
}

const std::vector<TRect>& PageOverlay::marksDevice() {
    if (marksDirty_) {
        marksDevice_ = device(marks_, 2); // matches stay apart
        marksDirty_ = false;
    }
    return marksDevice_;
}

std::vector<TRect> PageOverlay::device(const std::vector<TPdfRect>& rects, int gap) const {
    std::vector<TRect> out;
    out.reserve(rects.size());
    for (const TPdfRect& r : rects)
        out.push_back(toDevice_(r));
    return mergeLineRects(out, gap);
}

QRegion PageOverlay::changed(const std::vector<TRect>& before, const std::vector<TRect>& after) {
    QRegion region;
    for (const TRect& r : before)
        if (std::find(after.begin(), after.end(), r) == after.end())
            region += toQRect(r).adjusted(-1, -1, 1, 1);
    for (const TRect& r : after)
        if (std::find(before.begin(), before.end(), r) == before.end())
            region += toQRect(r).adjusted(-1, -1, 1, 1);
    return region;
}

} // namespace sumberlaras
