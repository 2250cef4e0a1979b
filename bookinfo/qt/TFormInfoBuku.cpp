#include "bookinfo/qt/TFormInfoBuku.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "reader/qt/WindowParts.h"

namespace sumberlaras {

using bookinfo::CitationStyle;
using bookinfo::kCitationStyles;

namespace {

const char* const kLabels[6] = {"  Judul", "  Penulis",      "  Penerbit",
                                "  ISBN",  "  Tahun Terbit", "  Kategori"};
const char* const kValueNames[6] = {"panelJudul", "panelPenulis", "panelPenerbit",
                                    "panelISBN",  "panelTahun",   "panelKategori"};
const char* const kButtonNames[6] = {"btnMLA", "btnCHG", "btnTRB", "btnAPA", "btnHRV", "btnIEE"};

QLabel* panel(QWidget* parent, const QString& text, const char* colour) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText); // service text is never markup here
    l->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: black; }")
                         .arg(QLatin1String(colour)));
    l->setMinimumHeight(24);
    return l;
}

} // namespace

TFormInfoBuku::TFormInfoBuku(Dialogs& dialogs, OpenFile openFile, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), dialogs_(dialogs),
      openFile_(std::move(openFile)) {
    if (!openFile_)
        openFile_ = [](const QString& path) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        };
    setObjectName(QStringLiteral("FormInfoBuku"));
    setWindowTitle(QStringLiteral("Info Buku"));
    setAccessibleName(QStringLiteral("Info Buku"));
    setFixedSize(679, 347);
    QFont face(QStringLiteral("Segoe UI"));
    face.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans")});
    face.setPixelSize(13);
    setFont(face);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(149, 165, 166));
    setPalette(pal);

    const TitleBar top =
        blackTitleBar(this, QStringLiteral("Info Buku"), {"PanelTitle", 30, 28, 16, true});
    closeOnEscape(this);
    titleBar_ = top.bar;
    btnClose = top.close;
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(1, 1);
    for (int row = 0; row < 6; ++row) {
        QLabel* label = panel(this, QString::fromLatin1(kLabels[row]), "silver");
        label->setFixedWidth(130);
        QLabel* value = panel(this, QString(), "rgb(223, 223, 223)");
        value->setObjectName(QString::fromLatin1(kValueNames[row]));
        // Long titles are cut, not wrapped out of the fixed window.
        value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        label->setBuddy(value);
        grid->addWidget(label, row, 0);
        grid->addWidget(value, row, 1);
        values_[static_cast<size_t>(row)] = value;
    }

    auto* section = new QLabel(QStringLiteral("Daftar Pustaka"), this);
    section->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: black; }"));
    auto* buttons = new QGridLayout;
    buttons->setSpacing(6);
    for (size_t i = 0; i < kCitationStyles.size(); ++i) {
        auto* b = new QPushButton(
            QString::fromLatin1(bookinfo::styleCaption(bookinfo::kCitationStyles[i])), this);
        b->setObjectName(QString::fromLatin1(kButtonNames[i]));
        b->setMinimumHeight(28);
        const CitationStyle style = kCitationStyles[i];
        connect(b, &QPushButton::clicked, this, [this, style] { btnClick(style); });
        buttons->addWidget(b, static_cast<int>(i / 3), static_cast<int>(i % 3));
        buttons_[i] = b;
    }

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 10, 12, 12);
    body->setSpacing(8);
    body->addLayout(grid);
    body->addWidget(section);
    body->addLayout(buttons);
    body->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(titleBar_);
    column->addLayout(body, 1);
}

QPushButton* TFormInfoBuku::button(CitationStyle style) const {
    return buttons_[static_cast<size_t>(style)];
}

void TFormInfoBuku::showFor(int tabSheet, const reader::TDetailBook& book) {
    TabSheet = tabSheet;
    FormShow(book);
    if (!isVisible() && screen()) {
        const QRect area = screen()->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void TFormInfoBuku::bookClosed(int tabSheet) {
    if (tabSheet != TabSheet)
        return;
    close();
    TabSheet = -1;
}

void TFormInfoBuku::FormShow(const reader::TDetailBook& book) {
    try {
        const std::array<std::string, 6> shown = bookinfo::infoPanelValues(book);
        for (size_t row = 0; row < shown.size(); ++row) {
            values_[row]->setText(QString::fromStdString(shown[row]));
            values_[row]->setToolTip(QString::fromStdString(shown[row]).trimmed());
            values_[row]->setAccessibleName(QString::fromLatin1(kLabels[row]).trimmed() +
                                            QStringLiteral(": ") +
                                            QString::fromStdString(shown[row]).trimmed());
        }
        for (size_t i = 0; i < kCitationStyles.size(); ++i) {
            const std::string& text = bookinfo::citationOf(book, kCitationStyles[i]);
            const bool available = bookinfo::citationAvailable(text);
            buttons_[i]->setEnabled(available);
            citations_[i] = available ? text : std::string();
        }
    } catch (const std::exception& e) {
        dialogs_.error(std::string("Error When Saving : ") + e.what());
    }
}

void TFormInfoBuku::btnClick(CitationStyle style) {
    const std::optional<std::string> chosen =
        dialogs_.saveFileName(SaveFileQuestion{"html", "HTML File|*.html"});
    if (!chosen)
        return;
    const QString path = QFileInfo(QString::fromStdString(*chosen)).absoluteFilePath();
    try {
        bookinfo::writeCitationFile(path.toStdString(), citations_[static_cast<size_t>(style)]);
    } catch (const std::exception& e) {
        dialogs_.error(std::string("Error When Saving : ") + e.what());
        return;
    }
    dialogs_.information("Berhasil Disimpan Di : " + path.toStdString());
    openFile_(path);
}

} // namespace sumberlaras
