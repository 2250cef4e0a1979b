#pragma once

#include "PdfControl.h"
#include "ReaderFixture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

namespace sumberlaras::testing {

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
