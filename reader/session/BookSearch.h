#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/Tasks.h"
#include "reader/session/UnicodeText.h"

namespace sumberlaras::reader {

// Messages of the in-book search task.
enum SearchMessage : int {
    kSearchFound = 1,    // the text: the zero-based page index
    kSearchNotFound = 3, // the text: "Tidak Ditemukan"
    kSearchFailed = 13,  // the text: "Error Exception #1338 : " and the error
};
inline constexpr const char* kSearchNotFoundText = "Tidak Ditemukan";

// Whether the text holds the folded keyword anywhere, inside words too.
bool containsFolded(std::u16string_view text, std::u16string_view foldedKeyword);

// The scan of the pages after (forwards) or before the shown page; the shown
// page itself is never read.
enum class ScanEnd { Found, NotFound, NoPages, Stopped };
struct ScanResult {
    ScanEnd end = ScanEnd::NoPages;
    int page = -1;
};
using PageTextSource = std::function<std::u16string(int pageIndex)>;
ScanResult scanPages(const std::u16string& keyword, bool forwards, int shownPage, int pageCount,
                     const PageTextSource& pageText, const std::function<bool()>& stopRequested);

// Parameters of the task: "keyword", "direction" (1 forwards, 0 backwards),
// and what the worker may not read from the view: "page" (the shown index),
// "count" (pages of the book), "key" (the tab) and "id_baca" (the loan).
TaskParams searchParams(const std::string& keyword, int direction, int shownPage, int pageCount,
                        const std::string& tabName, const std::string& idBaca);

// The task body: scans and reports through the task's messages; never throws.
void SearchWorker(Task& task, const PageTextSource& pageText);

} // namespace sumberlaras::reader
