// Draws the viewer's placeholder pictures (cover and banner placeholders, the
// account icon, the cover shadow and the drop-down arrow) into a folder, so
// the build makes them itself instead of carrying binary files.
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

bool save(const QImage& image, const QString& folder, const char* name, const char* format) {
    const QString path = folder + "/" + name;
    if (!image.save(path, format, 90)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// A light page with a faint book outline: what a cover shows until it loads.
QImage coverPlaceholder() {
    QImage image(300, 420, QImage::Format_RGB32);
    image.fill(QColor(0xe9, 0xec, 0xef));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd5, 0xda, 0xe0));
    p.drawRoundedRect(QRectF(90, 120, 120, 160), 6, 6);
    p.setBrush(QColor(0xe9, 0xec, 0xef));
    p.drawRect(QRectF(110, 150, 80, 10));
    p.drawRect(QRectF(110, 170, 60, 10));
    p.setBrush(QColor(0xc4, 0xcb, 0xd3));
    p.drawRect(QRectF(90, 120, 12, 160));
    return image;
}

// A wide soft gradient for banners that have not loaded yet.
QImage bannerPlaceholder() {
    QImage image(1140, 350, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 1140, 350);
    g.setColorAt(0, QColor(0xdf, 0xe4, 0xea));
    g.setColorAt(1, QColor(0xf1, 0xf3, 0xf5));
    p.fillRect(image.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xcf, 0xd6, 0xde));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(540 + i * 30, 175), 8, 8);
    return image;
}

// A round head-and-shoulders avatar on a transparent ground.
QImage accountIcon() {
    QImage image(80, 80, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xff, 0xff, 235));
    p.drawEllipse(QRectF(2, 2, 76, 76));
    QPainterPath clip;
    clip.addEllipse(QRectF(2, 2, 76, 76));
    p.setClipPath(clip);
    p.setBrush(QColor(0x9a, 0xa5, 0xb1));
    p.drawEllipse(QRectF(26, 16, 28, 28));
    p.drawEllipse(QRectF(12, 48, 56, 44));
    return image;
}

// The soft shadow drawn under the cover on the detail page (7:1).
QImage bookShadow() {
    QImage image(350, 50, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(175, 6);
    p.scale(1.0, 0.16);
    QRadialGradient g(QPointF(0, 0), 170);
    g.setColorAt(0, QColor(0, 0, 0, 110));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), 170, 170);
    return image;
}

// A small downward arrow for select fields.
QImage selectArrow() {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x66, 0x66, 0x66));
    const QPointF arrow[] = {{3, 5}, {13, 5}, {8, 11}};
    p.drawPolygon(arrow, 3);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const bool ok = save(coverPlaceholder(), folder, "loading.jpg", "JPG") &&
                    save(bannerPlaceholder(), folder, "loading-banner.jpg", "JPG") &&
                    save(accountIcon(), folder, "user.png", "PNG") &&
                    save(bookShadow(), folder, "book_shadow.png", "PNG") &&
                    save(selectArrow(), folder, "select.png", "PNG");
    return ok ? 0 : 1;
}
