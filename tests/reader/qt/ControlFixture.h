#pragma once

#include "reader/qt/PdfControl.h"
#include "tests/reader/ReaderFixture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

namespace sumberlaras::testing {

// The device area covered by page rectangles.
inline QRegion deviceArea(TPdfControl& view, const std::vector<TPdfRect>& rects) {
    QRegion area;
    for (const TPdfRect& r : rects) {
        const TRect d = view.PageToDevice(r);
        area += QRect(QPoint(std::min(d.Left, d.Right), std::min(d.Top, d.Bottom)),
                      QPoint(std::max(d.Left, d.Right) - 1, std::max(d.Top, d.Bottom) - 1));
    }
    return area;
}

// White pixels of `before` inside the area.
inline int paperPixels(const QImage& before, const QRegion& area) {
    int n = 0;
    for (const QRect& r : area)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += before.pixelColor(x, y) == QColor(Qt::white);
    return n;
}

// How many of those are, in `after`, `color` blended once over white at 127/255.
inline int blendedPaperPixels(const QImage& before, const QImage& after, const QRegion& area,
                              const QColor& color) {
    const auto mix = [](int c) { return (255 * 128 + c * 127) / 255; };
    int n = 0;
    for (const QRect& r : area)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                if (before.pixelColor(x, y) != QColor(Qt::white))
                    continue;
                const QColor c = after.pixelColor(x, y);
                n += std::abs(c.red() - mix(color.red())) <= 2 &&
                     std::abs(c.green() - mix(color.green())) <= 2 &&
                     std::abs(c.blue() - mix(color.blue())) <= 2;
            }
    return n;
}

// A shown page view of the test book, 800 x 600, counting its page-change events.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.resize(800, 600);
        view.show();
        view.OnPageChange = [this](TPdfControl*) { ++pageChanges; };
        load(bookPdf());
    }

    void load(const QByteArray& bytes) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        view.LoadFromStream(buffer);
    }

    // Device point at the centre of a character range's first rectangle.
    QPoint centreOf(int charIndex) {
        TPdfPage* page = view.CurrentPage();
        const auto box = page->CharBox(charIndex);
        EXPECT_TRUE(box.has_value()) << charIndex;
        const TPoint p =
            view.PageToDevice((box->Left + box->Right) / 2, (box->Top + box->Bottom) / 2);
        return {p.X, p.Y};
    }

    QImage frame() { return view.grab().toImage(); }

    TPdfControl view;
    int pageChanges = 0;
};

} // namespace sumberlaras::testing
