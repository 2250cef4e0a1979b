// The stand-in's own file writers and seed data, without a server.
#include <regex>
#include <set>

#include <gtest/gtest.h>
#include <zlib.h>

#include "standin/Catalogue.h"
#include "standin/Media.h"
#include "standin/PdfWriter.h"
#include "standin/Png.h"
#include "standin/TlsServer.h"

namespace standin {
namespace {

TEST(PdfWriterTest, CrossReferenceTablePointsAtEveryObject) {
    PdfDocument document{"Judul (uji) \\ \xC3\xA9", "Penulis", {}};
    for (int i = 0; i < 3; ++i) {
        PdfPage page;
        page.lines.push_back({50, 500, 11, i == 0, "Halaman " + std::to_string(i) + " (isi)"});
        document.pages.push_back(page);
    }
    const std::string pdf = writePdf(document);
    ASSERT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
    const size_t startxref = pdf.rfind("startxref\n");
    ASSERT_NE(startxref, std::string::npos);
    const size_t xref = std::stoul(pdf.substr(startxref + 10));
    ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);

    const std::regex header(R"(xref\n0 (\d+)\n)");
    std::smatch match;
    const std::string table = pdf.substr(xref);
    ASSERT_TRUE(std::regex_search(table, match, header));
    const int count = std::stoi(match[1]);
    EXPECT_EQ(count, 1 + 5 + 2 * 3);
    size_t entry = static_cast<size_t>(match.length(0));
    EXPECT_EQ(table.substr(entry, 20), "0000000000 65535 f \n");
    for (int object = 1; object < count; ++object) {
        const std::string line = table.substr(entry + 20 * static_cast<size_t>(object), 20);
        const size_t offset = std::stoul(line.substr(0, 10));
        EXPECT_EQ(pdf.compare(offset, std::to_string(object).size() + 6,
                              std::to_string(object) + " 0 obj"),
                  0)
            << "object " << object;
    }
    EXPECT_NE(pdf.find("/Count 3"), std::string::npos);
    EXPECT_NE(pdf.find("(Halaman 0 \\(isi\\)) Tj"), std::string::npos);
    EXPECT_NE(pdf.find("/Title (Judul \\(uji\\) \\\\ \xE9)"), std::string::npos);
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
}

TEST(PdfWriterTest, TextIsWinAnsiAndWrapsWithinTheWidth) {
    EXPECT_EQ(toWinAnsi("caf\xC3\xA9 \xE2\x80\x9Cok\xE2\x80\x9D \xE2\x82\xAC \xF0\x9F\x98\x80"),
              "caf\xE9 \x93ok\x94 \x80 ?");
    EXPECT_EQ(toWinAnsi("\xC3"), "?"); // truncated sequence
    const auto lines =
        wrapText("satu dua tiga empat lima enam tujuh delapan sembilan sepuluh", 100, 11);
    EXPECT_GT(lines.size(), 2u);
    std::string joined;
    for (const auto& line : lines) {
        EXPECT_LE(line.size(), 22u);
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, "satu dua tiga empat lima enam tujuh delapan sembilan sepuluh");
}

TEST(PngTest, WritesAValidRgbPicture) {
    Canvas canvas(7, 5, {10, 20, 30});
    canvas.circle(3, 2, 1, {200, 0, 0});
    const std::string png = canvas.png();
    ASSERT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    size_t at = 8;
    std::string idat;
    std::set<std::string> chunks;
    while (at + 12 <= png.size()) {
        const auto byte = [&](size_t i) {
            return static_cast<uint32_t>(static_cast<uint8_t>(png[i]));
        };
        const uint32_t length =
            byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
        const std::string type = png.substr(at + 4, 4);
        const std::string data = png.substr(at + 8, length);
        const uint32_t crc = byte(at + 8 + length) << 24 | byte(at + 9 + length) << 16 |
                             byte(at + 10 + length) << 8 | byte(at + 11 + length);
        const std::string covered = type + data;
        EXPECT_EQ(crc, crc32(0, reinterpret_cast<const Bytef*>(covered.data()),
                             static_cast<uInt>(covered.size())))
            << type;
        if (type == "IHDR") {
            EXPECT_EQ(data.substr(0, 8), std::string("\0\0\0\x07\0\0\0\x05", 8));
        }
        if (type == "IDAT") {
            idat += data;
        }
        chunks.insert(type);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ(chunks, (std::set<std::string>{"IHDR", "IDAT", "IEND"}));
    std::string raw(5 * (1 + 7 * 3), '\0');
    uLongf size = static_cast<uLongf>(raw.size());
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &size,
                         reinterpret_cast<const Bytef*>(idat.data()),
                         static_cast<uLong>(idat.size())),
              Z_OK);
    EXPECT_EQ(size, raw.size());
    EXPECT_EQ(static_cast<uint8_t>(raw[1]), 10);                   // first pixel of the first row
    EXPECT_EQ(static_cast<uint8_t>(raw[2 * 22 + 1 + 3 * 3]), 200); // the circle's centre
}

