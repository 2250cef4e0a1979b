#pragma once

#include <string>
#include <string_view>

#include "base/JsonSlot.h"

namespace sumberlaras::pages {

// A member read as page text: strings as they are, numbers in decimal,
// absent, null or structured members as empty text.
std::string text(const Json& object, std::string_view member);
// A member read as an integer ("25" and 25 alike); anything else is 0.
long long integer(const Json& object, std::string_view member);
// The array member, or an empty array when it is absent or of another type.
const Json& items(const Json& object, std::string_view member);
// The object member, or an empty object.
const Json& object(const Json& parent, std::string_view member);

// A count the page prints ("stok", "total_rows"): the member read as an
// integer, in decimal, so that no text of the answer reaches the page; an
// absent or null member is empty text.
std::string count(const Json& object, std::string_view member);

// An image address from the service when it is an https address on the
// service's own host (`base`: scheme and host of the service); otherwise empty.
std::string serviceAddress(std::string_view url, std::string_view base);

// "&", "<", ">" and the double quote as entities; nothing else changes.
std::string html(std::string_view value);

// A value inside a single-quoted script string that itself stands in a
// double-quoted attribute (the arguments of the pages' app calls): quotes,
// backslashes and line breaks are script escapes, so neither the call nor the
// attribute can be broken and the handler receives the original text.
std::string jsArg(std::string_view value);

// A value inside a double-quoted attribute.
std::string attr(std::string_view value);

// Markup placed inside a single-quoted script string run in the page.
std::string jsString(std::string_view value);

// Trims blanks, tabs and line breaks at both ends.
std::string trim(std::string_view value);
// Removes every CR LF pair.
std::string withoutCrLf(std::string_view value);

} // namespace sumberlaras::pages
