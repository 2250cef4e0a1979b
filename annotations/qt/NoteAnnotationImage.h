#pragma once

#include <QImage>

namespace sumberlaras::annotations {

// The 48 × 48 icon with transparency that marks a sticky note, from the
// program's "notes" resource; drawn at that size at every zoom and pixel ratio.
QImage loadNoteAnnotationImage();

} // namespace sumberlaras::annotations
