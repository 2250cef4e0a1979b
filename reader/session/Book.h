#pragma once

#include <cstdint>
#include <string>

#include "base/JsonSlot.h"

namespace sumberlaras::reader {

// The bibliographic and loan data of one open book, kept in readDict under `id`.
struct TDetailBook {
    std::string id;
    int TabSheet = -1; // index of the tab that shows the book; -1 until one is chosen
    std::string id_baca;
    int32_t page_index = 0;
    std::string file_anotasi;
    int32_t rate = 0;
    std::string kode;
    std::string judul;
    std::string tahun_terbit;
    std::string sinopsis;
    int32_t halaman_romawi = 0;
    int32_t halaman_total = 0;
    std::string penulis;
    std::string penerbit;
    std::string isbn;
    std::string kategori;
    std::string dept;
    std::string mla_style;
    std::string chicago_style;
    std::string turabian_style;
    std::string apa_style;
    std::string harvard_style;
    std::string ieee_style;
};

// Loan data from the read-permission answer, book data from the "data" object
// of the content detail. Absent members read as empty text or 0; a number
// that does not fit reads 0. Throws std::runtime_error when the detail has no
// "data" object.
TDetailBook makeDetailBook(const Json& readPermission, const Json& detail);

// A member read as a 32-bit integer: numbers, and texts that are whole decimals.
int32_t readInteger(const Json& object, const std::string& member);

} // namespace sumberlaras::reader
