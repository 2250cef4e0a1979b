#include "tests/reader/PdfFixtures.h"

#include <QBuffer>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <vector>

namespace sumberlaras::testing {

QByteArray makePdf(const QList<FixturePage>& pages) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72); // one painter unit is one point
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        for (qsizetype i = 0; i < pages.size(); ++i) {
            const FixturePage& page = pages[i];
            writer.setPageSize(QPageSize(page.size, QPageSize::Point));
            if (i == 0)
                painter.begin(&writer);
            else
                writer.newPage();
            for (const FixtureLine& line : page.lines) {
                QFont font("DejaVu Sans");
                font.setPointSizeF(line.fontSize);
                painter.setFont(font);
                painter.drawText(line.baseline, line.text);
            }
        }
        if (pages.isEmpty())
            painter.begin(&writer);
        painter.end();
    }
    return bytes;
}

QByteArray brokenPdf() {
    QByteArray whole = makePdf({FixturePage{{{"Halaman rusak", {72, 72}}}}});
    return whole.left(whole.size() / 3);
}

namespace {

// A one-page PDF with the given trailer extras and objects after the page tree.
QByteArray handWrittenPdf(const QByteArray& encryptDictionary) {
    const std::vector<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>",
        encryptDictionary,
    };
    QByteArray out = "%PDF-1.4\n";
    std::vector<qsizetype> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        out += QByteArray::number(static_cast<int>(i + 1)) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(static_cast<int>(objects.size() + 1)) + "\n";
    out += "0000000000 65535 f \n";
    for (qsizetype off : offsets)
        out += QByteArray::number(off).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(static_cast<int>(objects.size() + 1)) +
           " /Root 1 0 R /Encrypt 4 0 R /ID [<0123456789abcdef0123456789abcdef>"
           " <0123456789abcdef0123456789abcdef>] >>\n";
    out += "startxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

} // namespace

QByteArray passwordProtectedPdf() {
    // RC4 40-bit standard handler; O and U match no password, empty included.
    return handWrittenPdf("<< /Filter /Standard /V 1 /R 2 /Length 40 /P -44"
                          " /O <" +
                          QByteArray(64, 'a') + "> /U <" + QByteArray(64, 'b') + "> >>");
}

QByteArray unknownSecurityPdf() {
    return handWrittenPdf("<< /Filter /NoSuchHandler /V 1 /R 2 /Length 40 /P -44 >>");
}

} // namespace sumberlaras::testing
