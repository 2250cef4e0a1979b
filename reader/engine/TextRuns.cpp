#include "reader/engine/TextRuns.h"

namespace sumberlaras {

namespace {

bool isWhiteSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v' ||
           c == 0x00A0 || c == 0x2028 || c == 0x2029 || c == 0x3000 || (c >= 0x2000 && c <= 0x200A);
}

bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

template <typename Inside>
CharRange runAround(const std::u16string& text, int index, Inside inside) {
    const int n = static_cast<int>(text.size());
    if (index < 0 || index >= n)
        return {};
    if (!inside(text[static_cast<size_t>(index)]))
        return {index, index};
    int first = index, last = index;
    while (first > 0 && inside(text[static_cast<size_t>(first - 1)]))
        --first;
    while (last + 1 < n && inside(text[static_cast<size_t>(last + 1)]))
        ++last;
    return {first, last};
}

} // namespace

CharRange wordAround(const std::u16string& text, int index) {
    return runAround(text, index, [](char16_t c) { return !isWhiteSpace(c); });
}

CharRange lineAround(const std::u16string& text, int index) {
    return runAround(text, index, [](char16_t c) { return !isLineBreak(c); });
}

} // namespace sumberlaras