TEST(SeedTest, SeedHasWhatThePagesNeed) {
    const Catalogue& catalogue = demoCatalogue();
    EXPECT_GE(catalogue.books.size(), 40u);
    EXPECT_GE(catalogue.sections.size(), 25u);
    std::set<std::string> covers, titles;
    int frontMatter = 0, outOfStock = 0;
    for (const Book& book : catalogue.books) {
        covers.insert(coverImage(book));
        titles.insert(book.judul);
        frontMatter += book.halamanRomawi > 0;
        outOfStock += book.stok == 0;
        EXPECT_GT(static_cast<int>(book.pages.size()), book.halamanRomawi + 3) << book.id;
    }
    EXPECT_EQ(covers.size(), catalogue.books.size()) << "every cover is its own picture";
    EXPECT_EQ(titles.size(), catalogue.books.size());
    EXPECT_GT(frontMatter, 0);
    EXPECT_GT(outOfStock, 0);
}

TEST(SeedTest, PageLabelsFollowTheRomanFrontMatter) {
    struct Case {
        int index, romawi;
        const char* label;
    };
    for (const Case& c : {Case{0, 5, ""}, Case{2, 5, "II"}, Case{4, 5, "IV"}, Case{7, 5, "2"},
                          Case{9, 0, "9"}, Case{0, 0, "0"}}) {
        EXPECT_EQ(pageLabel(c.index, c.romawi), c.label) << c.index << "/" << c.romawi;
    }
    EXPECT_EQ(romanNumeral(1994), "MCMXCIV");
}

TEST(SeedTest, PrintedPageNumbersMatchTheLabels) {
    for (const Book& book : demoCatalogue().books) {
        if (book.halamanRomawi == 0) {
            continue;
        }
        const std::string pdf = bookDocument(book);
        // Front-matter page II and body page 1 carry their numbers as text.
        EXPECT_NE(pdf.find("(II) Tj"), std::string::npos) << book.id;
        EXPECT_NE(pdf.find("(1) Tj"), std::string::npos) << book.id;
        break;
    }
}

TEST(RequestHeadTest, KeepsHeaderOrderAndSpelling) {
    const HeaderList headers = parseRequestHead(
        "POST /api/wl/executeLogin HTTP/1.1\r\nOS: WIN\r\nCLIENTID:396\r\nUUID:  0A1B  \r\n"
        "broken line\r\nX-Empty:\r\n\r\nuser=a");
    const HeaderList expected = {
        {"OS", "WIN"}, {"CLIENTID", "396"}, {"UUID", "0A1B"}, {"X-Empty", ""}};
    EXPECT_EQ(headers, expected);
    EXPECT_TRUE(parseRequestHead("GET / HTTP/1.1").empty());
}

} // namespace
} // namespace standin
