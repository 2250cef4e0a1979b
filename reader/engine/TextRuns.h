#pragma once

#include <string>

namespace sumberlaras {

// A character range [first, last], both inclusive.
struct CharRange {
    int first = 0;
    int last = -1;
    bool contains(int i) const { return i >= first && i <= last; }
    bool operator==(const CharRange&) const = default;
};

// The longest run of non-white-space characters around `index` (just the character
// itself when it is white space). Empty range when `index` is outside the text.
CharRange wordAround(const std::u16string& text, int index);

// The longest run around `index` without CR or LF.
CharRange lineAround(const std::u16string& text, int index);

} // namespace sumberlaras
