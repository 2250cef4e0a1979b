#pragma once

#include "annotations/Canvas.h"
#include "annotations/PageTransform.h"
#include "base/JsonSlot.h"

namespace sumberlaras::annotations {

// Draws every item of the shown page, in the document's order, so a later
// item lies over an earlier one. Nothing is cached: boxes are converted from
// page space on every paint.
void paintPage(Json& document, const PageTransform& view, AnnotationCanvas& canvas);

} // namespace sumberlaras::annotations
