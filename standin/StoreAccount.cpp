#include "standin/Store.h"

#include <filesystem>
#include <fstream>

namespace standin {
namespace {

bool isImage(const UploadedFile& file) {
    const std::string& b = file.bytes;
    const bool jpeg = b.size() > 3 && static_cast<unsigned char>(b[0]) == 0xFF &&
                      static_cast<unsigned char>(b[1]) == 0xD8;
    const bool png = b.size() > 8 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0;
    return jpeg || png;
}

std::string extensionOf(const UploadedFile& file) {
    return static_cast<unsigned char>(file.bytes[0]) == 0xFF ? ".jpg" : ".png";
}

} // namespace

bool isWellFormedEmail(const std::string& text) {
    const size_t at = text.find('@');
    if (at == std::string::npos || at == 0 || text.find('@', at + 1) != std::string::npos ||
        text.size() > 254) {
        return false;
    }
    const std::string domain = text.substr(at + 1);
    const size_t dot = domain.rfind('.');
    if (dot == std::string::npos || dot == 0 || domain.size() - dot - 1 < 2) {
        return false;
    }
    for (char c : text) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '<' || c == '>' || c == '"' || c == '\'' ||
            c == ';' || c == ',') {
            return false;
        }
    }
    return domain.find("..") == std::string::npos;
}

bool isStrongPassword(const std::string& text) {
    bool letter = false, digit = false;
    for (char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            letter = true;
        } else if (c >= '0' && c <= '9') {
            digit = true;
        } else {
            return false;
        }
    }
    return text.size() >= 8 && letter && digit;
}

Json Store::regions(const std::string& level, const std::string& parent) {
    std::lock_guard lock(mutex_);
    if (level != "provinsi") {
        Statement exists(db_, "SELECT 1 FROM regions WHERE id = ?");
        exists.bind(1, parent);
        if (!exists.step()) {
            throw BadRequest{404, "Wilayah tidak ditemukan"};
        }
    }
    Statement query(db_, "SELECT id, nama FROM regions WHERE level = ? AND parent = ? ORDER BY id");
    query.bind(1, level).bind(2, parent);
    Json list = Json::array();
    while (query.step()) {
        list.push_back({{"id", query.text(0)}, {"nama", query.text(1)}});
    }
    return list;
}

void Store::registerMember(const Json& record, const UploadedFile& identity,
                           const UploadedFile& photo, const std::string& uploadFolder) {
    static constexpr const char* kMembers[] = {
        "id_mitra",     "username",     "password",  "nama",   "id_provinsi",     "id_kota",
        "id_kecamatan", "id_kelurahan", "tgl_lahir", "gender", "nomor_identitas", "jenis_identitas",
        "pekerjaan",    "pendidikan",   "alamat",    "kota",   "no_telepon"};
    for (const char* member : kMembers) {
        if (!record.contains(member) || !record[member].is_string()) {
            throw BadRequest{400, std::string("Data registrasi tidak lengkap: ") + member};
        }
    }
    if (record["id_mitra"] != "396") {
        throw BadRequest{400, "Mitra tidak dikenal"};
    }
    const std::string username = record["username"];
    if (!isWellFormedEmail(username)) {
        throw Refusal{"400", "Format E-mail salah"};
    }
    if (!isStrongPassword(record["password"])) {
        throw Refusal{"400", "Kata Sandi Minimal 8-Karakter dengan kombinasi huruf angka"};
    }
    for (const char* member : {"nama", "nomor_identitas", "alamat", "no_telepon"}) {
        if (record[member].get<std::string>().empty()) {
            throw Refusal{"400", "Semua Kolom Wajib Diisi"};
        }
    }
    if (record["gender"] != "L" && record["gender"] != "P") {
        throw Refusal{"400", "Jenis kelamin tidak dikenal"};
    }
    if (!isImage(identity) || !isImage(photo)) {
        throw Refusal{"400", "Foto harus berupa berkas JPG atau PNG"};
    }

    std::lock_guard lock(mutex_);
    Statement region(db_, "SELECT 1 FROM regions WHERE id = ? AND level = 'kelurahan'");
    region.bind(1, record["id_kelurahan"].get<std::string>());
    if (!region.step()) {
        throw Refusal{"400", "Wilayah yang dipilih tidak dikenal"};
    }
    for (const char* table : {"members", "registrations"}) {
        Statement taken(db_, std::string("SELECT 1 FROM ") + table +
                                 " WHERE username = ? COLLATE NOCASE");
        taken.bind(1, username);
        if (taken.step()) {
            throw Refusal{"409", "E-mail sudah terdaftar"};
        }
    }
    Transaction transaction(db_);
    Statement insert(db_, "INSERT INTO registrations (username, record, identity_size, photo_size) "
                          "VALUES (?, ?, ?, ?)");
    insert.bind(1, username).bind(2, record.dump());
    insert.bind(3, static_cast<int64_t>(identity.bytes.size()));
    insert.bind(4, static_cast<int64_t>(photo.bytes.size())).run();
    const std::string id = std::to_string(db_.lastInsertId());
    std::filesystem::create_directories(uploadFolder);
    const std::string identityName = id + "-foto_identitas" + extensionOf(identity);
    const std::string photoName = id + "-photo" + extensionOf(photo);
    for (const auto& [name, file] : {std::pair{identityName, &identity}, {photoName, &photo}}) {
        std::ofstream out(std::filesystem::path(uploadFolder) / name, std::ios::binary);
        out << file->bytes;
    }
    Statement files(db_, "UPDATE registrations SET identity_file = ?, photo_file = ? WHERE id = ?");
    files.bind(1, identityName).bind(2, photoName).bind(3, std::stoll(id)).run();
    transaction.commit();
}

void Store::passwordReset(const std::string& username) {
    std::lock_guard lock(mutex_);
    Statement known(db_, "SELECT 1 FROM members WHERE username = ? COLLATE NOCASE");
    known.bind(1, username);
    const bool exists = known.step();
    Statement record(db_, "INSERT INTO password_resets (username, known) VALUES (?, ?)");
    record.bind(1, username).bind(2, exists ? 1 : 0).run();
    if (!exists) {
        throw Refusal{"404", "E-mail tidak terdaftar"};
    }
}

} // namespace standin
