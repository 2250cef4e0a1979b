#include "reader/session/Outbox.h"

#include <algorithm>
#include <set>

#include "service/Envelope.h"

namespace sumberlaras::reader {

using std::chrono::milliseconds;
using namespace std::chrono_literals;

namespace {

const char* kindName(OutboxKind k) {
    switch (k) {
    case OutboxKind::Return:
        return "return";
    case OutboxKind::Annotations:
        return "annotations";
    case OutboxKind::CopiedText:
        return "copiedText";
    }
    return "";
}

std::optional<OutboxKind> kindNamed(const std::string& name) {
    for (OutboxKind k : {OutboxKind::Return, OutboxKind::Annotations, OutboxKind::CopiedText})
        if (name == kindName(k))
            return k;
    return std::nullopt;
}

// Whether `e` may go before the rest of its loan; `heldBack` gathers the loans
// with an entry waiting in front, walking the entries in order.
bool firstOfItsLoan(const OutboxEntry& e, std::set<std::string>& heldBack) {
    const std::string loan = e.member + '\n' + e.idBaca;
    const bool first = heldBack.count(loan) == 0;
    if (!e.refused)
        heldBack.insert(loan);
    return first;
}

} // namespace

OutboxAnswer classifyAnswer(const Json& answer, bool fromService) {
    if (!fromService || !answer.is_object())
        return OutboxAnswer::Failed;
    const std::string code = answerCode(answer);
    if (code == "200")
        return OutboxAnswer::Accepted;
    if (code == "500" && readText(answer, "msg") == "Auth Failed")
        return OutboxAnswer::AuthFailed;
    // An answer without a code says nothing the service decided.
    return code.empty() ? OutboxAnswer::Failed : OutboxAnswer::Refused;
}

milliseconds retryPause(int attempts) {
    switch (attempts) {
    case 0:
        return 0ms;
    case 1:
        return 5s;
    case 2:
        return 30s;
    case 3:
        return 2min;
    default:
        return 5min;
    }
}

void Outbox::add(OutboxEntry entry, milliseconds now) {
    entry.id = nextId_++;
    entry.due = now;
    entries_.push_back(std::move(entry));
}

void Outbox::addReturn(const std::string& member, const std::string& idBaca,
                       const std::string& idKonten, const std::string& title, int32_t pageIndex,
                       const std::optional<std::string>& annotations, const std::string& copiedText,
                       milliseconds now) {
    OutboxEntry e{
        0, member, idBaca, idKonten, title, OutboxKind::Return, std::to_string(pageIndex)};
    add(e, now);
    addDocuments(member, idBaca, idKonten, title, annotations, copiedText, now);
}

void Outbox::addDocuments(const std::string& member, const std::string& idBaca,
                          const std::string& idKonten, const std::string& title,
                          const std::optional<std::string>& annotations,
                          const std::string& copiedText, milliseconds now) {
    if (annotations)
        add({0, member, idBaca, idKonten, title, OutboxKind::Annotations, *annotations}, now);
    add({0, member, idBaca, idKonten, title, OutboxKind::CopiedText, copiedText}, now);
}

std::vector<OutboxEntry> Outbox::ready(const std::string& member, milliseconds now) const {
    std::vector<OutboxEntry> out;
    std::set<std::string> loansHeldBack;
    for (const OutboxEntry& e : entries_)
        if (firstOfItsLoan(e, loansHeldBack) && e.member == member && !e.waitsForSignIn &&
            e.due <= now)
            out.push_back(e);
    return out;
}

std::optional<milliseconds> Outbox::nextDue(const std::string& member) const {
    std::optional<milliseconds> next;
    std::set<std::string> loansHeldBack;
    for (const OutboxEntry& e : entries_)
        if (firstOfItsLoan(e, loansHeldBack) && e.member == member && !e.waitsForSignIn &&
            (!next || e.due < *next))
            next = e.due;
    return next;
}

std::optional<std::string> Outbox::answered(uint64_t id, OutboxAnswer answer,
                                            const std::string& msg, milliseconds now) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [id](const OutboxEntry& e) { return e.id == id; });
    if (it == entries_.end())
        return std::nullopt;
    switch (answer) {
    case OutboxAnswer::Accepted:
        entries_.erase(it);
        return std::nullopt;
    case OutboxAnswer::AuthFailed:
        it->waitsForSignIn = true;
        return std::nullopt;
    case OutboxAnswer::Refused:
        if (it->kind == OutboxKind::Return) {
            // Final: the documents still go, as after an idle return.
            entries_.erase(it);
            return "Pengembalian buku ditolak layanan: " + msg;
        }
        it->refused = true;
        [[fallthrough]];
    case OutboxAnswer::Failed:
        it->attempts += 1;
        it->due = now + retryPause(it->attempts);
        return std::nullopt;
    }
    return std::nullopt;
}

void Outbox::signedIn(const std::string& member, milliseconds now) {
    for (OutboxEntry& e : entries_) {
        if (e.member != member)
            continue;
        e.waitsForSignIn = false;
        e.due = now;
    }
}

std::vector<std::string> Outbox::pendingTitles(const std::string& member) const {
    std::vector<std::string> titles;
    std::set<std::string> loans;
    for (const OutboxEntry& e : entries_)
        if (e.member == member && loans.insert(e.idBaca).second)
            titles.push_back(e.title);
    return titles;
}

Json Outbox::toJson() const {
    Json all = Json::array();
    for (const OutboxEntry& e : entries_)
        all.push_back({{"member", e.member},
                       {"id_baca", e.idBaca},
                       {"id_konten", e.idKonten},
                       {"title", e.title},
                       {"kind", kindName(e.kind)},
                       {"payload", e.payload}});
    return all;
}

Outbox Outbox::fromJson(const Json& saved) {
    Outbox box;
    if (!saved.is_array())
        return box;
    for (const Json& e : saved) {
        const std::optional<OutboxKind> kind = kindNamed(readText(e, "kind"));
        if (!kind || readText(e, "member").empty() || readText(e, "id_baca").empty())
            continue;
        OutboxEntry entry{0,
                          readText(e, "member"),
                          readText(e, "id_baca"),
                          readText(e, "id_konten"),
                          readText(e, "title"),
                          *kind,
                          readText(e, "payload")};
        entry.waitsForSignIn = true;
        box.add(std::move(entry), 0ms);
    }
    return box;
}

std::string pendingText(std::size_t returns) {
    return returns == 0 ? std::string() : std::to_string(returns) + " menunggu jaringan";
}

} // namespace sumberlaras::reader
