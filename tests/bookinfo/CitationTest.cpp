#include "bookinfo/Citation.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/bookinfo/CitedBook.h"
#include "tests/support/TempFolder.h"

namespace sumberlaras::bookinfo {
namespace {

using sumberlaras::testing::readFile;
using sumberlaras::testing::TempFolder;

reader::TDetailBook book() {
    return sumberlaras::testing::citedBook();
}

TEST(Citation, EachButtonHasItsStyleAndNAMeansNone) {
    const reader::TDetailBook b = book();
    const std::pair<CitationStyle, const char*> cases[] = {
        {CitationStyle::MLA, "Aminah, Siti. Ekonomi Desa. 2017."},
        {CitationStyle::CHG, "Aminah, Siti. “Ekonomi Desa” — Penerbit Laras, 2017."},
        {CitationStyle::TRB, "T"},
        {CitationStyle::APA, "N/A"},
        {CitationStyle::HRV, "H"},
        {CitationStyle::IEE, "I"},
    };
    for (const auto& [style, text] : cases)
        EXPECT_EQ(citationOf(b, style), text);
    EXPECT_FALSE(citationAvailable("N/A"));
    EXPECT_TRUE(citationAvailable("n/a"));
    EXPECT_TRUE(citationAvailable(""));
}

TEST(Citation, PanelsShowEachValueAfterTwoSpaces) {
    const std::array<std::string, 6> expected = {"  Ekonomi Desa",   "  Siti Aminah",
                                                 "  Penerbit Laras", "  978-602-0000-00-1",
                                                 "  2017",           "  Ekonomi"};
    EXPECT_EQ(infoPanelValues(book()), expected);
}

TEST(Citation, FileHoldsExactlyTheUtf8CitationAndOneCrLf) {
    TempFolder folder;
    const std::string path = folder.file("sitasi.html");
    writeCitationFile(path, citationOf(book(), CitationStyle::CHG));
    EXPECT_EQ(readFile(path), "Aminah, Siti. \xE2\x80\x9C"
                              "Ekonomi Desa\xE2\x80\x9D \xE2\x80\x94 Penerbit Laras, 2017.\r\n");
    // Saving again replaces the file rather than adding to it.
    writeCitationFile(path, "H");
    EXPECT_EQ(readFile(path), "H\r\n");
}

TEST(Citation, AnUnwritableFileThrowsWithTheReason) {
    TempFolder folder;
    const std::string path = folder.file("tidak-ada/sitasi.html");
    try {
        writeCitationFile(path, "H");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace sumberlaras::bookinfo
