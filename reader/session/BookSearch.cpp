#include "reader/session/BookSearch.h"

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

bool containsFolded(std::u16string_view text, std::u16string_view foldedKeyword) {
    if (foldedKeyword.empty())
        return false;
    return foldCase(text).find(foldedKeyword) != std::u16string::npos;
}

ScanResult scanPages(const std::u16string& keyword, bool forwards, int shownPage, int pageCount,
                     const PageTextSource& pageText, const std::function<bool()>& stopRequested) {
    const std::u16string folded = foldCase(keyword);
    const int step = forwards ? 1 : -1;
    const int first = shownPage + step;
    if (first < 0 || first >= pageCount || folded.empty())
        return {ScanEnd::NoPages, -1};
    for (int page = first; page >= 0 && page < pageCount; page += step) {
        if (stopRequested && stopRequested())
            return {ScanEnd::Stopped, -1};
        if (containsFolded(pageText(page), folded))
            return {ScanEnd::Found, page};
    }
    return {ScanEnd::NotFound, -1};
}

TaskParams searchParams(const std::string& keyword, int direction, int shownPage, int pageCount,
                        const std::string& tabName, const std::string& idBaca) {
    TaskParams p;
    p.set("keyword", keyword)
        .set("direction", direction)
        .set("page", shownPage)
        .set("count", pageCount)
        .set("key", tabName)
        .set("id_baca", idBaca);
    return p;
}

void SearchWorker(Task& task, const PageTextSource& pageText) {
    try {
        const TaskParams& p = task.params();
        const ScanResult r =
            scanPages(utf16(p.text("keyword")), p.integer("direction") == 1, p.integer("page"),
                      p.integer("count"), pageText, [&task] { return task.stopRequested(); });
        if (r.end == ScanEnd::Found)
            task.postMessage(kSearchFound, std::to_string(r.page));
        else if (r.end == ScanEnd::NotFound)
            task.postMessage(kSearchNotFound, kSearchNotFoundText);
    } catch (const std::exception& e) {
        task.postMessage(kSearchFailed, std::string("Error Exception #1338 : ") + e.what());
    }
}

} // namespace sumberlaras::reader
