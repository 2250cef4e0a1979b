#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace sumberlaras::testing {

// Mouse input as a window system delivers it, with the buttons held on every
// move, which QTest's own moves do not carry.
class MouseGestures {
public:
    explicit MouseGestures(QWidget* target) : target_(target) {}

    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        send(QEvent::MouseButtonPress, p, b, b);
    }
    void moveTo(QPoint p, Qt::MouseButtons held = Qt::LeftButton) {
        send(QEvent::MouseMove, p, Qt::NoButton, held);
    }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        send(QEvent::MouseButtonRelease, p, b, Qt::NoButton);
    }
    void click(QPoint p) {
        press(p);
        release(p);
    }
    void drag(QPoint from, QPoint to, int steps = 4) {
        press(from);
        for (int i = 1; i <= steps; ++i)
            moveTo(from + (to - from) * i / steps);
        release(to);
    }
    void doubleClick(QPoint p) {
        click(p);
        send(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
        release(p);
    }

private:
    void send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(p), QPointF(target_->mapToGlobal(p)), button, held,
                      Qt::NoModifier);
        QApplication::sendEvent(target_, &e);
    }

    QWidget* target_;
};

} // namespace sumberlaras::testing
