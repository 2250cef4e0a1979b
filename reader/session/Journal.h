#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/JsonSlot.h"
#include "reader/session/Outbox.h"

namespace sumberlaras::reader {

// A book that was open when the journal was last written: enough to return it
// on the page it was on and to send the reader's work after it. Never any
// byte of the book itself.
struct JournaledBook {
    std::string member;
    std::string idBaca;
    std::string idKonten;
    std::string title;
    int32_t pageIndex = 0;
    std::optional<std::string> annotations; // as a return sends it
    std::string copiedText;
};

struct JournalContents {
    std::vector<JournaledBook> books;
    Outbox outbox; // every entry waits for its member's next sign-in
};

// The journal's text; empty when there is nothing to keep.
std::string journalText(const std::vector<JournaledBook>& books, const Outbox& outbox);
// Reads a journal's text; records without a member or a loan are left out.
// Throws std::runtime_error when the text is not a journal at all.
JournalContents readJournal(const std::string& text);

} // namespace sumberlaras::reader
