#include <filesystem>
#include <fstream>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "bookinfo/qt/TFormStudyNotes.h"
#include "reader/engine/PdfPage.h"
#include "tests/reader/qt/FaceFixture.h"

namespace sumberlaras::testing {
namespace {

namespace fs = std::filesystem;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ReaderNotesExport : public FaceFixture {
protected:
    void SetUp() override {
        tab = open("42", toolsBookPdf(), 3);
        highlightWholePage(5); // "Anak membaca buku", label "2"
    }
    reader::TReaderSettings& record() { return face->readerState.at(face->tab(tab).name); }
    // A highlight over every character of `page`, its boxes in page space.
    void highlightWholePage(int page) {
        view(tab)->setPageIndex(page);
        TPdfPage* p = view(tab)->CurrentPage();
        Json boxes = Json::array();
        for (const TPdfRect& r : p->TextRects(0, p->GetCharCount()))
            boxes.push_back(
                {{"left", r.Left}, {"top", r.Top}, {"right", r.Right}, {"bottom", r.Bottom}});
        record().AnnotationObject["data"].push_back(
            {{"page", page}, {"type", "HIGHLIGHT"}, {"color", 0x00FFFF}, {"point_data", boxes}});
    }
    TFormStudyNotes& window() { return face->FormStudyNotes(); }
    std::string exportTo(const std::string& name) {
        const std::string path = folder.file(name);
        dialogs.answerSaveFile(path);
        click("btnExportNotes");
        window().btnExport->click();
        tasks.finishAll();
        return path;
    }
    int tab = 0;
};

TEST_F(ReaderNotesExport, TheHighlightsTextIsExportedOpenedAndRecordedOnce) {
    const std::string path = exportTo("catatan.html");
    const std::string html = readAll(path);
    EXPECT_NE(html.find("<h2>Halaman 2</h2>"), std::string::npos) << html;
    EXPECT_NE(html.find("Sorotan:</span> Anak membaca buku</li>"), std::string::npos) << html;
    EXPECT_NE(html.find("Aminah, Siti. Ekonomi Desa 42. 2017."), std::string::npos)
        << "MLA by default";
    ASSERT_EQ(openedFiles.size(), 1u);
    EXPECT_EQ(openedFiles[0].toStdString(), path);
    EXPECT_EQ(record().TextCopyObject["data"],
              (Json::array({{{"page", "2"}, {"text", "Anak membaca buku"}}})));

    window().rbMarkdown->setChecked(true);
    const std::string md = readAll(exportTo("catatan.md"));
    EXPECT_NE(md.find("## Halaman 2\n\n- **Sorotan** (kuning): Anak membaca buku\n"),
              std::string::npos)
        << md;
    EXPECT_EQ(md.find("**Kutipan**"), std::string::npos) << "the record is not shown twice";
    EXPECT_EQ(record().TextCopyObject["data"].size(), 1u) << "nothing new to record";
}

TEST_F(ReaderNotesExport, AStyleTheBookLacksCannotBeChosen) {
    click("btnExportNotes");
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().styleButton(bookinfo::CitationStyle::APA)->isEnabled());
    EXPECT_TRUE(window().styleButton(bookinfo::CitationStyle::MLA)->isChecked());
    window().styleButton(bookinfo::CitationStyle::APA)->click();
    EXPECT_TRUE(window().styleButton(bookinfo::CitationStyle::MLA)->isChecked());
    EXPECT_EQ(window().choice().style, bookinfo::CitationStyle::MLA);
    for (QCheckBox* c :
         {window().cbHighlights, window().cbNotes, window().cbCopies, window().cbMarks})
        EXPECT_TRUE(c->isChecked()) << c->text().toStdString();
}

TEST_F(ReaderNotesExport, CancellingTheSaveWritesAndRecordsNothing) {
    dialogs.answerSaveFile(std::nullopt);
    click("btnExportNotes");
    window().btnExport->click();
    tasks.finishAll();
    EXPECT_TRUE(openedFiles.empty());
    EXPECT_TRUE(record().TextCopyObject["data"].empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator{}), 0);
}

TEST_F(ReaderNotesExport, ABookReturnedDuringTheExportGetsNoFile) {
    dialogs.answerSaveFile(folder.file("late.html"));
    click("btnExportNotes");
    window().btnExport->click();
    dialogs.answerNext(DialogAnswer::Yes);
    click("btnReturn");
    EXPECT_FALSE(window().isVisible()) << "the window goes with its book";
    tasks.finishAll();
    EXPECT_FALSE(fs::exists(folder.file("late.html")));
    EXPECT_TRUE(openedFiles.empty());
}

TEST_F(ReaderNotesExport, WithoutABookTheButtonDoesNothing) {
    dialogs.answerNext(DialogAnswer::Yes);
    click("btnReturn");
    tasks.finishAll();
    click("btnExportNotes");
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(control<QToolButton>("btnExportNotes")->accessibleName(),
              QStringLiteral("Ekspor Catatan Baca"));
}

} // namespace
} // namespace sumberlaras::testing
