#include "standin/Store.h"

#include <filesystem>

#include <openssl/rand.h>

#include "standin/Catalogue.h"

namespace standin {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS partner (id_mitra TEXT PRIMARY KEY, config TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS members (
    id_user INTEGER PRIMARY KEY, username TEXT UNIQUE NOT NULL, password TEXT NOT NULL,
    nama TEXT, level TEXT, tgl_berakhir TEXT, photo TEXT, uuid TEXT, token TEXT);
CREATE TABLE IF NOT EXISTS departments (
    id TEXT PRIMARY KEY, nama TEXT, position INTEGER);
CREATE TABLE IF NOT EXISTS categories (
    id TEXT PRIMARY KEY, id_dept TEXT, nama TEXT, position INTEGER);
CREATE TABLE IF NOT EXISTS sub_categories (
    id TEXT PRIMARY KEY, id_kategori TEXT, nama TEXT, position INTEGER);
CREATE TABLE IF NOT EXISTS books (
    id INTEGER PRIMARY KEY, kode TEXT, judul TEXT, penulis TEXT, penerbit TEXT,
    tahun_terbit TEXT, isbn TEXT, id_dept TEXT, id_kategori TEXT, id_sub_kategori TEXT,
    nama_dept TEXT, nama_kategori TEXT, stok INTEGER, qty INTEGER, nilai_rate INTEGER,
    halaman_romawi INTEGER, halaman_total INTEGER, sinopsis TEXT, img TEXT, pdf TEXT,
    mla TEXT, chicago TEXT, turabian TEXT, apa TEXT, harvard TEXT, ieee TEXT,
    times_read INTEGER);
CREATE TABLE IF NOT EXISTS book_pages (
    id_konten INTEGER, page_index INTEGER, text TEXT, PRIMARY KEY (id_konten, page_index));
CREATE TABLE IF NOT EXISTS sections (id INTEGER PRIMARY KEY, judul TEXT);
CREATE TABLE IF NOT EXISTS section_books (
    id_section INTEGER, position INTEGER, id_konten INTEGER, PRIMARY KEY (id_section, position));
CREATE TABLE IF NOT EXISTS banners (
    id INTEGER PRIMARY KEY, img TEXT, has_link INTEGER, url_link TEXT);
CREATE TABLE IF NOT EXISTS regions (
    id TEXT PRIMARY KEY, level TEXT, parent TEXT, nama TEXT);
CREATE TABLE IF NOT EXISTS loans (
    id_baca INTEGER PRIMARY KEY AUTOINCREMENT, id_user INTEGER, id_konten INTEGER,
    page_index INTEGER DEFAULT 0, status INTEGER DEFAULT 1, active INTEGER DEFAULT 1,
    started_at TEXT DEFAULT CURRENT_TIMESTAMP, returned_at TEXT);
CREATE TABLE IF NOT EXISTS read_status (
    id INTEGER PRIMARY KEY AUTOINCREMENT, id_baca INTEGER, status INTEGER,
    at TEXT DEFAULT CURRENT_TIMESTAMP);
CREATE TABLE IF NOT EXISTS positions (
    id_user INTEGER, id_konten INTEGER, page_index INTEGER, PRIMARY KEY (id_user, id_konten));
CREATE TABLE IF NOT EXISTS views (
    id INTEGER PRIMARY KEY AUTOINCREMENT, id_user INTEGER, id_konten INTEGER,
    at TEXT DEFAULT CURRENT_TIMESTAMP);
CREATE TABLE IF NOT EXISTS annotations (
    id_user INTEGER, id_konten INTEGER, document TEXT, saved_at TEXT DEFAULT CURRENT_TIMESTAMP,
    PRIMARY KEY (id_user, id_konten));
CREATE TABLE IF NOT EXISTS copied_texts (
    id INTEGER PRIMARY KEY AUTOINCREMENT, id_user INTEGER, id_konten INTEGER, document TEXT,
    saved_at TEXT DEFAULT CURRENT_TIMESTAMP);
CREATE TABLE IF NOT EXISTS registrations (
    id INTEGER PRIMARY KEY AUTOINCREMENT, username TEXT, record TEXT,
    identity_file TEXT, identity_size INTEGER, photo_file TEXT, photo_size INTEGER,
    status TEXT DEFAULT 'menunggu verifikasi', at TEXT DEFAULT CURRENT_TIMESTAMP);
CREATE TABLE IF NOT EXISTS password_resets (
    id INTEGER PRIMARY KEY AUTOINCREMENT, username TEXT, known INTEGER,
    at TEXT DEFAULT CURRENT_TIMESTAMP);
)sql";

std::string randomToken() {
    unsigned char bytes[20];
    RAND_bytes(bytes, sizeof bytes);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (unsigned char b : bytes) {
        token += kHex[b >> 4];
        token += kHex[b & 15];
    }
    return token;
}

std::string flattened(const std::string& page) {
    std::string text;
    for (char c : page) {
        const char d = c == '\n' ? ' ' : c;
        if (d == ' ' && (text.empty() || text.back() == ' ')) {
            continue;
        }
        text += d;
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

// --reset starts from an empty database file.
std::string prepared(const std::string& path, bool reset) {
    if (reset) {
        for (const char* suffix : {"", "-wal", "-shm"}) {
            std::filesystem::remove(path + suffix);
        }
    }
    return path;
}

} // namespace

Store::Store(const std::string& path, bool reset) : db_(prepared(path, reset)) {
    db_.exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
    createSchema();
    Statement count(db_, "SELECT COUNT(*) FROM books");
    if (count.step() && count.integer(0) == 0) {
        seed();
    }
    // State folders made before the partner was kept in the database get it now.
    Statement partners(db_, "SELECT COUNT(*) FROM partner");
    if (partners.step() && partners.integer(0) == 0) {
        seedPartner();
    }
}

void Store::createSchema() {
    db_.exec(kSchema);
}

void Store::seedPartner() {
    const Catalogue& catalogue = demoCatalogue();
    // "foto_intro" is kept as a file name under /prod/img/logo/; the
    // address is completed with the base URL when it is served.
    const Json partner{{"nama", catalogue.partnerName},
                       {"warna_header", "#1b5e8c"},
                       {"warna_button_login", "#f39c12"},
                       {"warna_hover_button_login", "#d35400"},
                       {"warna_hover_baca", "#27ae60"},
                       {"logo_login", catalogue.loginLogoFile},
                       {"logo", catalogue.logoFile},
                       {"foto_intro", catalogue.introFile},
                       {"keterangan_intro", catalogue.introText},
                       {"daftar_pekerjaan", catalogue.occupations}};
    Statement(db_, "INSERT INTO partner VALUES ('396', ?)").bind(1, partner.dump()).run();
}

void Store::seed() {
    const Catalogue& catalogue = demoCatalogue();
    Transaction transaction(db_);

    Statement member(db_, "INSERT INTO members (id_user, username, password, nama, level, "
                          "tgl_berakhir, photo) VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (const Member& m : catalogue.members) {
        member.bind(1, m.id).bind(2, m.username).bind(3, m.password).bind(4, m.nama);
        member.bind(5, m.level).bind(6, m.tglBerakhir);
        member.bind(7, "avatar-" + std::to_string(m.id) + ".png").run();
        member.reset();
    }

    Statement dept(db_, "INSERT INTO departments VALUES (?, ?, ?)");
    Statement category(db_, "INSERT INTO categories VALUES (?, ?, ?, ?)");
    Statement sub(db_, "INSERT INTO sub_categories VALUES (?, ?, ?, ?)");
    int position = 0;
    for (const Department& d : catalogue.departments) {
        dept.bind(1, d.id).bind(2, d.nama).bind(3, position++).run();
        dept.reset();
        for (const Category& c : d.categories) {
            category.bind(1, c.id).bind(2, d.id).bind(3, c.nama).bind(4, position++).run();
            category.reset();
            for (const SubCategory& s : c.subs) {
                sub.bind(1, s.id).bind(2, c.id).bind(3, s.nama).bind(4, position++).run();
                sub.reset();
            }
        }
    }

    Statement book(db_, "INSERT INTO books VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    Statement page(db_, "INSERT INTO book_pages VALUES (?, ?, ?)");
    for (const Book& b : catalogue.books) {
        book.bind(1, b.id).bind(2, b.kode).bind(3, b.judul).bind(4, b.penulis);
        book.bind(5, b.penerbit).bind(6, b.tahunTerbit).bind(7, b.isbn);
        book.bind(8, b.idDept).bind(9, b.idKategori).bind(10, b.idSubKategori);
        book.bind(11, b.namaDept).bind(12, b.namaKategori);
        book.bind(13, b.stok).bind(14, b.qty).bind(15, b.nilaiRate);
        book.bind(16, b.halamanRomawi).bind(17, static_cast<int>(b.pages.size()));
        book.bind(18, b.sinopsis).bind(19, b.coverFile()).bind(20, b.documentFile());
        book.bind(21, b.mla).bind(22, b.chicago).bind(23, b.turabian).bind(24, b.apa);
        book.bind(25, b.harvard).bind(26, b.ieee).bind(27, b.timesRead);
        book.run();
        book.reset();
        for (size_t p = 0; p < b.pages.size(); ++p) {
            page.bind(1, b.id).bind(2, static_cast<int>(p)).bind(3, flattened(b.pages[p])).run();
            page.reset();
        }
    }

    Statement section(db_, "INSERT INTO sections VALUES (?, ?)");
    Statement sectionBook(db_, "INSERT INTO section_books VALUES (?, ?, ?)");
    for (const Section& s : catalogue.sections) {
        section.bind(1, s.id).bind(2, s.judul).run();
        section.reset();
        for (size_t k = 0; k < s.bookIds.size(); ++k) {
            sectionBook.bind(1, s.id).bind(2, static_cast<int>(k)).bind(3, s.bookIds[k]).run();
            sectionBook.reset();
        }
    }

    Statement banner(db_, "INSERT INTO banners (img, has_link, url_link) VALUES (?, ?, ?)");
    for (const Banner& b : catalogue.banners) {
        banner.bind(1, b.img).bind(2, b.hasLink ? 1 : 0);
        if (b.nullLink) {
            banner.bindNull(3);
        } else {
            banner.bind(3, b.link);
        }
        banner.run();
        banner.reset();
    }

    Statement region(db_, "INSERT INTO regions VALUES (?, ?, ?, ?)");
    for (const Region& r : catalogue.regions) {
        region.bind(1, r.id).bind(2, r.level).bind(3, r.parent).bind(4, r.nama).run();
        region.reset();
    }

    // A reading history for the first demo member, so that the charts of
    // recent reads and views have something to show.
    Statement history(db_, "INSERT INTO loans (id_user, id_konten, active, returned_at) "
                           "VALUES (1, ?, 0, CURRENT_TIMESTAMP)");
    Statement viewed(db_, "INSERT INTO views (id_user, id_konten) VALUES (1, ?)");
    for (int k = 0; k < 12; ++k) {
        history.bind(1, catalogue.books[static_cast<size_t>(k * 3 + 1)].id).run();
        history.reset();
    }
    for (int k = 0; k < 14; ++k) {
        viewed.bind(1, catalogue.books[static_cast<size_t>(k * 2 + 5)].id).run();
        viewed.reset();
    }
    transaction.commit();
}

std::optional<Json> Store::login(const std::string& user, const std::string& pass,
                                 const std::string& uuid) {
    std::lock_guard lock(mutex_);
    Statement find(db_, "SELECT id_user, username, nama, level, tgl_berakhir, photo FROM members "
                        "WHERE username = ? COLLATE NOCASE AND password = ?");
    find.bind(1, user).bind(2, pass);
    if (!find.step()) {
        return std::nullopt;
    }
    const std::string id = std::to_string(find.integer(0));
    const std::string token = randomToken();
    // One device per account: a new sign-in replaces the device and the key.
    Statement update(db_, "UPDATE members SET uuid = ?, token = ? WHERE id_user = ?");
    update.bind(1, uuid).bind(2, token).bind(3, find.integer(0)).run();
    return Json{{"id_user", id},         {"username", find.text(1)},     {"nama", find.text(2)},
                {"level", find.text(3)}, {"tgl_berakhir", find.text(4)}, {"token", token},
                {"photo", find.text(5)}};
}

bool Store::sessionLive(const std::string& userId, const std::string& key, const std::string& uuid,
                        const std::string& level) {
    if (!isIdentifier(userId)) {
        return false;
    }
    std::lock_guard lock(mutex_);
    Statement find(db_, "SELECT 1 FROM members WHERE id_user = ? AND token = ? AND uuid = ? "
                        "AND level = ? AND token IS NOT NULL");
    find.bind(1, std::stoll(userId)).bind(2, key).bind(3, uuid).bind(4, level);
    return find.step();
}

void Store::logout(const std::string& userId) {
    std::lock_guard lock(mutex_);
    Statement clear(db_, "UPDATE members SET token = NULL WHERE id_user = ?");
    clear.bind(1, std::stoll(userId)).run();
}

Json Store::partner(const std::string& clientId, const std::string& base) {
    std::lock_guard lock(mutex_);
    Statement query(db_, "SELECT config FROM partner WHERE id_mitra = ?");
    query.bind(1, clientId);
    if (!query.step()) {
        throw BadRequest{404, "Mitra tidak ditemukan"};
    }
    Json config = Json::parse(query.text(0));
    Json data{{"id_mitra", clientId}};
    for (auto& [key, value] : config.items()) {
        data[key] =
            key == "foto_intro" ? Json(base + "/prod/img/logo/" + value.get<std::string>()) : value;
    }
    return data;
}

bool isIdentifier(const std::string& text) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

} // namespace standin
