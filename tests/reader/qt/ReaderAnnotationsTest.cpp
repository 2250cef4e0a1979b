#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "annotations/Document.h"
#include "annotations/qt/TFormAnnotSettings.h"
#include "annotations/qt/TFormNotes.h"
#include "annotations/qt/TFormSticky.h"
#include "tests/reader/qt/FaceFixture.h"
#include "tests/reader/qt/MouseGestures.h"

namespace sumberlaras::testing {
namespace {

class ReaderAnnotations : public FaceFixture {
protected:
    void SetUp() override {
        tab = open("42", toolsBookPdf());
        v = view(tab);
        zoom(50);
    }

    // A small page in the middle of the view, with room around it.
    void zoom(int percent) {
        v->setScaleMode(TPdfControlScaleMode::smZoom);
        v->setZoomPercentage(percent);
        QApplication::processEvents();
    }
    TRect page() const { return v->GetPageRect(); }
    QPoint at(double fx, double fy) const {
        const TRect r = page();
        return {r.Left + static_cast<int>(fx * r.Width()),
                r.Top + static_cast<int>(fy * r.Height())};
    }

    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { mouse().press(p, b); }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton) { mouse().release(p, b); }
    void drag(QPoint from, QPoint to) { mouse().drag(from, to); }
    void doubleClick(QPoint p) { mouse().doubleClick(p); }
    MouseGestures mouse() const { return MouseGestures(v); }

    reader::TReaderSettings& record() { return face->readerState.at(face->tab(tab).name); }
    Json& data() { return annotations::items(record().AnnotationObject); }
    static std::vector<std::string> members(const Json& item) {
        std::vector<std::string> names;
        for (const auto& [name, value] : item.items())
            names.push_back(name);
        return names;
    }
    QToolButton* button(const char* name) const { return control<QToolButton>(name); }
    QCheckBox* annotView() const { return control<QCheckBox>("AnnotView"); }
    void showOverlay(bool on) {
        if (annotView()->isChecked() != on)
            annotView()->click();
    }
    QImage frame() const { return v->grab().toImage(); }

    // The device rectangle of the shown page's text.
    TRect textRect() const {
        TPdfPage* p = v->CurrentPage();
        const std::vector<TPdfRect> rects = p->TextRects(0, p->GetCharCount());
        return v->PageToDevice(rects.front());
    }

    // Places a note at `p` and saves it with `text`.
    void placeNote(QPoint p, const QString& text) {
        click("btnAnnotText");
        press(p);
        release(p);
        face->FormSticky().RichEdit1->setPlainText(text);
        face->FormSticky().btnSaveNotes->click();
    }

    int tab = 0;
    TPdfControl* v = nullptr;
};

TEST_F(ReaderAnnotations, EachToolMakesItsItemAndSwitchesItselfOff) {
    const struct {
        const char* button;
        std::vector<std::string> members;
        const char* type;
    } cases[] = {
        {"btnAnnotRect", {"page", "type", "color", "point"}, "RECTANGLE"},
        {"btnAnnotPen", {"page", "type", "color", "point", "draw_data"}, "INK"},
        {"btnAnnotHighlight", {"page", "type", "color", "point"}, "HIGHLIGHT"},
    };
    std::size_t count = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        click(c.button);
        EXPECT_TRUE(button(c.button)->isChecked());
        EXPECT_TRUE(annotView()->isChecked()); // the tool shows the overlay
        drag(at(0.5, 0.6), at(0.7, 0.8));
        ASSERT_EQ(data().size(), ++count);
        const Json& item = data().back();
        EXPECT_EQ(members(item), c.members);
        EXPECT_EQ(item["type"], c.type);
        EXPECT_EQ(item["page"], 0);
        EXPECT_FALSE(button(c.button)->isChecked());
        EXPECT_FALSE(v->AllowUserTextSelection());
    }
    // The rectangle's box is the page image of press and release, unsorted.
    const TPdfPoint a = v->DeviceToPage(at(0.5, 0.6).x(), at(0.5, 0.6).y());
    const TPdfPoint b = v->DeviceToPage(at(0.7, 0.8).x(), at(0.7, 0.8).y());
    EXPECT_EQ(data()[0]["point"],
              (Json{{"left", a.X}, {"top", a.Y}, {"right", b.X}, {"bottom", b.Y}}));
    EXPECT_EQ(data()[0]["color"], 255);
    EXPECT_EQ(data()[1]["color"], 16711680);
    EXPECT_EQ(data()[1]["draw_data"].size(), 4u);
    EXPECT_EQ(data()[2]["color"], 65535);

