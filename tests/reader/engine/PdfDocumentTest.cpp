#include "tests/reader/engine/BookFixture.h"

namespace sumberlaras {
namespace {

using testing::BookTest;
using testing::bytesOf;
using testing::q;

struct BadDocumentCase {
    const char* name;
    QByteArray bytes;
    const char* text;
};

TEST(DocumentErrors, NamePdfiumsError) {
    const BadDocumentCase cases[] = {
        {"not a PDF", "Ini bukan PDF, hanya teks biasa.\n",
         "File is not a PDF document or is corrupted"},
        {"broken", testing::brokenPdf(), "File is not a PDF document or is corrupted"},
        {"password", testing::passwordProtectedPdf(), "Password required oder invalid password"},
        {"unknown security", testing::unknownSecurityPdf(), "Security schema is not support"},
    };
    for (const BadDocumentCase& c : cases) {
        SCOPED_TRACE(c.name);
        TPdfDocument doc;
        try {
            doc.LoadFromMemory(bytesOf(c.bytes));
            ADD_FAILURE() << "opened";
        } catch (const EPdfError& e) {
            EXPECT_STREQ(e.what(), c.text);
        }
        EXPECT_FALSE(doc.Active());
        EXPECT_EQ(doc.PageCount(), 0);
    }
}

TEST(DocumentErrors, EveryCodeHasItsText) {
    const std::pair<unsigned long, const char*> table[] = {
        {0, "No error"},
        {1, "Unknown error"},
        {2, "File not found or can't be opened"},
        {3, "File is not a PDF document or is corrupted"},
        {4, "Password required oder invalid password"},
        {5, "Security schema is not support"},
        {6, "Page does not exist or data error"},
        {77, "Unknown error"},
    };
    for (const auto& [code, text] : table)
        EXPECT_EQ(pdfErrorText(code), text) << code;
}

TEST_F(BookTest, WorkerKeepsItsPageAfterClose) {
    auto page = doc.SharedPage(2);
    doc.Close();
    EXPECT_EQ(doc.PageCount(), 0);
    EXPECT_TRUE(q(page->ReadText(0, page->GetCharCount())).startsWith("Ekonomi"));
}

// The search worker's reader: the same text as the pages, still readable after
// the view closed the document, and a clear error past the last page.
TEST_F(BookTest, TextReaderReadsWholePagesAfterClose) {
    std::vector<std::u16string> expected;
    for (int i = 0; i < doc.PageCount(); ++i) {
        TPdfPage* page = doc.Pages(i);
        expected.push_back(page->ReadText(0, page->GetCharCount()));
    }
    std::shared_ptr<const TPdfTextReader> reader = doc.TextReader();
    doc.Close();
    EXPECT_EQ(doc.TextReader(), nullptr);
    ASSERT_EQ(reader->PageCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(reader->PageText(i), expected[static_cast<size_t>(i)]) << i;
    EXPECT_TRUE(q(reader->PageText(2)).startsWith("Ekonomi rakyat"));
    EXPECT_THROW(reader->PageText(3), EPdfError);
    EXPECT_THROW(reader->PageText(-1), EPdfError);
}

} // namespace
} // namespace sumberlaras
