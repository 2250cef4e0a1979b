#pragma once

#include "reader/engine/PdfTypes.h"

#include <QRegion>

#include <functional>
#include <vector>

namespace sumberlaras {

// What is blended over the page: the selection and the search marks. Kept in page
// space, and as merged line rectangles in device pixels for where the page is now.
class PageOverlay {
public:
    using ToDevice = std::function<TRect(const TPdfRect&)>;
    explicit PageOverlay(ToDevice toDevice) : toDevice_(std::move(toDevice)) {}

    // The rectangles of the shown selection; empty when none is shown.
    void setSelection(std::vector<TPdfRect> rects);
    void setMarks(std::vector<TPdfRect> rects);
    const std::vector<TPdfRect>& marks() const { return marks_; }
    // The page moved or changed its size: device rectangles are worked out again.
    void moved() { selectionDirty_ = marksDirty_ = true; }

    const std::vector<TRect>& selectionDevice();
    const std::vector<TRect>& marksDevice();

    // The pixels, with one of margin, of rectangles that are in one set and not in the
    // other: what a change of the selection or the marks has to repaint.
    static QRegion changed(const std::vector<TRect>& before, const std::vector<TRect>& after);

private:
    std::vector<TRect> device(const std::vector<TPdfRect>& rects, int gap) const;

    ToDevice toDevice_;
    std::vector<TPdfRect> selection_;
    std::vector<TRect> selectionDevice_;
    bool selectionDirty_ = true;
    std::vector<TPdfRect> marks_;
    std::vector<TRect> marksDevice_;
    bool marksDirty_ = true;
};

} // namespace sumberlaras
