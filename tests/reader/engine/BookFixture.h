#pragma once

#include "reader/engine/PdfDocument.h"
#include "tests/reader/ReaderFixture.h"

#include <gtest/gtest.h>

#include <QString>

#include <cstdint>
#include <vector>

namespace sumberlaras::testing {

inline std::vector<uint8_t> bytesOf(const QByteArray& a) {
    return {a.begin(), a.end()};
}

inline QString q(const std::u16string& s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// The test book, opened.
class BookTest : public ::testing::Test {
protected:
    void SetUp() override { doc.LoadFromMemory(bytesOf(bookPdf())); }
    TPdfDocument doc;
};

} // namespace sumberlaras::testing
