#pragma once

#include "reader/engine/PdfTypes.h"

#include <vector>

namespace sumberlaras {

// Joins character rectangles, given in reading order, into one rectangle per run on a
// line: a rectangle joins the previous one when they share most of their height and
// touch or nearly touch side by side. Painting and invalidating a few line rectangles
// is far cheaper than thousands of overlapping character boxes, and nothing is
// blended twice.
// A `gap` of LineHeightGap bridges gaps up to the height of the rectangles: the
// spaces between the words of one line.
constexpr int LineHeightGap = -1;
std::vector<TRect> mergeLineRects(const std::vector<TRect>& rects, int gap = 2);

// The rectangles of one match, in page space and reading order, joined into one
// per line: a match is one mark, even where a PDF places every glyph apart.
std::vector<TPdfRect> joinMatchRects(const std::vector<TPdfRect>& rects);

} // namespace sumberlaras
