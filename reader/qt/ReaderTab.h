#pragma once

#include <memory>
#include <string>

#include "annotations/qt/AnnotationLayer.h"
#include "base/Ticker.h"

class QWidget;

namespace sumberlaras {

class TPdfControl;

// One tab of the reader: its sheet and, while a book is open in it, the book's
// page view and its two one-second timers. The records of the book live in
// the face's readDict and readerState.
struct ReaderTab {
    int index = 0;
    std::string name;            // "TabSheet1".."TabSheet3", the key of its records
    QWidget* sheet = nullptr;    // owned by PageControl1
    TPdfControl* view = nullptr; // owned by the sheet while a book is open
    std::unique_ptr<Ticker> TimerIdle;
    std::unique_ptr<Ticker> TimerChecking;
    // The book's marks as last drawn over its page.
    annotations::AnnotationLayer marks;

    bool holdsBook() const { return view != nullptr; }
};

} // namespace sumberlaras
