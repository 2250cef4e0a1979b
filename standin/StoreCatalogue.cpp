#include "standin/Store.h"

#include <algorithm>
#include <cctype>

#include "standin/Catalogue.h"

namespace standin {
namespace {

constexpr int kPageSize = 10;

constexpr const char* kCardColumns =
    "b.id, b.img, b.judul, b.penulis, b.stok, b.qty, b.nilai_rate, b.penerbit, b.isbn, b.sinopsis";

Json card(const Statement& row) {
    return Json{{"id_konten", std::to_string(row.integer(0))},
                {"img", row.text(1)},
                {"judul", row.text(2)},
                {"penulis", row.text(3)},
                {"stok", std::to_string(row.integer(4))},
                {"qty", std::to_string(row.integer(5))},
                {"nilai_rate", std::to_string(row.integer(6))}};
}

Json chartRow(const Statement& row) {
    Json json = card(row);
    json["penerbit"] = row.text(7);
    json["isbn"] = row.text(8);
    json["sinopsis"] = row.text(9);
    return json;
}

Json cards(Statement& query) {
    Json list = Json::array();
    while (query.step()) {
        list.push_back(card(query));
    }
    return list;
}

std::string likePattern(const std::string& keyword) {
    std::string pattern = "%";
    for (char c : keyword) {
        if (c == '%' || c == '_' || c == '\\') {
            pattern += '\\';
        }
        pattern += c;
    }
    return pattern + "%";
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string htmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The page text with every occurrence of the sentence in bold; the text
// itself is escaped so that only our own markup reaches the page.
std::string markedPage(const std::string& text, const std::string& keyword) {
    const std::string lowerText = lowered(text), lowerKeyword = lowered(keyword);
    std::string out;
    size_t at = 0;
    while (true) {
        const size_t hit = lowerText.find(lowerKeyword, at);
        if (hit == std::string::npos) {
            break;
        }
        out += htmlEscaped(text.substr(at, hit - at));
        out += "<b>" + htmlEscaped(text.substr(hit, keyword.size())) + "</b>";
        at = hit + keyword.size();
    }
    return out + htmlEscaped(text.substr(at));
}

int offsetOf(int page) {
    return (std::max(page, 1) - 1) * kPageSize;
}

} // namespace

Json Store::banners() {
    std::lock_guard lock(mutex_);
    Statement query(db_, "SELECT img, has_link, url_link FROM banners ORDER BY id");
    Json list = Json::array();
    while (query.step()) {
        Json banner{{"img", query.text(0)}};
        if (query.integer(1)) {
            banner["url_link"] = query.isNull(2) ? Json(nullptr) : Json(query.text(2));
        }
        list.push_back(std::move(banner));
    }
    return list;
}

Json Store::departments() {
    std::lock_guard lock(mutex_);
    Statement depts(db_, "SELECT id, nama FROM departments ORDER BY position");
    Statement categories(db_,
                         "SELECT id, nama FROM categories WHERE id_dept = ? ORDER BY position");
    Statement subs(db_, "SELECT id, nama FROM sub_categories WHERE id_kategori = ? "
                        "ORDER BY position");
    Json list = Json::array();
    while (depts.step()) {
        Json dept{{"id_departemen", depts.text(0)}, {"nama_departemen", depts.text(1)}};
        Json categoryList = Json::array();
        categories.reset();
        categories.bind(1, depts.text(0));
        while (categories.step()) {
            Json category{{"id_kategori", categories.text(0)},
                          {"nama_kategori", categories.text(1)}};
            Json subList = Json::array();
            subs.reset();
            subs.bind(1, categories.text(0));
            while (subs.step()) {
                subList.push_back(
                    {{"id_sub_kategori", subs.text(0)}, {"nama_sub_kategori", subs.text(1)}});
            }
            category["data_sub_kategori"] = std::move(subList);
            categoryList.push_back(std::move(category));
        }
        dept["total_kategori"] = static_cast<int>(categoryList.size());
        dept["data_kategori"] = std::move(categoryList);
        list.push_back(std::move(dept));
    }
    return list;
}

Json Store::homeSections(int page, int limit, int& count) {
    std::lock_guard lock(mutex_);
    Statement total(db_, "SELECT COUNT(*) FROM sections");
    total.step();
    count = static_cast<int>(total.integer(0));
    Statement sections(db_, "SELECT id, judul FROM sections ORDER BY id LIMIT ? OFFSET ?");
    sections.bind(1, limit).bind(2, (std::max(page, 1) - 1) * limit);
    Statement books(db_, std::string("SELECT ") + kCardColumns +
                             " FROM section_books s JOIN books b ON b.id = s.id_konten "
                             "WHERE s.id_section = ? ORDER BY s.position");
    Json list = Json::array();
    while (sections.step()) {
        books.reset();
        books.bind(1, sections.integer(0));
        list.push_back({{"id", std::to_string(sections.integer(0))},
                        {"judul_section", sections.text(1)},
                        {"rows", cards(books)}});
    }
    return list;
}

Json Store::sectionBooks(const std::string& idHomepage, int page) {
    std::lock_guard lock(mutex_);
    Statement exists(db_, "SELECT 1 FROM sections WHERE id = ?");
    exists.bind(1, std::stoll(idHomepage));
    if (!exists.step()) {
        throw BadRequest{404, "Bagian tidak ditemukan"};
    }
    Statement books(db_, std::string("SELECT ") + kCardColumns +
                             " FROM section_books s JOIN books b ON b.id = s.id_konten "
                             "WHERE s.id_section = ? ORDER BY s.position LIMIT 20 OFFSET ?");
    books.bind(1, std::stoll(idHomepage)).bind(2, (std::max(page, 1) - 1) * 20);
    return cards(books);
}

Json Store::categoryBooks(const std::string& idDept, const std::string& idKategori) {
    std::lock_guard lock(mutex_);
    Statement exists(db_, "SELECT 1 FROM categories WHERE id = ? AND id_dept = ?");
    exists.bind(1, idKategori).bind(2, idDept);
    if (!exists.step()) {
        throw BadRequest{404, "Kategori tidak ditemukan"};
    }
    Statement books(db_,
                    std::string("SELECT ") + kCardColumns +
                        " FROM books b WHERE b.id_dept = ? AND b.id_kategori = ? ORDER BY b.id");
    books.bind(1, idDept).bind(2, idKategori);
    return cards(books);
}

Json Store::subCategoryBooks(const std::string& idDept, const std::string& idSubKategori) {
    std::lock_guard lock(mutex_);
    Statement exists(db_, "SELECT 1 FROM sub_categories s JOIN categories c ON c.id = "
                          "s.id_kategori WHERE s.id = ? AND c.id_dept = ?");
    exists.bind(1, idSubKategori).bind(2, idDept);
    if (!exists.step()) {
        throw BadRequest{404, "Sub kategori tidak ditemukan"};
    }
    Statement books(db_, std::string("SELECT ") + kCardColumns +
                             " FROM books b WHERE b.id_dept = ? AND b.id_sub_kategori = ? "
                             "ORDER BY b.id");
    books.bind(1, idDept).bind(2, idSubKategori);
    return cards(books);
}

Json Store::chart(const std::string& kind, const std::string& userId, int page) {
    std::string sql;
    if (kind == "topRead") {
        sql = std::string("SELECT ") + kCardColumns +
              " FROM books b ORDER BY b.times_read DESC, b.id LIMIT ?1 OFFSET ?2";
    } else if (kind == "lastRead") {
        sql = std::string("SELECT ") + kCardColumns +
              ", MAX(l.id_baca) AS latest FROM loans l JOIN books b ON b.id = l.id_konten "
              "WHERE l.id_user = ?3 GROUP BY b.id ORDER BY latest DESC LIMIT ?1 OFFSET ?2";
    } else {
        sql = std::string("SELECT ") + kCardColumns +
              ", MAX(v.id) AS latest FROM views v JOIN books b ON b.id = v.id_konten "
              "WHERE v.id_user = ?3 GROUP BY b.id ORDER BY latest DESC LIMIT ?1 OFFSET ?2";
    }
    std::lock_guard lock(mutex_);
    Statement query(db_, sql);
    query.bind(1, kPageSize).bind(2, offsetOf(page));
    if (kind != "topRead") {
        query.bind(3, std::stoll(userId));
    }
    Json list = Json::array();
    while (query.step()) {
        list.push_back(chartRow(query));
    }
    return list;
}

Json Store::detail(const std::string& idKonten, const std::string& userId,
                   const std::string& base) {
    std::lock_guard lock(mutex_);
    Statement query(db_, "SELECT id, kode, judul, tahun_terbit, penulis, penerbit, isbn, "
                         "nama_kategori, nama_dept, stok, qty, sinopsis, img, pdf, "
                         "halaman_romawi, halaman_total, mla, chicago, turabian, apa, harvard, "
                         "ieee, nilai_rate FROM books WHERE id = ?");
    query.bind(1, std::stoll(idKonten));
    if (!query.step()) {
        throw BadRequest{404, "Buku tidak ditemukan"};
    }
    Statement view(db_, "INSERT INTO views (id_user, id_konten) VALUES (?, ?)");
    view.bind(1, std::stoll(userId)).bind(2, query.integer(0)).run();
    return Json{{"id", std::to_string(query.integer(0))},
                {"kode", query.text(1)},
                {"judul", query.text(2)},
                {"tahun_terbit", query.text(3)},
                {"penulis", query.text(4)},
                {"penerbit", query.text(5)},
                {"isbn", query.text(6)},
                {"kategori", query.text(7)},
                {"dept", query.text(8)},
                {"stok", std::to_string(query.integer(9))},
                {"qty", std::to_string(query.integer(10))},
                {"sinopsis", query.text(11)},
                {"cover_file", base + "/prod/img/cover/" + query.text(12)},
                {"nama_pc_file", query.text(13)},
                {"halaman_romawi", query.integer(14)},
                {"halaman_total", query.integer(15)},
                {"mla_style", query.text(16)},
                {"chicago_style", query.text(17)},
                {"turabian_style", query.text(18)},
                {"apa_style", query.text(19)},
                {"harvard_style", query.text(20)},
                {"ieee_style", query.text(21)},
                {"nilai_rate", std::to_string(query.integer(22))}};
}

Json Store::search(const std::string& field, const std::string& keyword, int page, int& totalRows) {
    std::string where;
    std::string term = keyword;
    if (field == "Semua") {
        where = "(b.judul LIKE ?1 ESCAPE '\\' OR b.penulis LIKE ?1 ESCAPE '\\' OR b.penerbit "
                "LIKE ?1 ESCAPE '\\' OR b.isbn LIKE ?1 ESCAPE '\\' OR REPLACE(b.isbn, '-', '') "
                "LIKE ?1 ESCAPE '\\')";
    } else if (field == "Penulis") {
        where = "b.penulis LIKE ?1 ESCAPE '\\'";
    } else if (field == "Penerbit") {
        where = "b.penerbit LIKE ?1 ESCAPE '\\'";
    } else if (field == "ISBN") {
        term.erase(std::remove(term.begin(), term.end(), '-'), term.end());
        where = "REPLACE(b.isbn, '-', '') LIKE ?1 ESCAPE '\\'";
    } else {
        throw BadRequest{400, "Kolom pencarian tidak dikenal"};
    }
    totalRows = 0;
    if (term.find_first_not_of(" \t") == std::string::npos) {
        return Json::array();
    }
    std::lock_guard lock(mutex_);
    Statement count(db_, "SELECT COUNT(*) FROM books b WHERE " + where);
    count.bind(1, likePattern(term));
    count.step();
    totalRows = static_cast<int>(count.integer(0));
    Statement query(db_, std::string("SELECT ") + kCardColumns + " FROM books b WHERE " + where +
                             " ORDER BY b.id LIMIT ?2 OFFSET ?3");
    query.bind(1, likePattern(term)).bind(2, kPageSize).bind(3, offsetOf(page));
    return cards(query);
}

Json Store::searchSentence(const std::string& keyword, int page, int& totalRows) {
    totalRows = 0;
    if (keyword.find_first_not_of(" \t") == std::string::npos) {
        return Json::array();
    }
    std::lock_guard lock(mutex_);
    const std::string where = " FROM book_pages p JOIN books b ON b.id = p.id_konten WHERE "
                              "p.text LIKE ?1 ESCAPE '\\'";
    Statement count(db_, "SELECT COUNT(*)" + where);
    count.bind(1, likePattern(keyword));
    count.step();
    totalRows = static_cast<int>(count.integer(0));
    Statement query(db_, "SELECT b.id, b.img, b.judul, p.page_index, p.text, b.halaman_romawi" +
                             where + " ORDER BY b.id, p.page_index LIMIT ?2 OFFSET ?3");
    query.bind(1, likePattern(keyword)).bind(2, kPageSize).bind(3, offsetOf(page));
    Json list = Json::array();
    while (query.step()) {
        const int index = static_cast<int>(query.integer(3));
        const std::string label = pageLabel(index, static_cast<int>(query.integer(5)));
        list.push_back({{"id", std::to_string(query.integer(0))},
                        {"img", query.text(1)},
                        {"judul", query.text(2)},
                        {"halaman", label.empty() ? "Sampul" : label},
                        {"hal_txt", markedPage(query.text(4), keyword)},
                        {"hal_idx", std::to_string(index)}});
    }
    return list;
}

} // namespace standin
