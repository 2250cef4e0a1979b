#pragma once

#include <string>

#include "base/JsonSlot.h"

namespace sumberlaras::reader {

// {"id_konten": id, "data": []}, the document of a book nothing was noted in.
Json emptyDocument(const std::string& idKonten);

// The whole document as indented text: one tab per level, LF line ends.
// Text that is not UTF-8 is replaced, never refused.
std::string serialiseDocument(const Json& document);

// Whether a document holds no items.
bool documentIsEmpty(const Json& document);

// The annotation copy the service keeps, as the book opening reads it.
struct StoredAnnotation {
    Json document;           // the copy, or the empty document
    bool unreadable = false; // a copy exists but could not be read
};

// The stored copy's bytes as UTF-8 text: decoded by a UTF-8 or UTF-16
// byte-order mark when it has one, taken as UTF-8 otherwise.
std::string decodeStoredText(const std::string& bytes);

// Reads the fetched copy from its bytes (decoded as above). Anything but an object with a "data"
// array (empty, white space, truncated, an array...) gives the empty
// document and `unreadable`.
StoredAnnotation readStoredAnnotation(const std::string& text, const std::string& idKonten);

} // namespace sumberlaras::reader
