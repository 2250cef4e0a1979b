#include "annotations/qt/TFormSticky.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

#include <cmath>

#include "annotations/Colours.h"
#include "reader/qt/ColorRef.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/WindowParts.h"

namespace sumberlaras {

namespace {

constexpr int kEditorPixels = 11;

// A note names Tahoma, as other installs of the program do; where the machine
// lacks it, DejaVu Sans shows in its place.
const char* const kNoteFamily = "Tahoma";

QFont editorFont(const FontChoice& choice) {
    QFont f(QString::fromStdString(choice.family));
    f.setFamilies({QString::fromStdString(choice.family), QStringLiteral("DejaVu Sans")});
    return f;
}

} // namespace

TFormSticky::TFormSticky(Dialogs& dialogs, SaveNote save, QWidget* parent)
    : QWidget(parent, Qt::Dialog), dialogs_(dialogs), save_(std::move(save)) {
    setObjectName(QStringLiteral("FormSticky"));
    setWindowTitle(QStringLiteral("My Notes"));
    setAccessibleName(QStringLiteral("My Notes"));
    setFixedSize(346, 228);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAcceptRichText(false); // a note is plain text
    RichEdit1->setGeometry(8, 8, 330, 177);
    RichEdit1->setAccessibleName(QStringLiteral("Catatan"));
    RichEdit1->setStyleSheet(QStringLiteral("QTextEdit { background-color: rgb(243, 242, 188); }"));

    btnSaveNotes = glyphPushButton(this, "btnSaveNotes", 0xF0C7, QStringLiteral("Simpan Catatan"));
    btnSaveNotes->setGeometry(8, 195, 33, 27);
    btnSettings = glyphPushButton(this, "btnSettings", 0xF085, QStringLiteral("Font Settings"));
    btnSettings->setGeometry(305, 195, 33, 27);
    connect(btnSaveNotes, &QPushButton::clicked, this, [this] { btnSaveNotesClick(); });
    connect(btnSettings, &QPushButton::clicked, this, [this] { btnSettingsClick(); });

    // 11 pixels high, as points at the screen's resolution: 8 at 96 dpi.
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
    font_.family = kNoteFamily;
    font_.pointSize = static_cast<int>(std::lround(kEditorPixels * 72.0 / dpi));
    font_.color = annotations::kWindowTextColor;
    QFont f = editorFont(font_);
    f.setPixelSize(kEditorPixels);
    RichEdit1->setFont(f);
}

void TFormSticky::place(const std::string& itemKey, TPdfControl* control) {
    ItemKey = itemKey;
    PDFControl = control;
    RichEdit1->clear();
    if (!isVisible() && screen())
        move(screen()->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    RichEdit1->setFocus();
}

void TFormSticky::bookClosed(const std::string& itemKey) {
    if (itemKey != ItemKey)
        return;
    hide();
    ItemKey.clear();
    PDFControl = nullptr;
}

void TFormSticky::btnSaveNotesClick() {
    try {
        if (!PDFControl)
            throw std::runtime_error("buku catatan ini sudah ditutup");
        annotations::NoteText note;
        note.font = font_.family;
        note.size = font_.pointSize;
        note.fontColor = font_.color;
        note.date = QLocale::system().toString(today_(), QLocale::ShortFormat).toStdString();
        note.text = RichEdit1->toPlainText().toStdString();
        save_(ItemKey, *PDFControl, note);
        hide();
    } catch (const std::exception& e) {
        dialogs_.error(std::string("Adding Sticky Notes Error : ") + e.what());
    }
}

void TFormSticky::btnSettingsClick() {
    if (const std::optional<FontChoice> chosen = dialogs_.chooseFont(font_)) {
        font_ = *chosen;
        applyFont();
    }
}

void TFormSticky::applyFont() {
    // The style shows in the editor; a note stores only name, size and colour.
    QFont f = editorFont(font_);
    f.setPointSize(font_.pointSize > 0 ? font_.pointSize : 8);
    f.setBold(font_.bold);
    f.setItalic(font_.italic);
    f.setUnderline(font_.underline);
    f.setStrikeOut(font_.strikeOut);
    RichEdit1->setFont(f);
    RichEdit1->setStyleSheet(
        QStringLiteral("QTextEdit { background-color: rgb(243, 242, 188); color: %1; }")
            .arg(colorOfRef(font_.color).name()));
}

} // namespace sumberlaras
