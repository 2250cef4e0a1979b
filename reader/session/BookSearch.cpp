#include "reader/session/BookSearch.h"

#include <stdexcept>

namespace sumberlaras::reader {

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
