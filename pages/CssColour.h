#pragma once

#include <string>
#include <string_view>

namespace sumberlaras::pages {

// The value when it is a CSS colour (#rgb, #rgba, #rrggbb, #rrggbbaa,
// rgb()/rgba()/hsl()/hsla() with numbers, or a named colour), blanks at the
// ends trimmed; otherwise empty text, so that it can neither end its rule nor
// add one.
std::string cssColour(std::string_view value);

} // namespace sumberlaras::pages
