#include "bookinfo/qt/TFormInfoBuku.h"

#include <filesystem>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/bookinfo/CitedBook.h"
#include "tests/reader/qt/FaceFixture.h"

namespace sumberlaras::testing {
namespace {

using bookinfo::CitationStyle;

// The shared book, its category written as markup, and an APA citation of choice.
reader::TDetailBook bookWith(const std::string& apa) {
    reader::TDetailBook b = citedBook();
    b.kategori = "<b>Ekonomi</b>";
    b.apa_style = apa;
    return b;
}

class InfoWindow : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    std::vector<QString> opened;
    TFormInfoBuku form{dialogs, [this](const QString& path) { opened.push_back(path); }};
    TempFolder folder;
};

TEST_F(InfoWindow, ShowsTheBookAndDisablesMissingStyles) {
    form.showFor(1, bookWith("N/A"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.size(), QSize(679, 347));
    const char* values[] = {"  Ekonomi Desa",      "  Siti Aminah", "  Penerbit Laras",
                            "  978-602-0000-00-1", "  2017",        "  <b>Ekonomi</b>"};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(form.valuePanel(row)->text(), QString::fromUtf8(values[row]));
    EXPECT_EQ(form.valuePanel(5)->textFormat(), Qt::PlainText);
    EXPECT_FALSE(form.button(CitationStyle::APA)->isEnabled());
    for (CitationStyle s : {CitationStyle::MLA, CitationStyle::CHG, CitationStyle::TRB,
                            CitationStyle::HRV, CitationStyle::IEE})
        EXPECT_TRUE(form.button(s)->isEnabled());
    // Shown again for a book that has the style, the button comes back.
    form.showFor(2, bookWith("APA of Ekonomi Desa"));
    EXPECT_EQ(form.TabSheet, 2);
    EXPECT_TRUE(form.button(CitationStyle::APA)->isEnabled());
}

TEST_F(InfoWindow, SavesTheCitationAsUtf8ThenSaysWhereAndOpensIt) {
    form.showFor(0, bookWith("N/A"));
    const std::string file = folder.file("sitasi.html");
    dialogs.answerSaveFile(file);
    form.button(CitationStyle::CHG)->click();
    ASSERT_EQ(dialogs.saveQuestions().size(), 1u);
    EXPECT_EQ(dialogs.saveQuestions()[0].defaultExtension, "html");
    EXPECT_EQ(dialogs.saveQuestions()[0].filter, "HTML File|*.html");
    EXPECT_EQ(readFile(file), "Aminah, Siti. \xE2\x80\x9C"
                              "Ekonomi Desa\xE2\x80\x9D \xE2\x80\x94 Penerbit Laras, 2017.\r\n");
    const auto shown = dialogs.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, DialogKind::Information);
    EXPECT_EQ(shown[0].text, "Berhasil Disimpan Di : " + file);
    EXPECT_EQ(opened, std::vector<QString>{QString::fromStdString(file)});
}

TEST_F(InfoWindow, CancelAndFailureNeitherReportSuccessNorOpen) {
    form.showFor(0, bookWith("N/A"));
    form.button(CitationStyle::MLA)->click(); // cancelled
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

    const std::string file = folder.file("tidak-ada/sitasi.html");
    dialogs.answerSaveFile(file);
    form.button(CitationStyle::MLA)->click();
    const auto shown = dialogs.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, DialogKind::Error);
    EXPECT_TRUE(shown[0].text.starts_with("Error When Saving : ")) << shown[0].text;
    EXPECT_TRUE(opened.empty());
}

TEST_F(InfoWindow, ClosesOnlyForItsOwnBook) {
    form.showFor(1, bookWith("N/A"));
    form.bookClosed(0);
    EXPECT_TRUE(form.isVisible());
    form.bookClosed(1);
    EXPECT_FALSE(form.isVisible());
    form.showFor(2, bookWith("N/A"));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(InfoWindow, EveryControlHasAName) {
    form.showFor(0, bookWith("N/A"));
    for (QPushButton* b : form.findChildren<QPushButton*>()) {
        SCOPED_TRACE(b->objectName().toStdString());
        const QString name = b->accessibleName().isEmpty() ? b->text() : b->accessibleName();
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(name.at(0).unicode() >= 0xF000); // never a glyph
    }
    EXPECT_EQ(form.valuePanel(4)->accessibleName(), QStringLiteral("Tahun Terbit: 2017"));
}

// The reader's info button and return, with the real window.
class InfoFromReader : public FaceFixture {
protected:
    InfoFromReader() {
        onShowInfo = [this](int tab, const reader::TDetailBook& b) { form.showFor(tab, b); };
        onBookClosed = [this](int tab) { form.bookClosed(tab); };
    }
    TFormInfoBuku form{dialogs, [](const QString&) {}};
};

TEST_F(InfoFromReader, ShowsTheActiveBookAndGoesWithItsReturn) {
    click("btnInfo"); // no book: nothing
    EXPECT_FALSE(form.isVisible());
    const int first = open("42", toolsBookPdf());
    const int second = open("43", toolsBookPdf());
    click("btnInfo");
    EXPECT_EQ(form.TabSheet, second);
    EXPECT_EQ(form.valuePanel(0)->text(), QStringLiteral("  Ekonomi Desa 43"));
    face->PageControl1()->setCurrentIndex(first);
    click("btnInfo");
    EXPECT_EQ(form.TabSheet, first);
    EXPECT_EQ(form.valuePanel(0)->text(), QStringLiteral("  Ekonomi Desa 42"));
    face->PageControl1()->setCurrentIndex(second);
    dialogs.answerNext(DialogAnswer::Yes);
    click("btnReturn");
    EXPECT_TRUE(form.isVisible()); // it shows the other book
    face->PageControl1()->setCurrentIndex(first);
    dialogs.answerNext(DialogAnswer::Yes);
    click("btnReturn");
    EXPECT_FALSE(form.isVisible());
}

} // namespace
} // namespace sumberlaras::testing
