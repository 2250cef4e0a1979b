#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/JsonSlot.h"

namespace sumberlaras::reader {

// What a return sends, in the order it is sent for one loan.
enum class OutboxKind { Return, Annotations, CopiedText };

struct OutboxEntry {
    uint64_t id = 0;    // order of arrival
    std::string member; // only this member's session sends it
    std::string idBaca; // the loan
    std::string idKonten;
    std::string title; // what the reader is shown while it waits
    OutboxKind kind = OutboxKind::Return;
    std::string payload; // the page index of a return; the document otherwise
    int attempts = 0;
    std::chrono::milliseconds due{0};
    bool waitsForSignIn = false;
    // A document the service refused is tried again, but no longer holds back
    // the entries of its loan behind it.
    bool refused = false;
};

// How the service answered an entry.
enum class OutboxAnswer {
    Accepted,   // "200"
    Failed,     // no answer, an HTTP error, an empty or broken answer: tried again
    AuthFailed, // "Auth Failed": tried again after the member's next sign-in
    Refused,    // any other answer
};
// `fromService`: the answer is the service's own, a JSON object that came with
// a 2xx status, not a failure envelope made on this side.
OutboxAnswer classifyAnswer(const Json& answer, bool fromService);

// The pause before the next try after `attempts` failed ones: about 5 s, 30 s
// and 2 min, then every 5 min.
std::chrono::milliseconds retryPause(int attempts);

// Everything a return sends, kept until the service accepts it. An entry is
// sent only after the entries of its loan that came before it have left, or
// were refused by the service.
class Outbox {
public:
    // A return confirmed by the reader: the return, then the annotation
    // document (when there is one to send), then the copied passages.
    void addReturn(const std::string& member, const std::string& idBaca,
                   const std::string& idKonten, const std::string& title, int32_t pageIndex,
                   const std::optional<std::string>& annotations, const std::string& copiedText,
                   std::chrono::milliseconds now);
    // The documents of a loan that ended another way (an idle return).
    void addDocuments(const std::string& member, const std::string& idBaca,
                      const std::string& idKonten, const std::string& title,
                      const std::optional<std::string>& annotations, const std::string& copiedText,
                      std::chrono::milliseconds now);

    // The entries `member`'s session may send now: due, not waiting for a
    // sign-in, and first of their loan.
    std::vector<OutboxEntry> ready(const std::string& member, std::chrono::milliseconds now) const;
    // The earliest moment an entry of `member` becomes ready; nothing while
    // none can.
    std::optional<std::chrono::milliseconds> nextDue(const std::string& member) const;

    // What the service answered entry `id`. A refused return leaves, and its
    // loan's documents are still sent; the notice to show is returned.
    std::optional<std::string> answered(uint64_t id, OutboxAnswer answer, const std::string& msg,
                                        std::chrono::milliseconds now);
    // `member` signed in: their entries are due at once.
    void signedIn(const std::string& member, std::chrono::milliseconds now);

    const std::vector<OutboxEntry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    // The titles of the books of `member` whose return is not yet through,
    // one per loan.
    std::vector<std::string> pendingTitles(const std::string& member) const;

    // For the journal: the entries, in order, without their schedule; read
    // back, every entry waits for its member's next sign-in.
    Json toJson() const;
    static Outbox fromJson(const Json& saved);

private:
    void add(OutboxEntry entry, std::chrono::milliseconds now);

    std::vector<OutboxEntry> entries_;
    uint64_t nextId_ = 1;
};

// The pending indicator's text: "2 menunggu jaringan"; empty with nothing pending.
std::string pendingText(std::size_t returns);

} // namespace sumberlaras::reader
