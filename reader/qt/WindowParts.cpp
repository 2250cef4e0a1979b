#include "reader/qt/WindowParts.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QWidget>

#include "reader/qt/GlyphFont.h"

namespace sumberlaras {

QPushButton* glyphPushButton(QWidget* parent, const char* name, char32_t code, const QString& hint,
                             int pixelSize) {
    auto* b = new QPushButton(glyph(code), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFont(glyphFont(pixelSize));
    b->setToolTip(hint);
    b->setAccessibleName(hint); // never the glyph
    return b;
}

TitleBarDrag::TitleBarDrag(QWidget* bar) : QObject(bar), bar_(bar) {
    bar->installEventFilter(this);
}

bool TitleBarDrag::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bar_) {
        QWidget* window = bar_->window();
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            from_ = mouse->globalPosition().toPoint() - window->frameGeometry().topLeft();
            return true;
        }
        if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) {
            window->move(mouse->globalPosition().toPoint() - from_);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace sumberlaras
