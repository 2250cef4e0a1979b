// The toolbar of the reader face: its controls, glyphs, hints and group labels.
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "reader/qt/GlyphFont.h"
#include "reader/qt/ReaderFace.h"

namespace sumberlaras {

QToolButton* ReaderFace::glyphButton(QWidget* parent, const char* name, char32_t code,
                                     const char* hint, bool checkable) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(glyph(code));
    b->setFont(glyphFont(16));
    b->setFixedSize(30, 30);
    b->setAutoRaise(true);
    b->setToolTip(QString::fromUtf8(hint));
    // A screen reader speaks the hint, never the glyph.
    b->setAccessibleName(QString::fromUtf8(hint));
    b->setCheckable(checkable);
    b->setFocusPolicy(Qt::TabFocus);
    setModeButton(b, false);
    return b;
}

void ReaderFace::setModeButton(QToolButton* b, bool on) {
    b->setStyleSheet(on ? QStringLiteral("QToolButton { color: rgb(211, 208, 6); }")
                        : QStringLiteral("QToolButton { color: black; }"));
    if (b->isCheckable())
        b->setChecked(on);
}

QWidget* ReaderFace::group(QWidget* bar, const char* label,
                           std::initializer_list<QWidget*> controls) {
    auto* box = new QWidget(bar);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(6, 2, 6, 2);
    column->setSpacing(1);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    for (QWidget* c : controls) {
        c->setParent(box);
        row->addWidget(c);
    }
    column->addLayout(row);
    auto* caption = new QLabel(QString::fromUtf8(label), box);
    caption->setAlignment(Qt::AlignHCenter);
    QFont small = caption->font();
    small.setPixelSize(11);
    caption->setFont(small);
    column->addWidget(caption);
    return box;
}

