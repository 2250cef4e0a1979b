// Study notes against the stand-in: what an export records reaches the
// service with the return, as every copy does.
#include <QPushButton>

#include "bookinfo/qt/TFormStudyNotes.h"
#include "reader/engine/PdfPage.h"
#include "tests/shell/ReaderFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

using StudyNotes = ReaderFixture;

TEST_F(StudyNotes, AReturnAfterAnExportSendsTheExportedTextsInPageOrder) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    reader::TReaderSettings& s = reader().readerState.at("TabSheet1");
    std::vector<std::string> pageTexts;
    for (int page : {9, 6}) { // marked out of page order
        view(0)->setPageIndex(page);
        TPdfPage* p = view(0)->CurrentPage();
        const std::vector<TPdfRect> first = p->TextRects(0, 12);
        Json boxes = Json::array();
        for (const TPdfRect& r : first)
            boxes.push_back(
                {{"left", r.Left}, {"top", r.Top}, {"right", r.Right}, {"bottom", r.Bottom}});
        s.AnnotationObject["data"].push_back(
            {{"page", page}, {"type", "HIGHLIGHT"}, {"color", 0x00FFFF}, {"point_data", boxes}});
        pageTexts.push_back(
            QString::fromStdU16String(p->ReadText(0, 12)).simplified().toStdString());
    }
    const std::string file = (root / "catatan.html").string();
    dialogs.answerSaveFile(file);
    control<QToolButton>("btnExportNotes")->click();
    reader().FormStudyNotes().btnExport->click();
    ASSERT_TRUE(spinUntil([&] { return !openedFiles.empty(); }));
    ASSERT_EQ(s.TextCopyObject["data"].size(), 2u);
    const Json recorded = s.TextCopyObject["data"]; // the records go with the return

    standin.clearLog();
    returnActiveBook();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    const std::string body = calls("/api/wl/copyText")[0]["body"].get<std::string>();
    const Json sent = Json::parse(body);
    ASSERT_EQ(sent["data"].size(), 2u) << body;
    // Page 6 comes first; the long book has no front pages, so labels are indexes.
    EXPECT_EQ(sent["data"][0]["text"], pageTexts[1]) << body;
    EXPECT_EQ(sent["data"][1]["text"], pageTexts[0]) << body;
    EXPECT_EQ(sent["data"], recorded);
    EXPECT_EQ(sent["data"][0]["page"], "6");
    EXPECT_EQ(sent["data"][1]["page"], "9");
}

} // namespace
