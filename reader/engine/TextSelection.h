#pragma once

#include "reader/engine/PdfTypes.h"
#include "reader/engine/TextRuns.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace sumberlaras {

// The characters of a page and where each is placed. Generated characters (inserted
// spaces, line ends) have no box.
struct PageChars {
    std::u16string text;
    std::vector<std::optional<TPdfRect>> boxes;
};

// Whether the point lies in the rectangle, its edges included.
bool rectContains(const TPdfRect& rect, const TPdfPoint& point);

// The placed character nearest to the point, at any distance, and that distance in
// points; -1 (and an infinite distance) when no character is placed.
int nearestChar(const std::vector<std::optional<TPdfRect>>& boxes, const TPdfPoint& point,
                double* distance = nullptr);

// Selecting the text of one page with the left mouse button. Points are in page space;
// the caller turns device pixels into them and tells the time.
//
//  - A press makes the nearest character the start and stop of a range not yet shown.
//    Dragging moves the stop; the range is shown, except that while start and stop are
//    one character it is shown only when exactly one of the press point and the
//    pointer lies inside that character's box.
//  - A double press selects the word under the pointer and opens the line window: a
//    press inside that word before the window closes selects its line.
//  - After a word or line selection, dragging keeps it whole and extends it from its
//    far end.
class TextSelection {
public:
    using Millis = std::chrono::milliseconds;

    struct Range {
        int start = 0;
        int stop = 0;
        bool active = false; // shown
        bool operator==(const Range&) const = default;
    };

    // The characters of the page the selection is made on. Changing them leaves the
    // range alone: the caller cancels it when the page changes.
    void setChars(PageChars chars);
    bool hasChars() const { return chars_.has_value(); }
    void forgetChars() { chars_.reset(); }

    // The nearest character to the point, as for a press; -1 without placed characters.
    int nearest(const TPdfPoint& point, double* distance = nullptr) const;

    // Left press; `doubleClickTime` is how long the line window stays open.
    void press(const TPdfPoint& point, bool doubleClick, Millis now, Millis doubleClickTime);
    // The pointer moved with the button held; nothing unless a press started a drag.
    void drag(const TPdfPoint& point);
    // Release: the stop follows the pointer once more and the drag ends.
    void release(const TPdfPoint& point);
    // Ends a drag and drops the selection, as when the page goes away.
    void cancel();

    void selectAll(int charCount);
    void clear();

    const Range& range() const { return range_; }
    bool active() const { return range_.active; }
    // The selection as a character range: its first character and its length.
    int first() const;
    int length() const;
    // Whether a press started a drag that has not ended.
    bool selecting() const { return selecting_; }

private:
    bool insideChar(const TPdfPoint& point, int index) const;
    bool insideRange(const TPdfPoint& point, const CharRange& range) const;

    std::optional<PageChars> chars_;
    Range range_;
    bool selecting_ = false;
    bool extendByRange_ = false; // after a word or line selection
    TPdfPoint pressPoint_;
    CharRange lineWindowWord_;
    std::optional<Millis> lineWindowEnd_;
};

} // namespace sumberlaras
