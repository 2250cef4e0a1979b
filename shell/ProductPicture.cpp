#include "shell/ProductPicture.h"

#include <QPainter>

#include "reader/qt/GlyphFont.h"

namespace sumberlaras {

ProductPicture::ProductPicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(350, 350);
}

void ProductPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x5F, 0x8B));
    p.drawRoundedRect(rect().adjusted(10, 10, -10, -10), 28, 28);
    p.setPen(Qt::white);
    p.setFont(glyphFont(150));
    p.drawText(QRect(0, 40, width(), 190), Qt::AlignCenter, glyph(0xF02D));
    QFont title(QStringLiteral("Segoe UI"));
    title.setPixelSize(34);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 240, width(), 60), Qt::AlignCenter, QStringLiteral("Perpustakaan"));
}

} // namespace sumberlaras
