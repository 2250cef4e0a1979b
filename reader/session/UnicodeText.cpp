#include "reader/session/UnicodeText.h"

#include <stdexcept>

#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace sumberlaras::reader {

namespace {

const UChar* u(const char16_t* s) {
    return reinterpret_cast<const UChar*>(s);
}
UChar* u(char16_t* s) {
    return reinterpret_cast<UChar*>(s);
}

} // namespace

std::u16string foldCase(std::u16string_view text) {
    if (text.empty())
        return {};
    // Folding may lengthen the text (ß becomes ss): ask, then fold.
    std::u16string out(text.size() * 3, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t n = u_strFoldCase(u(out.data()), static_cast<int32_t>(out.size()), u(text.data()),
                              static_cast<int32_t>(text.size()), U_FOLD_CASE_DEFAULT, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.assign(static_cast<size_t>(n), u'\0');
        status = U_ZERO_ERROR;
        n = u_strFoldCase(u(out.data()), n, u(text.data()), static_cast<int32_t>(text.size()),
                          U_FOLD_CASE_DEFAULT, &status);
    }
    if (U_FAILURE(status))
        throw std::runtime_error(std::string("case folding: ") + u_errorName(status));
    out.resize(static_cast<size_t>(n));
    return out;
}

std::u16string utf16(std::string_view text) {
    if (text.empty())
        return {};
    std::u16string out(text.size(), u'\0'); // never more units than bytes
    int32_t n = 0;
    UErrorCode status = U_ZERO_ERROR;
    // Broken sequences become U+FFFD rather than failing the whole text.
    u_strFromUTF8WithSub(u(out.data()), static_cast<int32_t>(out.size()), &n, text.data(),
                         static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status))
        throw std::runtime_error(std::string("UTF-8: ") + u_errorName(status));
    out.resize(static_cast<size_t>(n));
    return out;
}

std::string utf8(std::u16string_view text) {
    if (text.empty())
        return {};
    std::string out(text.size() * 3, '\0');
    int32_t n = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &n, u(text.data()),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status))
        throw std::runtime_error(std::string("UTF-16: ") + u_errorName(status));
    out.resize(static_cast<size_t>(n));
    return out;
}

} // namespace sumberlaras::reader
