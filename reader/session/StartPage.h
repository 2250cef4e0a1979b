#pragma once

#include <cstdint>
#include <string>

namespace sumberlaras::reader {

// Where a book opens: its first page, the page where the reader stopped (if
// they say so), or a page that a sentence search found. A jump to index 0 is
// no jump.
enum class StartKind { FirstPage, AskResume, SearchJump };

StartKind startKind(int32_t pageIdx, int32_t pageToJump);

struct StartPage {
    int32_t pageIndex = 0;
    bool searchJump = false; // mark the searched sentence on that page
};

// `resumeAccepted` is the answer to the resume question, when it was asked.
StartPage chooseStartPage(int32_t pageIdx, int32_t pageToJump, bool resumeAccepted);

} // namespace sumberlaras::reader
