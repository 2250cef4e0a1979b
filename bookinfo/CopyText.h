#pragma once

#include <cstdint>
#include <string>

#include "base/JsonSlot.h"
#include "reader/session/Book.h"

namespace sumberlaras::bookinfo {

// The page label of a copy: Roman below "halaman_romawi" (empty for the first
// page), then the body's own numbering from 0.
std::string copyPageLabel(int pageIndex, int32_t halamanRomawi);

// What the clipboard gets: the passage under the book's data, six lines joined
// by CR LF, with no break after the last.
std::string clipboardText(const reader::TDetailBook& book, const std::string& pageLabel,
                          const std::string& passage);

// Appends {"page","text"} to the copied-text document's "data" unless the same
// passage of the same page is there already; true when it was added. A
// document without a "data" array gets one.
bool recordCopy(Json& textCopyObject, const std::string& pageLabel, const std::string& passage);

} // namespace sumberlaras::bookinfo