    // The note tool opens the sticky window and adds nothing until it is saved.
    click("btnAnnotText");
    press(at(0.2, 0.2));
    release(at(0.2, 0.2));
    EXPECT_TRUE(face->FormSticky().isVisible());
    EXPECT_FALSE(button("btnAnnotText")->isChecked());
    EXPECT_EQ(data().size(), count);
}

TEST_F(ReaderAnnotations, AGestureStartsOnlyWithinThePagesWidth) {
    const TRect r = page();
    ASSERT_GT(r.Top, 10) << "the page needs room above it";
    click("btnAnnotRect");
    drag({r.Left - 5, r.Top + 20}, at(0.5, 0.5)); // beside the page: nothing starts
    EXPECT_TRUE(data().empty());
    EXPECT_TRUE(button("btnAnnotRect")->isChecked());
    drag({r.Left + 20, r.Top - 5}, at(0.5, 0.5)); // above it: a rectangle
    EXPECT_EQ(data().size(), 1u);

    click("btnAnnotRect");
    drag(at(0.5, 0.5), {r.Right + 10, r.Top + 40}); // released beside the page
    EXPECT_EQ(data().size(), 1u);
    EXPECT_TRUE(button("btnAnnotRect")->isChecked());
    EXPECT_TRUE(face->gesture().isDragging);
}

TEST_F(ReaderAnnotations, AHighlightWithoutTextPaintsNothingAndCanBeDeleted) {
    click("btnAnnotHighlight");
    drag(at(0.5, 0.7), at(0.8, 0.9)); // no text down there
    ASSERT_EQ(data().size(), 1u);
    EXPECT_EQ(members(data()[0]), (std::vector<std::string>{"page", "type", "color", "point"}));
    v->Repaint();
    const QImage withMark = frame();
    showOverlay(false);
    EXPECT_EQ(frame(), withMark);
    showOverlay(true);

    click("btnAnnotDelete");
    dialogs.answerNext(DialogAnswer::Cancel);
    doubleClick(at(0.6, 0.8));
    EXPECT_EQ(data().size(), 1u);
    dialogs.answerNext(DialogAnswer::Ok);
    doubleClick(at(0.6, 0.8));
    EXPECT_TRUE(data().empty());
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Hapus Anotasi?", "Hapus Anotasi?"}));
    // The delete mode stays on.
    EXPECT_TRUE(button("btnAnnotDelete")->isChecked());
}

TEST_F(ReaderAnnotations, TheLiveHighlightIsBlendedAt127AndRepaintedAt130) {
    zoom(100);
    const TRect text = textRect();
    click("btnAnnotHighlight");
    const int mid = (text.Top + text.Bottom) / 2;
    drag({text.Left - 3, mid}, {text.Right + 3, mid});
    ASSERT_EQ(data().size(), 1u);
    ASSERT_FALSE(data()[0]["point_data"].empty());
    // A pixel of the mark that no glyph covers: the blue of what lies under it
    // is scaled by 128/255 live and by 125/255 repainted.
    const QPoint probe(text.Left + 1, text.Top + 1);
    const QRgb live = frame().pixel(probe);
    showOverlay(false);
    const QRgb under = frame().pixel(probe);
    showOverlay(true);
    const QRgb painted = frame().pixel(probe);
    EXPECT_NEAR(qBlue(live), qBlue(under) * 128 / 255, 1);
    EXPECT_NEAR(qBlue(painted), qBlue(under) * 125 / 255, 1);
    EXPECT_NEAR(qRed(painted), qRed(under) + (255 - qRed(under)) * 130 / 255, 1);
}

TEST_F(ReaderAnnotations, TheNoteIconKeepsItsSizeAtEveryZoom) {
    placeNote(at(0.1, 0.1), QStringLiteral("Catatan"));
    ASSERT_EQ(data().size(), 1u);
    const QImage icon = face->NoteAnnotationImage;
    ASSERT_EQ(icon.size(), QSize(48, 48));
    for (int percent : {50, 200}) {
        SCOPED_TRACE(percent);
        zoom(percent);
        showOverlay(true);
        const QImage shown = frame();
        showOverlay(false);
        const QImage bare = frame();
        QRect changed;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != bare.pixel(x, y))
                    changed |= QRect(x, y, 1, 1);
        EXPECT_EQ(changed.size(), QSize(48, 48));
        const Json& box = data()[0]["point"];
        const TPoint corner = v->PageToDevice(box["left"].get<double>(), box["top"].get<double>());
        ASSERT_TRUE(v->rect().contains(corner.X + 48, corner.Y + 48));
        EXPECT_EQ(changed.topLeft(), QPoint(corner.X, corner.Y));
    }
}

