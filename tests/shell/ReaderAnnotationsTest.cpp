// Annotations in the whole program against the stand-in: every kind of mark
// goes to the service at the return and comes back with the next loan.
#include <QPushButton>
#include <QTextEdit>

#include "annotations/Document.h"
#include "annotations/qt/TFormSticky.h"
#include "tests/reader/qt/MouseGestures.h"
#include "tests/shell/ReaderFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

class ReaderAnnotationsRoundTrip : public ReaderFixture {
protected:
    QPoint at(TPdfControl* v, double fx, double fy) {
        const TRect r = v->GetPageRect();
        return {r.Left + static_cast<int>(fx * r.Width()),
                r.Top + static_cast<int>(fy * r.Height())};
    }
    void tool(const char* name) { control<QToolButton>(name)->click(); }
    Json& document(int tab) {
        return reader().readerState.at(reader().tab(tab).name).AnnotationObject;
    }
    // The blue of a pixel with the overlay shown and hidden.
    std::pair<int, int> blueShownAndHidden(TPdfControl* v, QPoint p) {
        auto* box = control<QCheckBox>("AnnotView");
        if (!box->isChecked())
            box->click();
        const int shown = qBlue(v->grab().toImage().pixel(p));
        box->click();
        const int hidden = qBlue(v->grab().toImage().pixel(p));
        box->click();
        return {shown, hidden};
    }
};

TEST_F(ReaderAnnotationsRoundTrip, EveryMarkIsSentAtTheReturnAndPaintedAgainAtTheNextLoan) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    TPdfControl* v = view(0);
    v->setPageIndex(20);
    v->setScaleMode(TPdfControlScaleMode::smZoom);
    v->setZoomPercentage(50);
    MouseGestures mouse(v);

    tool("btnAnnotRect");
    mouse.drag(at(v, 0.1, 0.6), at(v, 0.4, 0.8));
    tool("btnAnnotPen");
    mouse.drag(at(v, 0.5, 0.6), at(v, 0.9, 0.9));
    TPdfPage* page = v->CurrentPage();
    const TRect text = v->PageToDevice(page->TextRects(0, page->GetCharCount()).front());
    const int mid = (text.Top + text.Bottom) / 2;
    tool("btnAnnotHighlight");
    mouse.drag({text.Left - 2, mid}, {text.Right + 2, mid});
    tool("btnAnnotText");
    mouse.click(at(v, 0.8, 0.3));
    reader().FormSticky().RichEdit1->setPlainText(QStringLiteral("Catatan: ujian ★ besok"));
    reader().FormSticky().btnSaveNotes->click();

    const Json made = document(0);
    ASSERT_EQ(made["data"].size(), 4u);
    ASSERT_FALSE(made["data"][2]["point_data"].empty());

    standin.clearLog();
    returnActiveBook();
    ASSERT_TRUE(waitForCalls("/api/wl/copyText", 1));
    const std::vector<Json> saved = calls("/api/wl/saveAnotasi");
    ASSERT_EQ(saved.size(), 1u);
    const std::string body = saved[0]["body"].get<std::string>();
    EXPECT_NE(body.find("\n\t\"data\""), std::string::npos) << "tabs and line feeds";
    EXPECT_EQ(Json::parse(body), made);

    // The next loan offers the copy and paints it where it was.
    standin.clearLog();
    ASSERT_TRUE(openFromDetail(kLongBook));
    EXPECT_EQ(calls("/api/wl/fileAnotasi/" + std::string(kLongBook)).size(), 1u);
    v = view(reader().activeIndex());
    ASSERT_EQ(v->PageIndex(), 20); // resumed where the book was left
    EXPECT_EQ(document(reader().activeIndex()), made);
    v->setScaleMode(TPdfControlScaleMode::smZoom);
    v->setZoomPercentage(50);
    const auto [shown, hidden] = blueShownAndHidden(v, {text.Left + 1, text.Top + 1});
    EXPECT_NEAR(shown, hidden * 125 / 255, 1); // yellow over the page at 130/255
}

} // namespace
