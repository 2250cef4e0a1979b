#pragma once

#include <string>
#include <string_view>

namespace sumberlaras::reader {

// Full Unicode case folding (ß and ss, Ç and ç, dotless and dotted i as the
// default folding has them), so a match ignores case in every script.
std::u16string foldCase(std::u16string_view text);

// Conversions between UTF-8 and UTF-16; a broken sequence becomes U+FFFD
// rather than failing the whole text.
std::u16string utf16(std::string_view utf8);
std::string utf8(std::u16string_view utf16);

} // namespace sumberlaras::reader
