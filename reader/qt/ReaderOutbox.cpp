// The outbox of the reader: returns and their documents, sent in their order,
// with the session of the member whose loan it was, and tried again until the
// service accepts them.
#include <QLabel>

#include "reader/qt/ReaderFace.h"

namespace sumberlaras {

void ReaderFace::signedIn(const std::string& member) {
    outbox_.signedIn(member, d_.clock->now());
    returnBooksLeftOpen(member);
    pumpOutbox();
}

void ReaderFace::pumpOutbox() {
    const std::string member = d_.service.memberId();
    if (member.empty())
        return;
    for (const reader::OutboxEntry& entry : outbox_.ready(member, d_.clock->now())) {
        if (!inFlight_.insert(entry.id).second)
            continue;
        TaskSpec spec;
        spec.label = "outbox";
        spec.params.set("id_baca", entry.idBaca);
        reader::LoanService& service = d_.service;
        // The worker holds its own copy of the entry and the answer it got.
        auto sent = std::make_shared<std::optional<reader::EntrySent>>();
        spec.worker = [&service, entry, sent](Task&) {
            *sent = reader::SendOutboxEntry(service, entry);
        };
        std::weak_ptr<int> alive = alive_;
        const uint64_t id = entry.id;
        spec.onCompleted = [this, alive, id, sent](Task&) {
            if (!alive.expired())
                OutboxEntryTerminated(id, *sent);
        };
        d_.tasks.start(std::move(spec));
    }
    showPending();
}

void ReaderFace::OutboxEntryTerminated(uint64_t id, const std::optional<reader::EntrySent>& sent) {
    inFlight_.erase(id);
    // Not sent: another member signed in meanwhile; it waits for its own.
    if (sent) {
        if (const std::optional<std::string> notice =
                outbox_.answered(id, sent->answer, sent->msg, d_.clock->now()))
            showNotice(*notice);
        journalChanged();
    }
    pumpOutbox();
}

void ReaderFace::showPending() {
    const std::vector<std::string> titles = outbox_.pendingTitles(d_.service.memberId());
    const QString text = QString::fromStdString(reader::pendingText(titles.size()));
    lblPending->setText(text);
    lblPending->setAccessibleName(text);
    // Tooltips take markup: the titles are the service's text, escaped.
    QStringList list;
    for (const std::string& t : titles)
        list << QString::fromStdString(t).toHtmlEscaped();
    lblPending->setToolTip(titles.empty()
                               ? QString()
                               : QStringLiteral("<qt>") + list.join(QStringLiteral("<br>")) +
                                     QStringLiteral("</qt>"));
    lblPending->setVisible(!titles.empty());
}

void ReaderFace::showNotice(const std::string& text) {
    lblNotice->setText(QString::fromStdString(text));
    lblNotice->setAccessibleName(lblNotice->text());
    lblNotice->show();
}

} // namespace sumberlaras
