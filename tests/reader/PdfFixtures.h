#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

namespace sumberlaras::testing {

// A line of text placed on a page: `baseline` is its left end on the baseline,
// in points from the page's top-left corner.
struct FixtureLine {
    QString text;
    QPointF baseline;
    double fontSize = 12;
};

struct FixturePage {
    QList<FixtureLine> lines;
    QSizeF size = {612, 792}; // points
};

// A PDF written by Qt with exactly these lines on these pages.
QByteArray makePdf(const QList<FixturePage>& pages);

// Starts like a PDF, then breaks off.
QByteArray brokenPdf();
// A PDF whose standard security handler wants a password we do not have.
QByteArray passwordProtectedPdf();
// A PDF encrypted with a security handler PDFium does not know.
QByteArray unknownSecurityPdf();

} // namespace sumberlaras::testing
