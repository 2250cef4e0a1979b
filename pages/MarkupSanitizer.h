#pragma once

#include <string>
#include <string_view>

namespace sumberlaras::pages {

// Service text that a page shows as markup, reduced to plain formatting.
// Kept: p, br, b, strong, i, em, u, s, sub, sup, mark, ul, ol, li, blockquote,
// span, div and h1-h6, without attributes. Dropped with their content: script,
// style and every element that embeds, submits, links or redirects. Any other
// element gives up its tag and keeps its text. Text is escaped. Plain text and
// markup made only of kept elements come back byte for byte.
std::string sanitizeMarkup(std::string_view markup);

} // namespace sumberlaras::pages