TEST_F(ReaderAnnotations, WithTheOverlayHiddenNothingIsPaintedOrFound) {
    click("btnAnnotRect");
    drag(at(0.2, 0.2), at(0.6, 0.6));
    click("btnAnnotDelete");
    showOverlay(false);
    EXPECT_FALSE(record().CurrentAnnotViewState);
    const QImage hidden = frame();
    doubleClick(at(0.4, 0.4));
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(data().size(), 1u);
    press(at(0.4, 0.4));
    release(at(0.4, 0.4)); // a click outlines nothing
    EXPECT_EQ(frame(), hidden);
    showOverlay(true);
    EXPECT_NE(frame(), hidden);
    // Deleted, the mark is gone from the next paint.
    dialogs.answerNext(DialogAnswer::Ok);
    doubleClick(at(0.4, 0.4));
    EXPECT_TRUE(data().empty());
    EXPECT_EQ(frame(), hidden);
}

TEST_F(ReaderAnnotations, ANoteIsSavedWithItsFontAndOpenedAndDeletedInTheViewer) {
    face->FormSticky().setToday([] { return QDate(2026, 12, 10); });
    placeNote(at(0.3, 0.3), QStringLiteral("Baca lagi\nbab dua"));
    ASSERT_EQ(data().size(), 1u);
    const Json note = data()[0];
    EXPECT_EQ(members(note),
              (std::vector<std::string>{"page", "type", "note_id", "color", "font", "size",
                                        "font_color", "date", "text", "point"}));
    EXPECT_EQ(note["font"], "Tahoma");
    EXPECT_EQ(note["size"], 8);
    EXPECT_EQ(note["font_color"], -16777208);
    EXPECT_EQ(note["color"], 374470);
    EXPECT_EQ(note["text"], "Baca lagi\nbab dua");
    EXPECT_EQ(note["date"],
              QLocale::system().toString(QDate(2026, 12, 10), QLocale::ShortFormat).toStdString());
    EXPECT_FALSE(face->FormSticky().isVisible());
    // Repainted where it was placed, from the document.
    v->Repaint();
    const QImage withNote = frame();
    showOverlay(false);
    const QImage bare = frame();
    showOverlay(true);
    EXPECT_NE(withNote, bare);

    // The delete mode opens a note and deletes nothing.
    click("btnAnnotDelete");
    doubleClick(at(0.3, 0.3) + QPoint(10, 10));
    TFormNotes& viewer = face->FormNotes();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(viewer.RichEdit1->toPlainText(), QStringLiteral("Baca lagi\nbab dua"));
    EXPECT_EQ(viewer.Label1->text().toStdString(), note["date"]);

    dialogs.answerNext(DialogAnswer::Cancel);
    viewer.Button2->click();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(data().size(), 1u);

    // An item made before it moves the note; the viewer finds it again.
    click("btnAnnotDelete");
    click("btnAnnotRect");
    drag(at(0.6, 0.6), at(0.7, 0.7));
    data().insert(data().begin(), data().back());
    data().erase(data().end() - 1);
    dialogs.answerNext(DialogAnswer::Ok);
    viewer.Button2->click();
    EXPECT_FALSE(viewer.isVisible());
    ASSERT_EQ(data().size(), 1u);
    EXPECT_EQ(data()[0]["type"], "RECTANGLE");
    // The note is gone from the page too.
    const QRect icon(at(0.3, 0.3), QSize(48, 48));
    const QImage after = frame();
    showOverlay(false);
    EXPECT_EQ(after.copy(icon), frame().copy(icon));
    EXPECT_NE(withNote.copy(icon), bare.copy(icon));
}

TEST_F(ReaderAnnotations, ANoteThatIsGoneIsNotDeletedAndTheViewerSaysSo) {
    placeNote(at(0.3, 0.3), QStringLiteral("Satu"));
    doubleClick(at(0.3, 0.3) + QPoint(10, 10));
    ASSERT_TRUE(face->FormNotes().isVisible());
    data().clear();
    placeNote(at(0.5, 0.5), QStringLiteral("Dua"));
    dialogs.answerNext(DialogAnswer::Ok);
    face->FormNotes().Button2->click();
    EXPECT_EQ(data().size(), 1u);
    EXPECT_EQ(dialogs.shown().back().kind, DialogKind::Information);
}

