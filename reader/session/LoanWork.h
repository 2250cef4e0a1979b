#pragma once

#include <optional>
#include <string>

#include "base/Tasks.h"
#include "reader/session/Book.h"
#include "reader/session/Documents.h"
#include "reader/session/LoanService.h"
#include "reader/session/Outbox.h"
#include "reader/session/ReaderSettings.h"

namespace sumberlaras::reader {

// The bodies of the reader's tasks. Each takes all it needs as parameters and
// never reads a record the main thread may release.

enum class AnnotationFetch { NotStored, Fetched, Failed };

// "readPermission": asks for the loan and, when the service keeps an
// annotation copy, fetches it into "tempAnnot.json". The answer also goes to
// the read-permission slot.
struct PermissionResult {
    Json answer;
    AnnotationFetch fetch = AnnotationFetch::NotStored;
};
PermissionResult ReadPermissionRequest(LoanService& service, const std::string& idKonten);

// Reads and deletes "tempAnnot.json" after a permission; a failed fetch or an
// unreadable copy gives the empty document, marked unreadable.
StoredAnnotation takeStoredAnnotation(const std::string& dataFolder, const std::string& idKonten,
                                      AnnotationFetch fetch);

// "Update": parameters "id_baca", "key" and "status".
TaskParams statusReportParams(const TReaderSettings& s, const std::string& tab);
void UpdateReadStatus(LoanService& service, const TaskParams& params);

// What a return sends of a book's records, serialised: the annotation
// document, unless the service keeps a copy this tab could not read and the
// document is still empty, and the copied passages.
struct ReturnDocuments {
    std::optional<std::string> annotations;
    std::string copiedText;
};
ReturnDocuments returnDocuments(const TReaderSettings& s);

// "outbox": one entry sent and its answer sorted; nothing when its member's
// session is not the one signed in.
struct EntrySent {
    OutboxAnswer answer = OutboxAnswer::Failed;
    std::string msg;
};
std::optional<EntrySent> SendOutboxEntry(LoanService& service, const OutboxEntry& entry);

} // namespace sumberlaras::reader
