// The stored annotation copy as the book opening decodes it: by its UTF-8 or
// UTF-16 byte-order mark, or as UTF-8 without one, then read as a document
// with JSON's white space around it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "reader/session/Documents.h"
#include "tests/fuzz/FuzzChecks.h"

using namespace sumberlaras;
using namespace sumberlaras::fuzz;

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLittleMark = "\xFF\xFE";
constexpr std::string_view kBigMark = "\xFE\xFF";

// UTF-16 units after the mark, read independently: pairs make one code
// point, a lone surrogate one U+FFFD, an odd last byte is not a unit.
std::string referenceUtf16(std::string_view bytes, bool little) {
    std::u16string units;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(little ? (b << 8 | a) : (a << 8 | b)));
    }
    std::string out;
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((static_cast<uint32_t>(u) - 0xD800) << 10) +
                                (static_cast<uint32_t>(units[i + 1]) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

std::string encodeUtf16(std::string_view utf8, bool little) {
    std::string out(little ? kLittleMark : kBigMark);
    const auto unit = [&](uint32_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += little ? lo : hi;
        out += little ? hi : lo;
    };
    forEachCodePoint(utf8, [&](uint32_t cp) {
        if (cp >= 0x10000) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp);
        }
    });
    return out;
}

void checkRead(const reader::StoredAnnotation& read) {
    FUZZ_CHECK(read.document.is_object());
    const auto data = read.document.find("data");
    FUZZ_CHECK(data != read.document.end() && data->is_array());
}

void sameRead(const reader::StoredAnnotation& a, const reader::StoredAnnotation& b,
              const std::string& how) {
    FUZZ_CHECK_MSG(a.unreadable == b.unreadable, how);
    FUZZ_CHECK_MSG(a.document == b.document, how);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string decoded = reader::decodeStoredText(bytes);

    // What each mark promises.
    const std::string_view view(bytes);
    if (view.starts_with(kUtf8Mark)) {
        FUZZ_CHECK(decoded == view.substr(3));
    } else if (view.starts_with(kLittleMark) || view.starts_with(kBigMark)) {
        FUZZ_CHECK_MSG(wellFormedUtf8(decoded), shown(decoded));
        FUZZ_CHECK_MSG(decoded == referenceUtf16(view, view.starts_with(kLittleMark)),
                       shown(decoded));
    } else {
        FUZZ_CHECK(decoded == bytes);
    }

    // A reading never throws and always gives a document with its items.
    const reader::StoredAnnotation read = reader::readStoredAnnotation(bytes, "42");
    checkRead(read);
    if (read.unreadable)
        FUZZ_CHECK(read.document == reader::emptyDocument("42"));

    // Any UTF-8 text comes back unchanged from each way it can be stored.
    if (!wellFormedUtf8(decoded))
        return 0;
    const std::string& text = decoded;
    FUZZ_CHECK(reader::decodeStoredText(std::string(kUtf8Mark) + text) == text);
    FUZZ_CHECK(reader::decodeStoredText(encodeUtf16(text, true)) == text);
    FUZZ_CHECK(reader::decodeStoredText(encodeUtf16(text, false)) == text);
    if (!text.starts_with(kUtf8Mark))
        FUZZ_CHECK(reader::decodeStoredText(text) == text);

    // The encoding and JSON's white space around the document change nothing
    // (a mark inside the text is a character, not white space).
    const reader::StoredAnnotation plain = reader::readStoredAnnotation(text, "42");
    checkRead(plain);
    if (text.starts_with(kUtf8Mark))
        return 0;
    const std::string spaced = " \t\r\n" + text + "\n\t \r\n";
    sameRead(plain, reader::readStoredAnnotation(spaced, "42"), "white space");
    sameRead(plain, reader::readStoredAnnotation(std::string(kUtf8Mark) + spaced, "42"),
             "UTF-8 mark");
    sameRead(plain, reader::readStoredAnnotation(encodeUtf16(spaced, true), "42"), "UTF-16 LE");
    sameRead(plain, reader::readStoredAnnotation(encodeUtf16(spaced, false), "42"), "UTF-16 BE");
    return 0;
}
