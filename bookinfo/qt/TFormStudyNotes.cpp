#include "bookinfo/qt/TFormStudyNotes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "reader/qt/WindowParts.h"

namespace sumberlaras {

using bookinfo::CitationStyle;
using bookinfo::kCitationStyles;

namespace {

template <class W> W* named(W* w, const char* objectName) {
    w->setObjectName(QString::fromLatin1(objectName));
    w->setAccessibleName(w->text());
    return w;
}

} // namespace

TFormStudyNotes::TFormStudyNotes(Export onExport, QWidget* parent)
    : QWidget(parent, Qt::Window), onExport_(std::move(onExport)) {
    setObjectName(QStringLiteral("FormStudyNotes"));
    setWindowTitle(QStringLiteral("Ekspor Catatan Baca"));
    setAccessibleName(windowTitle());
    closeOnEscape(this);

    auto* styleBox = new QGroupBox(QStringLiteral("Daftar Pustaka"), this);
    auto* styleColumn = new QVBoxLayout(styleBox);
    auto* styleGroup = new QButtonGroup(this);
    static const char* const kNames[6] = {"rbMLA", "rbCHG", "rbTRB", "rbAPA", "rbHRV", "rbIEE"};
    for (std::size_t i = 0; i < kCitationStyles.size(); ++i) {
        styles_[i] =
            named(new QRadioButton(QString::fromLatin1(bookinfo::styleCaption(kCitationStyles[i])),
                                   styleBox),
                  kNames[i]);
        styleGroup->addButton(styles_[i]);
        styleColumn->addWidget(styles_[i]);
    }

    auto* formatBox = new QGroupBox(QStringLiteral("Format"), this);
    auto* formatColumn = new QVBoxLayout(formatBox);
    rbHtml = named(new QRadioButton(QStringLiteral("HTML"), formatBox), "rbHtml");
    rbMarkdown = named(new QRadioButton(QStringLiteral("Markdown"), formatBox), "rbMarkdown");
    rbHtml->setChecked(true);
    formatColumn->addWidget(rbHtml);
    formatColumn->addWidget(rbMarkdown);
    formatColumn->addStretch(1);

    auto* includeBox = new QGroupBox(QStringLiteral("Sertakan"), this);
    auto* includeColumn = new QVBoxLayout(includeBox);
    cbHighlights = named(new QCheckBox(QStringLiteral("Sorotan"), includeBox), "cbHighlights");
    cbNotes = named(new QCheckBox(QStringLiteral("Catatan"), includeBox), "cbNotes");
    cbCopies = named(new QCheckBox(QStringLiteral("Kutipan yang disalin"), includeBox), "cbCopies");
    cbMarks =
        named(new QCheckBox(QStringLiteral("Tanda tanpa teks (kotak dan pulpen)"), includeBox),
              "cbMarks");
    for (QCheckBox* c : {cbHighlights, cbNotes, cbCopies, cbMarks}) {
        c->setChecked(true);
        includeColumn->addWidget(c);
    }
    includeColumn->addStretch(1);

    btnExport = named(new QPushButton(QStringLiteral("Ekspor..."), this), "btnExport");
    btnClose = named(new QPushButton(QStringLiteral("Tutup"), this), "btnClose");
    btnExport->setDefault(true);
    connect(btnExport, &QPushButton::clicked, this, [this] { btnExportClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(styleBox);
    boxes->addWidget(formatBox);
    boxes->addWidget(includeBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnExport);
    buttons->addWidget(btnClose);
    auto* column = new QVBoxLayout(this);
    column->addLayout(boxes);
    column->addLayout(buttons);
}

QRadioButton* TFormStudyNotes::styleButton(CitationStyle style) const {
    return styles_[static_cast<std::size_t>(style)];
}

void TFormStudyNotes::showFor(int tabSheet, const reader::TDetailBook& book) {
    TabSheet = tabSheet;
    for (std::size_t i = 0; i < kCitationStyles.size(); ++i) {
        const bool available =
            bookinfo::citationAvailable(bookinfo::citationOf(book, kCitationStyles[i]));
        styles_[i]->setEnabled(available);
        styles_[i]->setChecked(false);
    }
    if (const std::optional<CitationStyle> first = bookinfo::defaultStyle(book))
        styleButton(*first)->setChecked(true);
    setWindowTitle(QStringLiteral("Ekspor Catatan Baca: ") + QString::fromStdString(book.judul));
    show();
    raise();
    activateWindow();
}

void TFormStudyNotes::bookClosed(int tabSheet) {
    if (tabSheet != TabSheet)
        return;
    TabSheet = -1;
    hide();
}

bookinfo::NotesChoice TFormStudyNotes::choice() const {
    bookinfo::NotesChoice c;
    c.withCitation = false;
    for (std::size_t i = 0; i < kCitationStyles.size(); ++i) {
        if (styles_[i]->isChecked() && styles_[i]->isEnabled()) {
            c.style = kCitationStyles[i];
            c.withCitation = true;
        }
    }
    c.format =
        rbMarkdown->isChecked() ? bookinfo::NotesFormat::Markdown : bookinfo::NotesFormat::Html;
    c.highlights = cbHighlights->isChecked();
    c.notes = cbNotes->isChecked();
    c.copies = cbCopies->isChecked();
    c.marks = cbMarks->isChecked();
    return c;
}

void TFormStudyNotes::btnExportClick() {
    if (TabSheet >= 0 && onExport_)
        onExport_(TabSheet, choice());
}

} // namespace sumberlaras
