#include "shell/About.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "shell/ProductPicture.h"

namespace sumberlaras {

TFormAbout::TFormAbout(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setFixedSize(385, 407);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    auto* picture = new ProductPicture(this);
    picture->move(16, 16);
    picture->setAttribute(Qt::WA_TransparentForMouseEvents); // its clicks hide the window too
    auto* version = new QLabel(QStringLiteral("Version 2.0.0"), this);
    QFont f(QStringLiteral("Segoe UI"));
    f.setPixelSize(14);
    version->setFont(f);
    version->move(16, 372);
    version->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TFormAbout::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::white);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TFormAbout::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

} // namespace sumberlaras
