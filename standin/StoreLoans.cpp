#include "standin/Store.h"

#include <algorithm>

namespace standin {

bool Store::bookExists(const std::string& idKonten) {
    if (!isIdentifier(idKonten)) {
        return false;
    }
    Statement query(db_, "SELECT 1 FROM books WHERE id = ?");
    query.bind(1, std::stoll(idKonten));
    return query.step();
}

int Store::stock(const std::string& idKonten) {
    std::lock_guard lock(mutex_);
    Statement query(db_, "SELECT stok FROM books WHERE id = ?");
    query.bind(1, std::stoll(idKonten));
    return query.step() ? static_cast<int>(query.integer(0)) : -1;
}

LoanGrant Store::requestLoan(const std::string& userId, const std::string& idKonten) {
    std::lock_guard lock(mutex_);
    Statement book(db_, "SELECT stok, nilai_rate FROM books WHERE id = ?");
    book.bind(1, std::stoll(idKonten));
    if (!book.step()) {
        throw BadRequest{404, "Buku tidak ditemukan"};
    }
    const int64_t user = std::stoll(userId), konten = std::stoll(idKonten);
    LoanGrant grant;
    grant.rate = static_cast<int>(book.integer(1));

    Transaction transaction(db_);
    // A loan still open for this book (say, after the client was closed
    // without returning it) is handed out again instead of taking a copy.
    Statement open(db_, "SELECT id_baca FROM loans WHERE id_user = ? AND id_konten = ? AND "
                        "active = 1 ORDER BY id_baca DESC LIMIT 1");
    open.bind(1, user).bind(2, konten);
    if (open.step()) {
        grant.idBaca = std::to_string(open.integer(0));
    } else {
        if (book.integer(0) <= 0) {
            throw Refusal{"403", "Maaf, stok buku ini sedang habis dipinjam. Silakan coba lagi "
                                 "nanti."};
        }
        Statement loan(db_, "INSERT INTO loans (id_user, id_konten) VALUES (?, ?)");
        loan.bind(1, user).bind(2, konten).run();
        grant.idBaca = std::to_string(db_.lastInsertId());
        Statement take(db_, "UPDATE books SET stok = stok - 1, times_read = times_read + 1 "
                            "WHERE id = ?");
        take.bind(1, konten).run();
    }
    Statement position(db_, "SELECT page_index FROM positions WHERE id_user = ? AND id_konten = ?");
    position.bind(1, user).bind(2, konten);
    grant.pageIndex = position.step() ? static_cast<int>(position.integer(0)) : 0;
    Statement annotation(db_, "SELECT 1 FROM annotations WHERE id_user = ? AND id_konten = ?");
    annotation.bind(1, user).bind(2, konten);
    grant.hasAnnotation = annotation.step();
    transaction.commit();
    return grant;
}

void Store::returnBook(const std::string& userId, const std::string& idBaca,
                       const std::string& idKonten, int pageIndex) {
    std::lock_guard lock(mutex_);
    Statement loan(db_, "SELECT l.id_konten, l.active, b.halaman_total FROM loans l JOIN books b "
                        "ON b.id = l.id_konten WHERE l.id_baca = ? AND l.id_user = ?");
    loan.bind(1, std::stoll(idBaca)).bind(2, std::stoll(userId));
    if (!loan.step()) {
        throw BadRequest{404, "Peminjaman tidak ditemukan"};
    }
    if (std::to_string(loan.integer(0)) != idKonten) {
        throw BadRequest{400, "id_konten tidak sesuai dengan peminjaman"};
    }
    if (loan.integer(1) == 0) {
        throw Refusal{"409", "Buku ini sudah dikembalikan"};
    }
    const int last = std::max(0, static_cast<int>(loan.integer(2)) - 1);
    const int page = std::clamp(pageIndex, 0, last);
    Transaction transaction(db_);
    Statement close(db_, "UPDATE loans SET active = 0, page_index = ?, returned_at = "
                         "CURRENT_TIMESTAMP WHERE id_baca = ?");
    close.bind(1, page).bind(2, std::stoll(idBaca)).run();
    Statement give(db_, "UPDATE books SET stok = MIN(qty, stok + 1) WHERE id = ?");
    give.bind(1, loan.integer(0)).run();
    Statement remember(db_, "INSERT INTO positions VALUES (?, ?, ?) ON CONFLICT (id_user, "
                            "id_konten) DO UPDATE SET page_index = excluded.page_index");
    remember.bind(1, std::stoll(userId)).bind(2, loan.integer(0)).bind(3, page).run();
    transaction.commit();
}

void Store::updateReadStatus(const std::string& userId, const std::string& idBaca, int status) {
    std::lock_guard lock(mutex_);
    Statement loan(db_, "SELECT id_konten, active FROM loans WHERE id_baca = ? AND id_user = ?");
    loan.bind(1, std::stoll(idBaca)).bind(2, std::stoll(userId));
    if (!loan.step()) {
        throw BadRequest{404, "Peminjaman tidak ditemukan"};
    }
    Transaction transaction(db_);
    Statement report(db_, "INSERT INTO read_status (id_baca, status) VALUES (?, ?)");
    report.bind(1, std::stoll(idBaca)).bind(2, status).run();
    Statement mark(db_, "UPDATE loans SET status = ? WHERE id_baca = ?");
    mark.bind(1, status).bind(2, std::stoll(idBaca)).run();
    // Status 0 is the client's idle return: the loan ends and the copy is
    // back on the shelf, the last stored page stays as it was.
    if (status == 0 && loan.integer(1) == 1) {
        Statement close(db_, "UPDATE loans SET active = 0, returned_at = CURRENT_TIMESTAMP "
                             "WHERE id_baca = ?");
        close.bind(1, std::stoll(idBaca)).run();
        Statement give(db_, "UPDATE books SET stok = MIN(qty, stok + 1) WHERE id = ?");
        give.bind(1, loan.integer(0)).run();
    }
    transaction.commit();
}

void Store::saveAnnotation(const std::string& userId, const std::string& idKonten,
                           const std::string& document) {
    std::lock_guard lock(mutex_);
    if (!bookExists(idKonten)) {
        throw BadRequest{404, "Buku tidak ditemukan"};
    }
    Statement save(db_, "INSERT INTO annotations (id_user, id_konten, document) VALUES (?, ?, ?) "
                        "ON CONFLICT (id_user, id_konten) DO UPDATE SET document = "
                        "excluded.document, saved_at = CURRENT_TIMESTAMP");
    save.bind(1, std::stoll(userId)).bind(2, std::stoll(idKonten)).bind(3, document).run();
}

std::optional<std::string> Store::annotation(const std::string& userId,
                                             const std::string& idKonten) {
    std::lock_guard lock(mutex_);
    Statement query(db_, "SELECT document FROM annotations WHERE id_user = ? AND id_konten = ?");
    query.bind(1, std::stoll(userId)).bind(2, std::stoll(idKonten));
    if (!query.step()) {
        return std::nullopt;
    }
    return query.text(0);
}

void Store::saveCopyText(const std::string& userId, const std::string& idKonten,
                         const std::string& document) {
    std::lock_guard lock(mutex_);
    if (!bookExists(idKonten)) {
        throw BadRequest{404, "Buku tidak ditemukan"};
    }
    Statement save(db_, "INSERT INTO copied_texts (id_user, id_konten, document) VALUES (?, ?, ?)");
    save.bind(1, std::stoll(userId)).bind(2, std::stoll(idKonten)).bind(3, document).run();
}

} // namespace standin
