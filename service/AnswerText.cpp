#include "service/AnswerText.h"

#include <algorithm>
#include <cctype>

namespace sumberlaras {
namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string declaredCharset(const std::string& contentType) {
    const std::string lower = lowerCase(contentType);
    const auto at = lower.find("charset=");
    if (at == std::string::npos)
        return {};
    std::string value = lower.substr(at + 8);
    value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
    const auto end = value.find_first_of("; \t");
    return end == std::string::npos ? value : value.substr(0, end);
}

} // namespace

bool isValidUtf8(const std::string& text) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        size_t extra = 0;
        unsigned min = 0;
        unsigned cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string latin1ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string answerTextAsUtf8(const std::string& body, const std::string& contentType) {
    const std::string charset = declaredCharset(contentType);
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "latin-1" ||
        charset == "windows-1252")
        return latin1ToUtf8(body);
    std::string text = body;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    if (!isValidUtf8(text))
        return latin1ToUtf8(text);
    return text;
}

} // namespace sumberlaras
