#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "tests/reader/PdfFixtures.h"

namespace sumberlaras::bench {

// Book-like pages: a heading and forty lines of running Indonesian text each.
inline QByteArray bookLikePdf(int pageCount) {
    QList<testing::FixturePage> pages;
    const QString words = "pustaka membaca buku ekonomi rakyat desa kota sungai "
                          "gunung pasar sekolah guru murid cerita sejarah ";
    for (int p = 0; p < pageCount; ++p) {
        testing::FixturePage page;
        page.lines.append({QString("Bab %1").arg(p + 1), {72, 80}, 20});
        for (int line = 0; line < 40; ++line) {
            QString text;
            for (int w = 0; text.size() < 80; ++w)
                text +=
                    words.section(' ', (p * 7 + line * 3 + w) % 14, (p * 7 + line * 3 + w) % 14) +
                    ' ';
            page.lines.append({text, {72, 120.0 + line * 16}, 10.5});
        }
        pages.append(page);
    }
    return testing::makePdf(pages);
}

} // namespace sumberlaras::bench
