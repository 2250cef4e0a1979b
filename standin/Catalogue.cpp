#include "standin/Catalogue.h"

#include <array>
#include <map>

namespace standin {
namespace {

struct TitleRow {
    const char* sub;
    const char* judul;
    const char* topik; // what the book's pages talk about
};

// Grouped by sub-category; the department and category follow from the tree.
constexpr std::array<TitleRow, 48> kTitles{{
    {"111", "Kamus Istilah Perpustakaan", "istilah perpustakaan"},
    {"111", "Kamus Peribahasa Indonesia", "peribahasa"},
    {"111", "Kamus Bahasa Jawa Sehari-hari", "bahasa daerah"},
    {"112", "Ensiklopedia Flora Nusantara", "tumbuhan asli Nusantara"},
    {"112", "Ensiklopedia Mini Gunung Berapi", "gunung berapi"},
    {"121", "Mengapa Langit Berwarna Biru", "cahaya dan warna langit"},
    {"121", "Rahasia Kehidupan Laut Dalam", "kehidupan laut dalam"},
    {"121", "Cuaca dan Iklim untuk Semua", "cuaca dan iklim"},
    {"122", "Panduan Menjahit untuk Pemula", "menjahit"},
    {"122", "Merawat Sepeda Sendiri", "perawatan sepeda"},
    {"122", "Seni Melipat Kertas", "melipat kertas"},
    {"211", "Belajar Pemrograman dengan Python", "pemrograman komputer"},
    {"211", "Dasar-Dasar Basis Data", "basis data"},
    {"211", "Algoritma dalam Kehidupan Sehari-hari", "algoritma"},
    {"212", "Mengenal Jaringan Komputer", "jaringan komputer"},
    {"212", "Keamanan Informasi untuk Keluarga", "keamanan informasi"},
    {"212", "Internet Sehat di Sekolah", "internet sehat"},
    {"221", "Budidaya Padi Organik", "padi organik"},
    {"221", "Menanam Sayuran di Pekarangan", "sayuran pekarangan"},
    {"221", "Pupuk Kompos dari Dapur", "pupuk kompos"},
    {"222", "Budidaya Ikan Lele di Kolam Terpal", "budidaya lele"},
    {"222", "Nelayan dan Laut Kita", "kehidupan nelayan"},
    {"231", "Gizi Seimbang untuk Anak", "gizi anak"},
    {"231", "Resep Sehat dari Bahan Lokal", "masakan sehat"},
    {"231", "Makanan Sehat untuk Lansia", "gizi lansia"},
    {"232", "Hidup Bersih di Lingkungan Padat", "kebersihan lingkungan"},
    {"232", "Pertolongan Pertama di Rumah", "pertolongan pertama"},
    {"311", "Jejak Kerajaan Majapahit", "kerajaan Majapahit"},
    {"311", "Sejarah Jalur Rempah", "jalur rempah"},
    {"311", "Kisah Sumpah Pemuda", "Sumpah Pemuda"},
    {"311", "Kota Tua di Pesisir Utara Jawa", "kota pesisir"},
    {"312", "Peradaban Sungai Nil", "peradaban Mesir kuno"},
    {"312", "Jalur Sutra dan Perdagangan Dunia", "jalur sutra"},
    {"321", "Membangun Koperasi Desa", "koperasi desa"},
    {"321", "Usaha Kecil dari Rumah", "usaha rumahan"},
    {"321", "Pemasaran Daring untuk UMKM", "pemasaran daring"},
    {"322", "Mengelola Uang Keluarga", "keuangan keluarga"},
    {"322", "Menabung Sejak Dini", "kebiasaan menabung"},
    {"411", "Senja di Pelabuhan Sunda Kelapa", "pelabuhan tua"},
    {"411", "Rumah di Ujung Sawah", "kehidupan desa"},
    {"411", "Langkah Kecil Menuju Kota", "merantau"},
    {"411", "Surat dari Lereng Merapi", "lereng gunung"},
    {"412", "Antologi Puisi Angin Kemarau", "musim kemarau"},
    {"412", "Sajak-Sajak dari Timur", "tanah timur"},
    {"421", "Kisah \"Si Kancil\" & Kawan-Kawan", "Si Kancil"},
    {"421", "Legenda Danau Toba", "Danau Toba"},
    {"421", "Asal Mula Gunung Tangkuban Perahu", "Tangkuban Perahu"},
    {"421", "Timun Mas dan Raksasa", "Timun Mas"},
}};

constexpr std::array<const char*, 20> kAuthors{
    "Siti Rahmawati", "Budi Santoso",  "Dewi Anggraini",    "Agus Prasetyo",     "Rina Kusumawati",
    "Hendra Wijaya",  "Maya Sari",     "Yusuf Hidayat",     "Lestari Wulandari", "Bambang Sutrisno",
    "Ayu Paramita",   "Fajar Nugroho", "Intan Permatasari", "Rudi Hartono",      "Nur Aisyah",
    "Joko Susilo",    "Ratna Dewi",    "Teguh Firmansyah",  "Wulan Sari",        "Eko Purnomo"};

constexpr std::array<const char*, 6> kPublishers{"Penerbit Sumber Ilmu", "Pustaka Nusantara",
                                                 "Laras Media",          "Cahaya Aksara",
                                                 "Balai Pustaka Desa",   "Gramedika Mandiri"};

constexpr std::array<const char*, 3> kCities{"Jakarta", "Yogyakarta", "Bandung"};

// Sentences of the body pages; {t} stands for the book's topic.
constexpr std::array<const char*, 24> kSentences{
    "Buku ini membahas {t} dengan bahasa yang sederhana dan contoh yang dekat dengan kehidupan.",
    "Pembaca diajak mengenal {t} langkah demi langkah, mulai dari hal yang paling dasar.",
    "Perpustakaan adalah jantung pengetahuan masyarakat.",
    "Setiap bab ditutup dengan pertanyaan untuk direnungkan bersama keluarga.",
    "Pengalaman para narasumber menunjukkan bahwa {t} dapat dipelajari siapa saja.",
    "Membaca setiap hari membuka jendela dunia bagi anak-anak kita.",
    "Di banyak desa, {t} sudah lama menjadi bagian dari kearifan lokal.",
    "Catatan lapangan dikumpulkan dari berbagai daerah di Indonesia.",
    "Kita belajar bahwa ketekunan lebih penting daripada bakat semata.",
    "Gambar dan tabel di halaman berikut membantu memahami {t} dengan lebih mudah.",
    "Ilmu yang dibagikan tidak akan pernah habis.",
    "Para ahli sepakat bahwa {t} perlu diperkenalkan sejak usia muda.",
    "Bagian ini menjelaskan sejarah singkat dan perkembangan {t} hingga kini.",
    "Masyarakat yang gemar membaca adalah masyarakat yang tangguh.",
    "Contoh sederhana berikut dapat dicoba di rumah tanpa alat khusus.",
    "Kesalahan kecil adalah bagian wajar dari proses belajar.",
    "Tokoh dalam kisah ini tumbuh bersama sungai, sawah, dan gunung di sekitarnya.",
    "Pengetahuan tentang {t} akan terus berkembang seiring waktu.",
    "Gotong royong membuat pekerjaan berat terasa ringan.",
    "Ringkasan di akhir bab membantu pembaca mengingat hal yang penting.",
    "Kutipan dari buku ini boleh digunakan untuk keperluan pendidikan.",
    "Bacalah perlahan, pahami maknanya, lalu ceritakan kembali kepada teman.",
    "Pertanyaan yang baik sering kali lebih berharga daripada jawaban yang cepat.",
    "Semoga buku tentang {t} ini bermanfaat bagi pembaca di seluruh Nusantara."};

std::string replaceTopic(std::string sentence, const std::string& topic) {
    for (size_t at = sentence.find("{t}"); at != std::string::npos; at = sentence.find("{t}")) {
        sentence.replace(at, 3, topic);
    }
    return sentence;
}

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return text;
}

std::vector<Department> departments() {
    return {
        {"1",
         "UMUM",
         {{"11", "Referensi", {{"111", "Kamus"}, {"112", "Ensiklopedia"}}},
          {"12", "Pengetahuan Umum", {{"121", "Ilmu Populer"}, {"122", "Keterampilan"}}}}},
        {"2",
         "SAINS DAN TEKNOLOGI",
         {{"21", "Komputer", {{"211", "Pemrograman"}, {"212", "Jaringan dan Internet"}}},
          {"22", "Pertanian", {{"221", "Tanaman Pangan"}, {"222", "Perikanan"}}},
          {"23", "Kesehatan", {{"231", "Gizi"}, {"232", "Kesehatan Masyarakat"}}}}},
        {"3",
         "SOSIAL DAN HUMANIORA",
         {{"31", "Sejarah", {{"311", "Sejarah Indonesia"}, {"312", "Sejarah Dunia"}}},
          {"32", "Ekonomi", {{"321", "Koperasi dan UMKM"}, {"322", "Keuangan Keluarga"}}}}},
        {"4",
         "SASTRA DAN BAHASA",
         {{"41", "Sastra Indonesia", {{"411", "Novel"}, {"412", "Puisi"}}},
          {"42", "Cerita Rakyat", {{"421", "Dongeng Nusantara"}}}}},
        {"5", "BUKU NON KOLEKSI", {{"51", "Terbitan Internal", {{"511", "Laporan Tahunan"}}}}},
        {"6", "RENCANA PENGADAAN", {{"61", "Usulan Anggota", {{"611", "Usulan Tahun Ini"}}}}},
        {"7", "ARSIP DIGITAL", {}},
    };
}

std::vector<std::string> bookPages(const Book& book, const std::string& topic) {
    std::vector<std::string> pages;
    pages.push_back(book.judul + "\n\n" + book.penulis + "\n\n" + book.penerbit + "\n" +
                    book.tahunTerbit);
    if (book.halamanRomawi > 0) {
        pages.push_back("Kata Pengantar\n\nPuji syukur kami panjatkan atas terbitnya buku " +
                        book.judul + ". Buku ini disusun untuk pembaca yang ingin mengenal " +
                        topic +
                        " lebih dekat.\nTerima kasih kepada semua pihak yang telah "
                        "membantu penyusunan buku ini.");
        std::string contents = "Daftar Isi\n";
        for (int chapter = 1; chapter <= 3; ++chapter) {
            contents += "\nBab " + std::to_string(chapter) + "  " + capitalised(topic) +
                        " bagian " + std::to_string(chapter);
        }
        pages.push_back(contents);
        while (static_cast<int>(pages.size()) < book.halamanRomawi) {
            pages.push_back("Halaman ini sengaja dikosongkan.");
        }
        pages.push_back("Bagian Pertama\n\n" + capitalised(topic));
    }
    // One long book, for reading far into a book and resuming there.
    const int bodyPages = book.id == kLongBookId ? 48 : 6 + book.id % 7;
    for (int page = 1; page <= bodyPages; ++page) {
        std::string text;
        if (page % 3 == 1) {
            text += "Bab " + std::to_string(page / 3 + 1) + "\n\n";
        }
        for (int k = 0; k < 8; ++k) {
            const size_t pick =
                static_cast<size_t>(book.id * 7 + page * 5 + k * 11) % kSentences.size();
            text += replaceTopic(kSentences[pick], topic);
            text += k % 2 == 1 ? "\n" : " ";
        }
        pages.push_back(text);
    }
    return pages;
}

void addCitations(Book& book) {
    const std::string& name = book.penulis;
    const size_t space = name.rfind(' ');
    const std::string last = space == std::string::npos ? name : name.substr(space + 1);
    const std::string first = space == std::string::npos ? "" : name.substr(0, space);
    const std::string inverted = first.empty() ? last : last + ", " + first;
    const std::string city = kCities[static_cast<size_t>(book.id) % kCities.size()];
    book.mla = inverted + ". " + book.judul + ". " + book.penerbit + ", " + book.tahunTerbit + ".";
    book.chicago = inverted + ". " + book.judul + ". " + city + ": " + book.penerbit + ", " +
                   book.tahunTerbit + ".";
    book.turabian = book.chicago;
    const std::string initial = first.empty() ? "" : ", " + first.substr(0, 1) + ".";
    book.apa = last + initial + " (" + book.tahunTerbit + "). " + book.judul + ". " + city + ": " +
               book.penerbit + ".";
    book.harvard = last + ", " + (first.empty() ? "" : first.substr(0, 1) + ". ") + "(" +
                   book.tahunTerbit + ") " + book.judul + ". " + city + ": " + book.penerbit + ".";
    book.ieee = (first.empty() ? "" : first.substr(0, 1) + ". ") + last + ", " + book.judul + ". " +
                city + ": " + book.penerbit + ", " + book.tahunTerbit + ".";
    // The service has no citation in some styles for some books.
    if (book.id % 5 == 0) {
        book.ieee = "N/A";
    }
    if (book.id % 7 == 3) {
        book.apa = "N/A";
    }
    if (book.id % 11 == 4) {
        book.turabian = "N/A";
        book.harvard = "N/A";
    }
}

Catalogue build() {
    Catalogue catalogue;
    catalogue.partnerName = "Perpustakaan Digital Sumberlaras";
    catalogue.introText =
        "Selamat datang di Perpustakaan Digital Sumberlaras. Pinjam hingga tiga buku sekaligus, "
        "baca di mana saja, dan kembalikan kapan pun anda selesai membaca.";
    catalogue.occupations =
        "Pelajar;Mahasiswa;Guru/Dosen;Pegawai Negeri;Karyawan Swasta;Wiraswasta;Petani;"
        "Nelayan;Ibu Rumah Tangga;Lainnya";
    catalogue.logoFile = "logo-sumberlaras.png";
    catalogue.loginLogoFile = "logo-login-sumberlaras.png";
    catalogue.introFile = "intro-sumberlaras.png";

    catalogue.members = {
        {1, "siti@sumberlaras.id", "baca1234", "Siti Nurhaliza Putri", "2", "2027-12-31"},
        {2, "budi@sumberlaras.id", "baca1234", "Budi Setiawan", "2", "2027-06-30"},
    };
    catalogue.departments = departments();

    std::map<std::string, std::pair<const Department*, const Category*>> bySub;
    for (const auto& dept : catalogue.departments) {
        for (const auto& category : dept.categories) {
            for (const auto& sub : category.subs) {
                bySub[sub.id] = {&dept, &category};
            }
        }
    }

    int id = 101;
    for (const auto& row : kTitles) {
        Book book;
        book.id = id++;
        const auto index = static_cast<size_t>(book.id - 101);
        const auto [dept, category] = bySub.at(row.sub);
        book.kode = "SL-" + std::to_string(book.id);
        book.judul = row.judul;
        book.penulis = kAuthors[(index * 7) % kAuthors.size()];
        book.penerbit = kPublishers[index % kPublishers.size()];
        book.tahunTerbit = std::to_string(2008 + static_cast<int>(index * 3 % 17));
        const std::string isbnBody = "978602" + std::to_string(100000 + book.id * 37);
        book.isbn = isbnBody.substr(0, 3) + "-" + isbnBody.substr(3, 3) + "-" +
                    isbnBody.substr(6, 4) + "-" + isbnBody.substr(10) + "-" +
                    std::to_string(book.id % 10);
        book.idDept = dept->id;
        book.idKategori = category->id;
        book.idSubKategori = row.sub;
        book.namaDept = dept->nama;
        book.namaKategori = category->nama;
        book.qty = 2 + static_cast<int>(index % 4);
        // A few titles start out of stock, so refusals can be tried.
        book.stok = index % 13 == 6 ? 0 : book.qty;
        book.nilaiRate = static_cast<int>(index * 3 % 6);
        book.halamanRomawi = book.id % 4 == 0 ? 3 + (book.id % 3) : 0;
        book.sinopsis = "<p>" + std::string(row.judul) + " mengajak pembaca mengenal " + row.topik +
                        ". Ditulis oleh " + book.penulis +
                        " untuk pembaca umum.</p><p>Cocok untuk dibaca bersama keluarga.</p>";
        book.pages = bookPages(book, row.topik);
        book.timesRead = static_cast<int>((index * 37 + 11) % 97);
        addCitations(book);
        catalogue.books.push_back(std::move(book));
    }

    constexpr std::array<const char*, 25> kSectionTitles{
        "Buku Terbaru",         "Pilihan Pustakawan",    "Bacaan Keluarga",  "Sains untuk Semua",
        "Kisah dan Legenda",    "Belajar Teknologi",     "Pertanian Modern", "Hidup Sehat",
        "Sejarah Bangsa",       "Usaha dan Ekonomi",     "Sastra Pilihan",   "Referensi Cepat",
        "Keterampilan Praktis", "Bacaan Akhir Pekan",    "Untuk Pelajar",    "Untuk Guru",
        "Koleksi Populer",      "Rekomendasi Komunitas", "Inspirasi Desa",   "Cerita Anak",
        "Ilmu Populer",         "Laut dan Pesisir",      "Warisan Budaya",   "Keuangan Cerdas",
        "Koleksi Lengkap"};
    const int bookCount = static_cast<int>(catalogue.books.size());
    for (size_t s = 0; s < kSectionTitles.size(); ++s) {
        Section section{static_cast<int>(s) + 1, kSectionTitles[s], {}};
        const int count = 6 + static_cast<int>(s % 3);
        for (int k = 0; k < count; ++k) {
            const int pick = (static_cast<int>(s) * 5 + k * 7) % bookCount;
            section.bookIds.push_back(catalogue.books[static_cast<size_t>(pick)].id);
        }
        catalogue.sections.push_back(std::move(section));
    }

    catalogue.banners = {
        {"banner-1.png", true, false, "https://sumberlaras.id/program/gemar-membaca"},
        {"banner-2.png", true, false, "#"},
        {"banner-3.png", false, false, ""},
        {"banner-4.png", true, true, ""},
        {"banner-5.png", true, false, ""},
    };

    catalogue.regions = {
        {"31", "DKI JAKARTA", "", "provinsi"},
        {"32", "JAWA BARAT", "", "provinsi"},
        {"34", "DI YOGYAKARTA", "", "provinsi"},
        {"3171", "KOTA JAKARTA SELATAN", "31", "kota"},
        {"3173", "KOTA JAKARTA PUSAT", "31", "kota"},
        {"3273", "KOTA BANDUNG", "32", "kota"},
        {"3204", "KABUPATEN BANDUNG", "32", "kota"},
        {"3471", "KOTA YOGYAKARTA", "34", "kota"},
        {"3404", "KABUPATEN SLEMAN", "34", "kota"},
        {"317101", "TEBET", "3171", "kecamatan"},
        {"317102", "SETIABUDI", "3171", "kecamatan"},
        {"317301", "GAMBIR", "3173", "kecamatan"},
        {"327301", "COBLONG", "3273", "kecamatan"},
        {"327302", "SUKAJADI", "3273", "kecamatan"},
        {"320401", "SOREANG", "3204", "kecamatan"},
        {"347101", "GONDOKUSUMAN", "3471", "kecamatan"},
        {"347102", "KOTAGEDE", "3471", "kecamatan"},
        {"340401", "DEPOK", "3404", "kecamatan"},
        {"340402", "MLATI", "3404", "kecamatan"},
        {"3171011001", "TEBET BARAT", "317101", "kelurahan"},
        {"3171011002", "MANGGARAI", "317101", "kelurahan"},
        {"3171021001", "KUNINGAN TIMUR", "317102", "kelurahan"},
        {"3173011001", "CIDENG", "317301", "kelurahan"},
        {"3273011001", "DAGO", "327301", "kelurahan"},
        {"3273011002", "LEBAK SILIWANGI", "327301", "kelurahan"},
        {"3273021001", "PASTEUR", "327302", "kelurahan"},
        {"3204011001", "SOREANG", "320401", "kelurahan"},
        {"3471011001", "BACIRO", "347101", "kelurahan"},
        {"3471011002", "TERBAN", "347101", "kelurahan"},
        {"3471021001", "PRENGGAN", "347102", "kelurahan"},
        {"3404011001", "CATURTUNGGAL", "340401", "kelurahan"},
        {"3404011002", "CONDONGCATUR", "340401", "kelurahan"},
        {"3404021001", "SINDUADI", "340402", "kelurahan"},
    };
    return catalogue;
}

} // namespace

const Catalogue& demoCatalogue() {
    static const Catalogue catalogue = build();
    return catalogue;
}

std::string romanNumeral(int value) {
    static constexpr std::array<std::pair<int, const char*>, 13> kDigits{{{1000, "M"},
                                                                          {900, "CM"},
                                                                          {500, "D"},
                                                                          {400, "CD"},
                                                                          {100, "C"},
                                                                          {90, "XC"},
                                                                          {50, "L"},
                                                                          {40, "XL"},
                                                                          {10, "X"},
                                                                          {9, "IX"},
                                                                          {5, "V"},
                                                                          {4, "IV"},
                                                                          {1, "I"}}};
    std::string text;
    for (const auto& [amount, digits] : kDigits) {
        while (value >= amount) {
            text += digits;
            value -= amount;
        }
    }
    return text;
}

std::string pageLabel(int pageIndex, int halamanRomawi) {
    if (pageIndex < halamanRomawi) {
        return romanNumeral(pageIndex);
    }
    return std::to_string(pageIndex - halamanRomawi);
}

} // namespace standin