void ReaderFace::buildToolbar(QWidget* bar) {
    btnPrevious = glyphButton(bar, "btnPrevious", 0xF060, "Ke Halaman Sebelumnya", false);
    edPage = new QLineEdit(bar);
    edPage->setObjectName(QStringLiteral("edPage"));
    edPage->setAlignment(Qt::AlignCenter);
    edPage->setReadOnly(true); // a display: typing changes nothing
    edPage->setFixedWidth(80);
    edPage->setAccessibleName(QStringLiteral("Navigasi Halaman"));
    btnNext = glyphButton(bar, "btnNext", 0xF061, "Ke Halaman Selanjutnya", false);

    cmbZoom = new QComboBox(bar);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->addItems({QStringLiteral("Default"), QStringLiteral("Fith Width"),
                       QStringLiteral("100%"), QStringLiteral("200%")});
    cmbZoom->setCurrentIndex(0);
    cmbZoom->setToolTip(QStringLiteral("Ubah Perbesaran Halaman"));
    cmbZoom->setAccessibleName(QStringLiteral("Ubah Perbesaran Halaman"));

    CheckAutoPage = new QCheckBox(QStringLiteral("Otomatis"), bar);
    CheckAutoPage->setObjectName(QStringLiteral("CheckAutoPage"));
    CheckAutoPage->setToolTip(QStringLiteral("Scroll Untuk Berpindah Halaman"));
    CheckAutoPage->setAccessibleName(QStringLiteral("Otomatis"));

    btnTextSelect = glyphButton(bar, "btnTextSelect", 0xF246, "Aktifkan Pemilihan Teks", true);

    btnAnnotHighlight =
        glyphButton(bar, "btnAnnotHighlight", U'H', "Aktifkan Mode Highlight", true);
    QFont times(QStringLiteral("Times New Roman"));
    times.setPixelSize(18);
    times.setBold(true);
    btnAnnotHighlight->setFont(times);
    btnAnnotRect = glyphButton(bar, "btnAnnotRect", 0xF247, "Aktifkan Anotasi Kotak", true);
    btnAnnotPen = glyphButton(bar, "btnAnnotPen", 0xF303, "Aktifkan Anotasi Pulpen", true);
    btnAnnotText = glyphButton(bar, "btnAnnotText", 0xF27A, "Aktifkan Anotasi Komentar", true);
    btnAnnotDelete =
        glyphButton(bar, "btnAnnotDelete", 0xF2ED,
                    "Hapus Anotasi Yang Telah Dibuat ( Dobel Klik Pada Anotasi)", true);
    btnAnnotSettings = glyphButton(bar, "btnAnnotSettings", 0xF013, "Setting Warna Anotasi", false);
    AnnotView = new QCheckBox(QStringLiteral("Tampilkan Anotasi"), bar);
    AnnotView->setObjectName(QStringLiteral("AnnotView"));
    AnnotView->setToolTip(QStringLiteral("Tampil / Sembunyikan Anotasi"));
    AnnotView->setAccessibleName(QStringLiteral("Tampilkan Anotasi"));

    edSearch = new QLineEdit(bar);
    edSearch->setObjectName(QStringLiteral("edSearch"));
    edSearch->setFixedWidth(160);
    edSearch->setToolTip(QStringLiteral("Lakukan Pencarian Kata"));
    edSearch->setAccessibleName(QStringLiteral("Lakukan Pencarian Kata"));
    btnSearchPrevious =
        glyphButton(bar, "btnSearchPrevious", 0xF104, "Pencarian Sebelumnya", false);
    btnSearchNext = glyphButton(bar, "btnSearchNext", 0xF105, "Pencarian Berikutnya", false);

    btnInfo = glyphButton(bar, "btnInfo", 0xF129, "Info Buku dan Daftar Pustaka", false);
    btnExportNotes = glyphButton(bar, "btnExportNotes", 0xF56E, "Ekspor Catatan Baca", false);
    btnReturn = glyphButton(bar, "btnReturn", 0xF00C, "Tutup Buku Dan Kembalikan Ke Rak", false);

    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);
    row->addWidget(group(bar, "Navigasi Halaman", {btnPrevious, edPage, btnNext}));
    row->addWidget(group(bar, "Zoom", {cmbZoom}));
    // On Linux a screen reader names a combo box by the label it is the buddy
    // of (its own name is the item shown); this label is only for that.
    auto* zoomName = new QLabel(QStringLiteral("Ubah Perbesaran Halaman"), cmbZoom->parentWidget());
    zoomName->setBuddy(cmbZoom);
    zoomName->hide();
    row->addWidget(group(bar, "Scroll Mode", {CheckAutoPage}));
    row->addWidget(group(bar, "Pilih Teks", {btnTextSelect}));
    row->addWidget(group(bar, "Anotasi",
                         {btnAnnotHighlight, btnAnnotRect, btnAnnotPen, btnAnnotText,
                          btnAnnotDelete, btnAnnotSettings, AnnotView}));
    row->addWidget(group(bar, "Pencarian", {edSearch, btnSearchPrevious, btnSearchNext}));
    row->addWidget(group(bar, "Info Buku", {btnInfo, btnExportNotes}));
    row->addWidget(group(bar, "Selesai Baca", {btnReturn}));
    // Returns not yet through, and a return the service refused.
    lblPending = new QLabel(bar);
    lblPending->setObjectName(QStringLiteral("lblPending"));
    lblPending->hide();
    lblNotice = new QLabel(bar);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    lblNotice->setTextFormat(Qt::PlainText); // the service's message
    lblNotice->setWordWrap(true);
    lblNotice->setMaximumWidth(320);
    lblNotice->hide();
    row->addWidget(lblPending);
    row->addWidget(lblNotice);
    row->addStretch(1);

    connect(btnNext, &QToolButton::clicked, this, [this] { btnNextClick(); });
    connect(btnPrevious, &QToolButton::clicked, this, [this] { btnPreviousClick(); });
    connect(cmbZoom, &QComboBox::activated, this, [this](int item) { cmbZoomChange(item); });
    connect(CheckAutoPage, &QCheckBox::clicked, this,
            [this] { ButtonAnnotClick(ToolControl::AutoPage); });
    connect(AnnotView, &QCheckBox::clicked, this,
            [this] { ButtonAnnotClick(ToolControl::AnnotView); });
    const std::pair<QToolButton*, ToolControl> modes[] = {
        {btnTextSelect, ToolControl::TextSelect}, {btnAnnotHighlight, ToolControl::Highlight},
        {btnAnnotRect, ToolControl::Rect},        {btnAnnotPen, ToolControl::Pen},
        {btnAnnotText, ToolControl::Text},        {btnAnnotDelete, ToolControl::Delete}};
    for (const auto& [button, control] : modes) {
        const ToolControl c = control;
        connect(button, &QToolButton::clicked, this, [this, c] { ButtonAnnotClick(c); });
    }
    connect(edSearch, &QLineEdit::textChanged, this, [this] { edSearchChange(); });
    // Enter in a filled box searches on, as the next button does.
    connect(edSearch, &QLineEdit::returnPressed, this, [this] {
        if (!edSearch->text().isEmpty())
            btnSearchNextClick();
    });
    connect(btnSearchNext, &QToolButton::clicked, this, [this] { btnSearchNextClick(); });
    connect(btnSearchPrevious, &QToolButton::clicked, this, [this] { btnSearchPreviousClick(); });
    connect(btnInfo, &QToolButton::clicked, this, [this] { btnInfoClick(); });
    connect(btnExportNotes, &QToolButton::clicked, this, [this] { btnExportNotesClick(); });
    connect(btnAnnotSettings, &QToolButton::clicked, this, [this] { btnAnnotSettingsClick(); });
    connect(btnReturn, &QToolButton::clicked, this, [this] { btnReturnClick(); });
}

} // namespace sumberlaras
