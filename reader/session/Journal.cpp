#include "reader/session/Journal.h"

#include <stdexcept>

#include "reader/session/Book.h"
#include "service/Envelope.h"

namespace sumberlaras::reader {

std::string journalText(const std::vector<JournaledBook>& books, const Outbox& outbox) {
    if (books.empty() && outbox.empty())
        return {};
    Json saved = Json::object();
    Json& list = saved["books"] = Json::array();
    for (const JournaledBook& b : books) {
        list.push_back({{"member", b.member},
                        {"id_baca", b.idBaca},
                        {"id_konten", b.idKonten},
                        {"title", b.title},
                        {"page_index", b.pageIndex},
                        {"annotations", b.annotations ? Json(*b.annotations) : Json(nullptr)},
                        {"copied_text", b.copiedText}});
    }
    saved["outbox"] = outbox.toJson();
    return saved.dump();
}

JournalContents readJournal(const std::string& text) {
    const Json saved = Json::parse(text, nullptr, false);
    if (!saved.is_object() || !saved.contains("books") || !saved["books"].is_array())
        throw std::runtime_error("not a journal");
    JournalContents contents;
    for (const Json& b : saved["books"]) {
        JournaledBook book{readText(b, "member"), readText(b, "id_baca"), readText(b, "id_konten"),
                           readText(b, "title")};
        if (book.member.empty() || book.idBaca.empty())
            continue;
        book.pageIndex = readInteger(b, "page_index");
        if (b.contains("annotations") && b["annotations"].is_string())
            book.annotations = b["annotations"].get<std::string>();
        book.copiedText = readText(b, "copied_text");
        contents.books.push_back(std::move(book));
    }
    if (saved.contains("outbox"))
        contents.outbox = Outbox::fromJson(saved["outbox"]);
    return contents;
}

} // namespace sumberlaras::reader