TEST_F(ReaderAnnotations, TheNoteWindowsCloseWhenTheirBookGoesBack) {
    placeNote(at(0.3, 0.3), QStringLiteral("Satu"));
    doubleClick(at(0.3, 0.3) + QPoint(10, 10));
    click("btnAnnotText");
    press(at(0.6, 0.6));
    release(at(0.6, 0.6));
    ASSERT_TRUE(face->FormSticky().isVisible());
    ASSERT_TRUE(face->FormNotes().isVisible());
    dialogs.answerNext(DialogAnswer::Yes);
    click("btnReturn");
    tasks.finishAll();
    EXPECT_FALSE(face->FormSticky().isVisible());
    EXPECT_FALSE(face->FormNotes().isVisible());
    // Nothing is saved into whatever opens in that tab next.
    face->FormSticky().btnSaveNotes->click();
    EXPECT_EQ(dialogs.shown().back().text.rfind("Adding Sticky Notes Error : ", 0), 0u);
}

TEST_F(ReaderAnnotations, ColoursChangeForNewMarksOnly) {
    TFormAnnotSettings& settings = face->FormAnnotSettings();
    click("btnAnnotSettings");
    EXPECT_TRUE(settings.isVisible());
    dialogs.answerColor(0x00FF00);
    settings.colorButton(TFormAnnotSettings::Rectangle)->click();
    EXPECT_EQ(dialogs.colorQuestions(), (std::vector<uint32_t>{0x0000FF}));
    dialogs.answerColor(0x123456);
    settings.colorButton(TFormAnnotSettings::Highlighter)->click();
    click("btnAnnotRect");
    drag(at(0.2, 0.2), at(0.3, 0.3));
    click("btnAnnotHighlight");
    drag(at(0.5, 0.7), at(0.8, 0.9));
    EXPECT_EQ(data()[0]["color"], 0x00FF00);
    EXPECT_EQ(data()[1]["color"], 0x00FFFF); // until "Simpan"
    settings.btnSimpan->click();
    EXPECT_FALSE(settings.isVisible());
    EXPECT_EQ(face->colours().clHighlighter, 0x123456u);
    EXPECT_EQ(data()[0]["color"], 0x00FF00); // made items keep theirs
}

TEST_F(ReaderAnnotations, SimpanWithoutPickingTakesTheDesignColours) {
    click("btnAnnotSettings");
    face->FormAnnotSettings().btnSimpan->click();
    EXPECT_EQ(face->colours().clPen, 0x0000FFu);        // red
    EXPECT_EQ(face->colours().clHighlighter, 7727856u); // RGB 240, 234, 117
    EXPECT_EQ(face->colours().clRectangle, 0x0000FFu);
}

// Every control of a window, with the name a screen reader speaks for it.
void namesOf(QAccessibleInterface* iface, QStringList& out) {
    if (!iface || iface->state().invisible)
        return;
    switch (iface->role()) {
    case QAccessible::Button:
    case QAccessible::EditableText:
    case QAccessible::CheckBox:
        out << iface->text(QAccessible::Name);
        break;
    default:
        break;
    }
    for (int i = 0; i < iface->childCount(); ++i)
        namesOf(iface->child(i), out);
}

TEST_F(ReaderAnnotations, TheNoteAndColourWindowsSpeakEveryControl) {
    placeNote(at(0.3, 0.3), QStringLiteral("Satu"));
    doubleClick(at(0.3, 0.3) + QPoint(10, 10));
    face->FormSticky().place(face->tab(tab).name, v);
    click("btnAnnotSettings");
    const struct {
        QWidget* window;
        QStringList names;
    } cases[] = {
        {&face->FormSticky(),
         {QStringLiteral("Catatan"), QStringLiteral("Simpan Catatan"),
          QStringLiteral("Font Settings")}},
        {&face->FormNotes(),
         {QStringLiteral("Hapus Catatan"), QStringLiteral("Tutup"), QStringLiteral("Isi catatan")}},
        {&face->FormAnnotSettings(),
         {QStringLiteral("Tutup"), QStringLiteral("Pilih Warna Highlighter"),
          QStringLiteral("Pilih Warna Rectangle"), QStringLiteral("Pilih Warna Pen Ink"),
          QStringLiteral("Simpan")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window->objectName().toStdString());
        ASSERT_TRUE(c.window->isVisible());
        QStringList names;
        namesOf(QAccessible::queryAccessibleInterface(c.window), names);
        EXPECT_EQ(names, c.names);
    }
}

} // namespace
} // namespace sumberlaras::testing
