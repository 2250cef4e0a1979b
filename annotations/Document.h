#pragma once

#include <optional>
#include <string>

#include "annotations/PageTransform.h"
#include "base/JsonSlot.h"

namespace sumberlaras::annotations {

// The reading rules of an annotation document: an absent or mistyped member
// reads 0 or empty text; an absent array member is added, empty, by reading it.
double readNumber(const Json& object, const std::string& member);
// A number member towards zero, read as readNumber reads it; none when it
// does not fit an int, so that no page number turns into another page's.
std::optional<int> readInt(const Json& object, const std::string& member);
std::string readString(const Json& object, const std::string& member);
// The member, or null when it is absent.
const Json& memberOf(const Json& object, const std::string& member);
Json& arrayMember(Json& object, const std::string& member);

// The items of the document ("data"), added when absent.
Json& items(Json& document);
void append(Json& document, Json item);
// Removes the item at `position`; false when there is none there.
bool deleteAt(Json& document, std::size_t position);

// A device rectangle's page-space image, corner by corner and not normalised:
// {"left", "top", "right", "bottom"}.
Json pageBox(const PageTransform& view, const DeviceRect& r);
// The device image of a {"left", "top", "right", "bottom"} box.
DeviceRect deviceBox(const PageTransform& view, const Json& box);

// Whether two items are the same mark: equal once the arrays that reading
// adds (empty "point_data" of a highlight, "draw_data" of a stroke) are
// counted as there in both.
bool sameItem(const Json& a, const Json& b);
// Where `item` is now: at `position` when it is still there, otherwise the
// first item that is the same mark; nothing once it is gone.
std::optional<std::size_t> findItem(Json& document, std::size_t position, const Json& item);

// The first item of the shown page whose box holds the device point: strict at
// its left and top edge, inclusive at its right and bottom edge. A box whose
// corners map reversed is never hit.
std::optional<std::size_t> hitTest(Json& document, const PageTransform& view, int x, int y);

} // namespace sumberlaras::annotations
