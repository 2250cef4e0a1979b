#include "annotations/qt/TFormNotes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "annotations/Colours.h"
#include "annotations/Document.h"
#include "reader/qt/ColorRef.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/WindowParts.h"

namespace sumberlaras {

TFormNotes::TFormNotes(Dialogs& dialogs, DeleteNote deleteNote, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), dialogs_(dialogs),
      delete_(std::move(deleteNote)) {
    setObjectName(QStringLiteral("FormNotes"));
    setWindowTitle(QStringLiteral("Catatan"));
    setAccessibleName(QStringLiteral("Catatan"));
    setFixedSize(372, 297);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(243, 242, 188));
    setPalette(pal);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(41);
    panel->setStyleSheet(QStringLiteral("#Panel1 { background-color: rgb(240, 234, 117); }"));
    new TitleBarDrag(panel);
    closeOnEscape(this);
    Label1 = new QLabel(QStringLiteral("Note Date"), panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    QFont segoe(QStringLiteral("Segoe UI"));
    segoe.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans")});
    segoe.setPixelSize(13);
    Label1->setFont(segoe);
    Label1->move(19, 14);
    Label1->setFixedWidth(260);
    Button2 = glyphPushButton(panel, "Button2", 0xF1F8, QStringLiteral("Hapus Catatan"));
    Button2->setGeometry(289, 8, 33, 25);
    Button1 = glyphPushButton(panel, "Button1", 0xF00D, QStringLiteral("Tutup"));
    Button1->setGeometry(328, 8, 33, 25);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    // Nothing typed here would be kept, so nothing can be typed.
    RichEdit1->setReadOnly(true);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setAccessibleName(QStringLiteral("Isi catatan"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(panel);
    column->addWidget(RichEdit1, 1);
}

void TFormNotes::showNote(const std::string& key, std::size_t position, TPdfControl* control,
                          const Json& item) {
    using annotations::readInt;
    using annotations::readString;
    Key = key;
    IndexArray = position;
    PDFControl = control;
    NoteId = readString(item, "note_id");
    item_ = item;

    QFont f(QString::fromStdString(readString(item, "font")));
    const int size = readInt(item, "size").value_or(0);
    f.setPointSize(size > 0 ? size : 8);
    RichEdit1->setFont(f);
    RichEdit1->setStyleSheet(
        QStringLiteral("QTextEdit { background-color: rgb(243, 242, 188); color: %1; }")
            .arg(colorOfRef(readInt(item, "font_color").value_or(annotations::kWindowTextColor))
                     .name()));
    RichEdit1->setPlainText(QString::fromStdString(readString(item, "text")));
    Label1->setText(QString::fromStdString(readString(item, "date")));

    if (!isVisible() && screen())
        move(screen()->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

void TFormNotes::bookClosed(const std::string& key) {
    if (key != Key)
        return;
    close();
    Key.clear();
    PDFControl = nullptr;
}

void TFormNotes::Button2Click() {
    if (!dialogs_.confirm("Hapus Catatan Ini?", DialogButtons::OkCancel))
        return;
    const bool deleted = delete_ && delete_(Key, IndexArray, item_);
    close();
    if (!deleted)
        dialogs_.information("Catatan ini sudah tidak ada; tidak ada yang dihapus.");
}

} // namespace sumberlaras
