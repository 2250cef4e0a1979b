// Draws the program's icon at one size as a PNG: the shapes of sumberlaras.svg,
// so the packages need no SVG renderer. Usage: make_icon SIZE OUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon SIZE OUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int size = std::atoi(argv[1]);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x6f, 0x5c));
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
    QPainterPath left(QPointF(128, 72));
    left.cubicTo(100, 56, 64, 54, 40, 60);
    left.lineTo(40, 192);
    left.cubicTo(64, 186, 100, 188, 128, 204);
    left.closeSubpath();
    p.setBrush(QColor(0xf4, 0xf1, 0xe8));
    p.drawPath(left);
    QPainterPath right(QPointF(128, 72));
    right.cubicTo(156, 56, 192, 54, 216, 60);
    right.lineTo(216, 192);
    right.cubicTo(192, 186, 156, 188, 128, 204);
    right.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(right);
    p.setPen(QPen(QColor(0x1f, 0x6f, 0x5c), 4));
    p.drawLine(QPointF(128, 72), QPointF(128, 204));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0xc2, 0x30));
    p.drawRoundedRect(QRectF(150, 92, 48, 10), 3, 3);
    p.setBrush(QColor(0x9a, 0xa7, 0xa1));
    for (const QRectF& r : {QRectF(150, 114, 40, 6), QRectF(150, 130, 44, 6), QRectF(58, 96, 48, 6),
                            QRectF(58, 112, 40, 6), QRectF(58, 128, 46, 6)})
        p.drawRoundedRect(r, 3, 3);
    p.end();
    return image.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
