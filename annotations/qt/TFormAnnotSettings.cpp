#include "annotations/qt/TFormAnnotSettings.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "reader/qt/ColorRef.h"
#include "reader/qt/WindowParts.h"

namespace sumberlaras {

namespace {

const char* const kLabels[3] = {"Highlighter", "Rectangle", "Pen Ink"};
const char* const kShapeNames[3] = {"shapeHighlighter", "shapeRectangle", "shapeInk"};
const char* const kButtonNames[3] = {"btnColorHighlighter", "btnColorRectangle", "btnColorPen"};

} // namespace

TFormAnnotSettings::TFormAnnotSettings(annotations::ToolColours& colours, Dialogs& dialogs,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), colours_(colours), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormAnnotSettings"));
    setWindowTitle(QStringLiteral("Pilihan Warna"));
    setAccessibleName(QStringLiteral("Pilihan Warna"));
    setFixedSize(235, 202);
    QFont segoe(QStringLiteral("Segoe UI"));
    segoe.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans")});
    segoe.setPixelSize(12);
    setFont(segoe);

    const TitleBar top =
        blackTitleBar(this, QStringLiteral("Pilihan Warna"), {"Panel1", 27, 25, 14});
    closeOnEscape(this);
    QWidget* panel = top.bar;
    btnClose = top.close;
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });

    auto* grid = new QGridLayout;
    grid->setContentsMargins(10, 10, 10, 6);
    grid->setVerticalSpacing(6);
    for (int row = 0; row < 3; ++row) {
        const Row r = static_cast<Row>(row);
        auto* label = new QLabel(QString::fromLatin1(kLabels[row]), this);
        auto* shape = new QFrame(this);
        shape->setObjectName(QString::fromLatin1(kShapeNames[row]));
        shape->setFixedSize(32, 32);
        shape->setFrameShape(QFrame::Box);
        shape->setAutoFillBackground(true);
        auto* button = new QPushButton(QStringLiteral("..."), this);
        button->setObjectName(QString::fromLatin1(kButtonNames[row]));
        button->setFixedWidth(32);
        button->setAccessibleName(QStringLiteral("Pilih Warna ") +
                                  QString::fromLatin1(kLabels[row]));
        button->setToolTip(button->accessibleName());
        connect(button, &QPushButton::clicked, this, [this, r] { btnColorClick(r); });
        grid->addWidget(label, row, 0);
        grid->addWidget(shape, row, 1);
        grid->addWidget(button, row, 2);
        shapes_[row] = shape;
        buttons_[row] = button;
        paintSwatch(r);
    }
    grid->setColumnStretch(0, 1);

    btnSimpan = new QPushButton(QStringLiteral("Simpan"), this);
    btnSimpan->setObjectName(QStringLiteral("btnSimpan"));
    btnSimpan->setFixedWidth(215);
    connect(btnSimpan, &QPushButton::clicked, this, [this] { btnSimpanClick(); });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 8);
    column->setSpacing(0);
    column->addWidget(panel);
    column->addLayout(grid);
    column->addWidget(btnSimpan, 0, Qt::AlignHCenter);
}

void TFormAnnotSettings::showCentred() {
    if (!isVisible() && screen())
        move(screen()->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

void TFormAnnotSettings::btnColorClick(Row row) {
    try {
        const uint32_t current = row == Highlighter ? colours_.clHighlighter
                                 : row == Rectangle ? colours_.clRectangle
                                                    : colours_.clPen;
        const std::optional<uint32_t> chosen = dialogs_.chooseColor(current);
        if (!chosen)
            return;
        swatches_[row] = *chosen & 0x00FFFFFFu;
        paintSwatch(row);
        // The highlighter waits for "Simpan".
        if (row == Rectangle)
            colours_.clRectangle = swatches_[row];
        else if (row == Ink)
            colours_.clPen = swatches_[row];
    } catch (const std::exception& e) {
        dialogs_.error(std::string("Error Picking Color : ") + e.what());
    }
}

void TFormAnnotSettings::btnSimpanClick() {
    colours_.clHighlighter = swatches_[Highlighter];
    colours_.clRectangle = swatches_[Rectangle];
    colours_.clPen = swatches_[Ink];
    close();
}

void TFormAnnotSettings::paintSwatch(Row row) {
    const QColor c = colorOfRef(static_cast<int32_t>(swatches_[row]));
    QPalette p = shapes_[row]->palette();
    p.setColor(QPalette::Window, c);
    shapes_[row]->setPalette(p);
    shapes_[row]->setAccessibleName(QString::fromLatin1(kLabels[row]) + QStringLiteral(": ") +
                                    c.name());
}

} // namespace sumberlaras
