#include "reader/session/Book.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "service/Envelope.h"

namespace sumberlaras::reader {

int32_t readInteger(const Json& object, const std::string& member) {
    if (!object.is_object())
        return 0;
    const auto it = object.find(member);
    if (it == object.end())
        return 0;
    // Unsigned first: is_number_integer() holds for unsigned values too, and
    // one above INT64_MAX would wrap to a negative that fits.
    if (it->is_number_unsigned()) {
        const auto v = it->get<uint64_t>();
        return v > INT32_MAX ? 0 : static_cast<int32_t>(v);
    }
    if (it->is_number_integer()) {
        const auto v = it->get<int64_t>();
        return v < INT32_MIN || v > INT32_MAX ? 0 : static_cast<int32_t>(v);
    }
    if (it->is_number_float()) {
        // 240.0 is the same page count as 240, as readText reads it.
        const double v = it->get<double>();
        if (!std::isfinite(v) || v != std::floor(v) || v < INT32_MIN || v > INT32_MAX)
            return 0;
        return static_cast<int32_t>(v);
    }
    if (it->is_string()) {
        const std::string& text = it->get_ref<const std::string&>();
        if (text.empty())
            return 0;
        errno = 0;
        char* end = nullptr;
        const long long v = std::strtoll(text.c_str(), &end, 10);
        if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX)
            return 0;
        return static_cast<int32_t>(v);
    }
    return 0;
}

TDetailBook makeDetailBook(const Json& permission, const Json& detail) {
    const auto data = detail.is_object() ? detail.find("data") : detail.end();
    if (!detail.is_object() || data == detail.end() || !data->is_object())
        throw std::runtime_error("Detail buku tidak tersedia");
    const Json& d = *data;
    TDetailBook b;
    b.id = readText(d, "id");
    b.id_baca = readText(permission, "id_baca");
    b.page_index = readInteger(permission, "page_index");
    b.file_anotasi = readText(permission, "file_anotasi");
    b.rate = readInteger(permission, "rate");
    b.kode = readText(d, "kode");
    b.judul = readText(d, "judul");
    b.tahun_terbit = readText(d, "tahun_terbit");
    b.sinopsis = readText(d, "sinopsis");
    b.halaman_romawi = readInteger(d, "halaman_romawi");
    b.halaman_total = readInteger(d, "halaman_total");
    b.penulis = readText(d, "penulis");
    b.penerbit = readText(d, "penerbit");
    b.isbn = readText(d, "isbn");
    b.kategori = readText(d, "kategori");
    b.dept = readText(d, "dept");
    b.mla_style = readText(d, "mla_style");
    b.chicago_style = readText(d, "chicago_style");
    b.turabian_style = readText(d, "turabian_style");
    b.apa_style = readText(d, "apa_style");
    b.harvard_style = readText(d, "harvard_style");
    b.ieee_style = readText(d, "ieee_style");
    return b;
}

} // namespace sumberlaras::reader
