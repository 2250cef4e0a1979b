#pragma once

#include <string>

#include "base/JsonSlot.h"
#include "reader/session/Outbox.h"

namespace sumberlaras::reader {

// The service client as the reader uses it. Request operations run on worker
// threads and never throw: failures come back as an envelope.
class LoanService {
public:
    virtual ~LoanService() = default;
    virtual std::string dataFolder() const = 0;
    // The signed-in member's identifier; empty while nobody is signed in.
    virtual std::string memberId() const = 0;
    virtual JsonSlot& readPermissionSlot() = 0;
    virtual Json ReadPermissionRequest(const std::string& id_konten) = 0;
    // Fetches "file_anotasi" into the data folder's "tempAnnot.json".
    virtual Json DownloadAnnotationRequest(const std::string& file_anotasi) = 0;
    virtual Json UpdateReadStatusRequest(const std::string& id_baca, const std::string& status) = 0;
    virtual Json BookReturnRequest(const std::string& id_baca, const std::string& id_konten,
                                   const std::string& page_index) = 0;
    virtual Json SaveAnnotationRequest(const std::string& JSONString) = 0;
    virtual Json SaveCopyText(const std::string& JSonString) = 0;

    // An outbox entry, sent with the session of its own member only.
    struct EntryAnswer {
        bool sent = false;        // false: another member, or nobody, is signed in
        bool fromService = false; // the answer is the service's own, not a failure envelope
        Json answer;
    };
    virtual EntryAnswer SendOutboxEntry(const OutboxEntry& entry) = 0;
};

} // namespace sumberlaras::reader
