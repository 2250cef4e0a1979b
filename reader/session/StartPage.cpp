#include "reader/session/StartPage.h"

namespace sumberlaras::reader {

StartKind startKind(int32_t pageIdx, int32_t pageToJump) {
    if (pageToJump > 0)
        return StartKind::SearchJump;
    // Any jump below 1 is no jump, so the resume question still comes.
    if (pageIdx > 0)
        return StartKind::AskResume;
    return StartKind::FirstPage;
}

StartPage chooseStartPage(int32_t pageIdx, int32_t pageToJump, bool resumeAccepted) {
    switch (startKind(pageIdx, pageToJump)) {
    case StartKind::SearchJump:
        return {pageToJump, true};
    case StartKind::AskResume:
        return {resumeAccepted ? pageIdx : 0, false};
    case StartKind::FirstPage:
        break;
    }
    return {0, false};
}

} // namespace sumberlaras::reader
