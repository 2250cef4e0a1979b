#pragma once

#include <optional>
#include <string>

#include "annotations/PageTransform.h"
#include "base/JsonSlot.h"

namespace sumberlaras::annotations {

// The reading rules of an annotation document: an absent or mistyped member
// reads 0 or empty text; an absent array member is added, empty, by reading it.
double readNumber(const Json& object, const std::string& member);
std::string readString(const Json& object, const std::string& member);
Json& arrayMember(Json& object, const std::string& member);

// The items of the document ("data"), added when absent.
Json& items(Json& document);
void append(Json& document, Json item);
// Removes the item at `position`; false when there is none there.
bool deleteAt(Json& document, std::size_t position);

// The first item of the shown page whose box holds the device point: strict at
// its left and top edge, inclusive at its right and bottom edge. A box whose
// corners map reversed is never hit.
std::optional<std::size_t> hitTest(Json& document, const PageTransform& view, int x, int y);

} // namespace sumberlaras::annotations
