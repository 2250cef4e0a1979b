#include "reader/qt/WindowParts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
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

TitleBar blackTitleBar(QWidget* window, const QString& title, const TitleBarLook& look) {
    TitleBar t;
    t.bar = new QWidget(window);
    const QString name = QString::fromLatin1(look.name);
    t.bar->setObjectName(name);
    t.bar->setFixedHeight(look.height);
    t.bar->setStyleSheet(QStringLiteral("#%1 { background-color: black; }").arg(name));
    new TitleBarDrag(t.bar);
    auto* label = new QLabel(title, t.bar);
    label->setStyleSheet(look.boldTitle
                             ? QStringLiteral("QLabel { color: white; font-weight: bold; }")
                             : QStringLiteral("QLabel { color: white; }"));
    t.close = glyphPushButton(t.bar, "btnClose", 0xF057, QStringLiteral("Tutup"), look.glyphPixels);
    t.close->setFlat(true);
    t.close->setFixedSize(look.closeSize, look.closeSize);
    t.close->setStyleSheet(QStringLiteral("QPushButton { color: white; border: none; }"));
    auto* row = new QHBoxLayout(t.bar);
    row->setContentsMargins(10, 0, 2, 0);
    row->addWidget(label);
    row->addStretch(1);
    row->addWidget(t.close);
    return t;
}

namespace {

class EscapeCloses final : public QObject {
public:
    explicit EscapeCloses(QWidget* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            window_->close();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window_;
};

} // namespace

void closeOnEscape(QWidget* window) {
    window->installEventFilter(new EscapeCloses(window));
}

TitleBarDrag::TitleBarDrag(QWidget* bar) : QObject(bar), bar_(bar) {
    bar->installEventFilter(this);
}

bool TitleBarDrag::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Only mouse events are read as such: the bar gets every other kind too.
    if (watched == bar_ && (type == QEvent::MouseButtonPress || type == QEvent::MouseMove)) {
        QWidget* window = bar_->window();
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            from_ = mouse->globalPosition().toPoint() - window->frameGeometry().topLeft();
            return true;
        }
        if (type == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) {
            window->move(mouse->globalPosition().toPoint() - from_);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace sumberlaras
