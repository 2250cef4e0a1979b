#pragma once

#include "tests/reader/PdfFixtures.h"

namespace sumberlaras::testing {

// The book most tests read: three pages with known words at known places.
//   page 0: "Sumberlaras membaca buku" / "Baca buku setiap hari, baca!"
//   page 1: "Halaman dua tanpa kata itu" / "Lihat https://sumberlaras.id/buku"
//   page 2: "Ekonomi rakyat dan baca" at the top, "Akhir" near the bottom
inline QList<FixturePage> bookPages() {
    return {
        FixturePage{
            {{"Sumberlaras membaca buku", {72, 100}}, {"Baca buku setiap hari, baca!", {72, 130}}}},
        FixturePage{{{"Halaman dua tanpa kata itu", {72, 100}},
                     {"Lihat https://sumberlaras.id/buku", {72, 130}}}},
        FixturePage{{{"Ekonomi rakyat dan baca", {72, 100}}, {"Akhir", {72, 760}}}},
    };
}

inline QByteArray bookPdf() {
    return makePdf(bookPages());
}

} // namespace sumberlaras::testing
