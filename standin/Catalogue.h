#pragma once

#include <string>
#include <vector>

namespace standin {

// The demo content the stand-in seeds on a fresh start. Everything is derived
// from fixed tables, so two fresh starts serve identical data.

struct Member {
    int id;
    std::string username, password, nama, level, tglBerakhir;
};

struct SubCategory {
    std::string id, nama;
};
struct Category {
    std::string id, nama;
    std::vector<SubCategory> subs;
};
struct Department {
    std::string id, nama;
    std::vector<Category> categories;
};

// The book with the most pages: 48 body pages.
constexpr int kLongBookId = 121;

struct Book {
    int id = 0;
    std::string kode, judul, penulis, penerbit, tahunTerbit, isbn;
    std::string idDept, idKategori, idSubKategori;
    std::string namaDept, namaKategori;
    int stok = 0, qty = 0, nilaiRate = 0;
    int halamanRomawi = 0;
    std::string sinopsis;
    std::vector<std::string> pages; // one text per page, lines separated by "\n"
    std::string mla, chicago, turabian, apa, harvard, ieee;
    int timesRead = 0;

    std::string coverFile() const { return "cover-" + std::to_string(id) + ".png"; }
    std::string documentFile() const { return "buku-" + kode + ".pdf"; }
};

struct Section {
    int id;
    std::string judul;
    std::vector<int> bookIds;
};

struct Banner {
    std::string img;
    // Absent (hasLink false), null, "#", "" or an address.
    bool hasLink;
    bool nullLink;
    std::string link;
};

struct Region {
    std::string id, nama, parent; // parent empty for provinces
    std::string level;            // provinsi, kota, kecamatan, kelurahan
};

struct Catalogue {
    std::vector<Member> members;
    std::vector<Department> departments;
    std::vector<Book> books;
    std::vector<Section> sections;
    std::vector<Banner> banners;
    std::vector<Region> regions;
    std::string partnerName, introText, occupations;
    std::string logoFile, loginLogoFile, introFile;
};

const Catalogue& demoCatalogue();

// Page label as the client shows it: Roman numerals below halaman_romawi
// (empty for page 0), otherwise the index less halaman_romawi.
std::string pageLabel(int pageIndex, int halamanRomawi);
std::string romanNumeral(int value);

} // namespace standin
