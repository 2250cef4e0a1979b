#pragma once

#include "reader/session/Book.h"

namespace sumberlaras::testing {

// A book with its data and six citations; the APA one missing ("N/A").
inline reader::TDetailBook citedBook() {
    reader::TDetailBook b;
    b.id = "42";
    b.judul = "Ekonomi Desa";
    b.penulis = "Siti Aminah";
    b.penerbit = "Penerbit Laras";
    b.isbn = "978-602-0000-00-1";
    b.tahun_terbit = "2017";
    b.kategori = "Ekonomi";
    b.mla_style = "Aminah, Siti. Ekonomi Desa. 2017.";
    b.chicago_style = "Aminah, Siti. “Ekonomi Desa” — Penerbit Laras, 2017.";
    b.turabian_style = "T";
    b.apa_style = "N/A";
    b.harvard_style = "H";
    b.ieee_style = "I";
    return b;
}

} // namespace sumberlaras::testing
