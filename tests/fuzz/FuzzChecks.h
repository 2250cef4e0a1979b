#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// What the fuzz targets share: a check that ends the run with its reason (a
// failed check is a finding, like a sanitizer report), and the reference
// rules of UTF-8 that the code under test is held to.
namespace sumberlaras::fuzz {

[[noreturn]] inline void fail(const char* file, int line, const char* what,
                              const std::string& detail) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    if (!detail.empty())
        std::fprintf(stderr, "  %s\n", detail.c_str());
    std::fflush(stderr);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::sumberlaras::fuzz::fail(__FILE__, __LINE__, #condition, {});                         \
    } while (0)

#define FUZZ_CHECK_MSG(condition, detail)                                                          \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::sumberlaras::fuzz::fail(__FILE__, __LINE__, #condition, (detail));                   \
    } while (0)

// Well-formed UTF-8 as the Unicode standard's table of byte sequences has it:
// no overlong forms, no surrogates, nothing above U+10FFFF.
inline bool wellFormedUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto b = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
        const unsigned char c = b(0);
        size_t n = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c <= 0x7F) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c == 0xE0) {
            n = 2, lo = 0xA0;
        } else if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF) {
            n = 2;
        } else if (c == 0xED) {
            n = 2, hi = 0x9F;
        } else if (c == 0xF0) {
            n = 3, lo = 0x90;
        } else if (c >= 0xF1 && c <= 0xF3) {
            n = 3;
        } else if (c == 0xF4) {
            n = 3, hi = 0x8F;
        } else {
            return false;
        }
        if (s.size() - i <= n)
            return false;
        if (b(1) < lo || b(1) > hi)
            return false;
        for (size_t k = 2; k <= n; ++k)
            if (b(k) < 0x80 || b(k) > 0xBF)
                return false;
        i += n + 1;
    }
    return true;
}

inline void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code points of well-formed UTF-8 (the caller has checked it).
template <typename Visit> void forEachCodePoint(std::string_view s, Visit&& visit) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        uint32_t cp = n == 0 ? c : n == 1 ? (c & 0x1F) : n == 2 ? (c & 0x0F) : (c & 0x07);
        for (size_t k = 1; k <= n; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        visit(cp);
        i += n + 1;
    }
}

// Bytes for a message: printable ASCII as it is, the rest as \xNN, cut short.
inline std::string shown(std::string_view s, size_t limit = 300) {
    static const char* hex = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < s.size() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    if (s.size() > limit)
        out += "...";
    return out;
}

} // namespace sumberlaras::fuzz
