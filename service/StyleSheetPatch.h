#pragma once

#include <string>

namespace sumberlaras {

// The partner's login-button colours put into the style sheet, line by line:
// a line that holds a marker in any letter case is searched for the exact
// upper-case marker, and every occurrence is replaced. Line breaks (LF or
// CRLF) and a missing final line break are kept as they were.
std::string patchStyleSheet(const std::string& text, const std::string& buttonColour,
                            const std::string& hoverColour);

} // namespace sumberlaras
