#include "bookinfo/CopyText.h"

#include <gtest/gtest.h>

namespace sumberlaras::bookinfo {
namespace {

TEST(CopyText, PageLabelIsRomanBeforeTheBodyThenCountsFromZero) {
    struct Case {
        int pageIndex;
        int32_t romawi;
        const char* label;
    };
    const Case cases[] = {
        {0, 5, ""}, {2, 5, "II"}, {4, 5, "IV"}, {5, 5, "0"}, {7, 5, "2"}, {9, 0, "9"}, {0, 0, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.pageIndex) + " with " + std::to_string(c.romawi));
        EXPECT_EQ(copyPageLabel(c.pageIndex, c.romawi), c.label);
    }
}

TEST(CopyText, ClipboardHoldsSixLinesWithoutAFinalBreak) {
    reader::TDetailBook book;
    book.judul = "Ekonomi Desa";
    book.penulis = "Siti Ñúñez";
    book.penerbit = "Penerbit Laras";
    book.tahun_terbit = "2017";
    EXPECT_EQ(clipboardText(book, "II", "Pendidikan Anak Usia Dini — edisi ke-2, café"),
              "Judul : Ekonomi Desa\r\nPenulis : Siti Ñúñez\r\nPenerbit : Penerbit Laras\r\n"
              "Tahun Terbit : 2017\r\nHalaman : II\r\n"
              "Frase : Pendidikan Anak Usia Dini — edisi ke-2, café");
    EXPECT_EQ(clipboardText(book, "", ""),
              "Judul : Ekonomi Desa\r\nPenulis : Siti Ñúñez\r\nPenerbit : Penerbit Laras\r\n"
              "Tahun Terbit : 2017\r\nHalaman : \r\nFrase : ");
}

TEST(CopyText, EachPassageOfAPageIsRecordedOnceInOrder) {
    Json doc = {{"id_konten", "42"}, {"data", Json::array()}};
    EXPECT_TRUE(recordCopy(doc, "3", "baca buku"));
    EXPECT_FALSE(recordCopy(doc, "3", "baca buku"));
    EXPECT_TRUE(recordCopy(doc, "4", "baca buku"));
    EXPECT_TRUE(recordCopy(doc, "3", ""));
    EXPECT_FALSE(recordCopy(doc, "3", ""));
    EXPECT_TRUE(recordCopy(doc, "3", "café — ke-2"));
    EXPECT_EQ(doc.dump(), R"({"id_konten":"42","data":[{"page":"3","text":"baca buku"},)"
                          R"({"page":"4","text":"baca buku"},{"page":"3","text":""},)"
                          R"({"page":"3","text":"café — ke-2"}]})");
}

TEST(CopyText, ADocumentWithoutDataGetsIt) {
    for (Json doc : {Json(), Json::object(), Json{{"id_konten", "1"}, {"data", "x"}}}) {
        SCOPED_TRACE(doc.dump());
        EXPECT_TRUE(recordCopy(doc, "1", "a"));
        EXPECT_EQ(doc["data"], Json::parse(R"([{"page":"1","text":"a"}])"));
    }
}

} // namespace
} // namespace sumberlaras::bookinfo
