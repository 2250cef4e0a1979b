#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "annotations/Canvas.h"
#include "annotations/Colours.h"
#include "annotations/ModeTable.h"
#include "annotations/PageTransform.h"
#include "base/JsonSlot.h"

namespace sumberlaras::annotations {

enum class MouseButton { Left, Right, Middle };

// What the reader does after a handled release.
struct ReleaseOutcome {
    // The tool that made its mark, to be clicked off as its button would.
    std::optional<ToolButton> clickOff;
    // The note tool placed a note: the sticky-note window opens for DrawRect.
    bool placeNote = false;
};

// The one mouse gesture of the main window, whatever the tab: press, move and
// release on a page view, with what each tool draws at once and the item it
// adds to the document.
class GestureRecorder {
public:
    bool isDragging = false;
    // The press point of the gesture; outside one, and beside the page, every
    // move overwrites it, so a click finds the point clicked here.
    int StartX = 0;
    int StartY = 0;
    DeviceRect DrawRect;
    // The pen stroke being recorded, an "INK" item; null when none is.
    Json TempInkJSON;

    // A press beside the page (left or right of it) starts nothing; above or
    // below it within its width it does.
    void press(const PageTransform& view, MouseButton button, int x, int y, const ToolStates& tools,
               const ToolColours& colours, AnnotationCanvas& canvas);
    void move(const PageTransform& view, int x, int y, bool leftHeld, const ToolStates& tools,
              const ToolColours& colours, AnnotationCanvas& canvas);
    // Only a left release within the page's width ends a gesture; `selection`
    // is the page-space rectangles of the view's selected text.
    ReleaseOutcome release(const PageTransform& view, MouseButton button, int x, int y,
                           const ToolStates& tools, const ToolColours& colours,
                           const std::vector<PageBox>& selection, Json& document,
                           AnnotationCanvas& canvas);

    // Click: outlines the first item under the point clicked; a second click on
    // it removes the outline again. Nothing while the overlay is hidden.
    void click(Json& document, const PageTransform& view, bool overlayShown,
               AnnotationCanvas& canvas);
    // The item a double-click is on, while the overlay is shown.
    std::optional<std::size_t> itemAtClick(Json& document, const PageTransform& view,
                                           bool overlayShown) const;

private:
    bool besidePage(const PageTransform& view, int x) const;

    DevicePoint penPos_;
};

} // namespace sumberlaras::annotations
