#pragma once

#include <cstdint>
#include <string>

#include "annotations/ModeTable.h"
#include "base/JsonSlot.h"
#include "base/Tasks.h"

namespace sumberlaras::reader {

// The reader state of one tab, kept in readerState under the tab's name. The
// tool states come from the annotation mode table; the two timers belong to
// the tab's widgets.
struct TReaderSettings : annotations::ToolStates {
    std::string CurrentPage;
    int32_t CurrentZoomIndex = 2;
    bool CurrentAnnotViewState = false;
    std::string CurrentSearchKeyWord;
    bool AutoPageChange = true;
    Json AnnotationObject;
    // Changes with every change the tools make to the document, so that its
    // drawn marks are drawn again.
    uint64_t AnnotationRevision = 0;
    Json TextCopyObject;
    int32_t IdleTime = 0;
    int32_t CheckingTime = 0;
    TaskHandle TimerTask; // the status report in flight
    int32_t ReadStatus = 1;
    std::string IdBaca;
    // The member whose loan it is: only their session returns it.
    std::string Member;
    // The service keeps an annotation copy this tab could not read: an
    // annotation document still empty at the return must not replace it.
    bool KeepStoredAnnotation = false;
};

} // namespace sumberlaras::reader
