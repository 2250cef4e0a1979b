#include "service/StyleSheetPatch.h"

#include <algorithm>
#include <cctype>

namespace sumberlaras {
namespace {

const std::string kButtonMarker = "[WARNA_BUTTON_LOGIN]";
const std::string kHoverMarker = "[WARNA_HOVER_BUTTON_LOGIN]";

bool containsIgnoringCase(const std::string& text, const std::string& needle) {
    auto same = [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) ==
               std::toupper(static_cast<unsigned char>(b));
    };
    return std::search(text.begin(), text.end(), needle.begin(), needle.end(), same) != text.end();
}

void replaceEvery(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

std::string patchStyleSheet(const std::string& text, const std::string& buttonColour,
                            const std::string& hoverColour) {
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        std::string line =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (containsIgnoringCase(line, kButtonMarker))
            replaceEvery(line, kButtonMarker, buttonColour);
        if (containsIgnoringCase(line, kHoverMarker))
            replaceEvery(line, kHoverMarker, hoverColour);
        out += line;
        if (end == std::string::npos)
            break;
        out += '\n';
        start = end + 1;
    }
    return out;
}

} // namespace sumberlaras
